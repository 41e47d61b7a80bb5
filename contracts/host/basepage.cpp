#include "basepage.h"

#include "abstractpagemanager.h"

#include <QAction>

#include "tktheme.h"

BasePage::BasePage(AbstractPageManager* pageManager, QWidget* parent)
    : TkApplicationPage(parent)
    , m_pageManager(pageManager)
{
    connect(this, &TkApplicationPage::backButtonClicked, this, &BasePage::slotOnBackButtonClicked);
    connect(this, &TkApplicationPage::closeButtonClicked, this,
            &BasePage::slotOnCloseButtonClicked);
}

void BasePage::createContent() {}

int BasePage::pageType() const
{
    return 0;
}

bool BasePage::isEqual(const BasePage& other) const
{
    return this == &other;
}

bool BasePage::operator==(const BasePage& other) const
{
    return isEqual(other);
}

void BasePage::setPageManager(AbstractPageManager* pageManager)
{
    m_pageManager = pageManager;
}

QMap<QString, QVariant> BasePage::propertyValueMap() const
{
    return {{QStringLiteral("pageType"), pageType()}};
}

void BasePage::slotOnBackButtonClicked()
{
    if (m_pageManager) {
        m_pageManager->closePage(this);
    }
}

void BasePage::slotOnCloseButtonClicked()
{
    if (m_pageManager) {
        m_pageManager->closePage(this);
    }
}

void BasePage::createToolbar() {}

bool BasePage::isEmpty() const
{
    return true;
}

void BasePage::clear() {}

void BasePage::createViewMenu() {}

QList<Chronel::MessagePart> BasePage::attachments() const
{
    return {};
}

void BasePage::addSlide(const Chronel::MessagePart*, const QString&) {}

QAction* BasePage::addToolbarAction(const QString& title, const QString& iconId,
                                    const QString& objectName)
{
    auto* action = new QAction(TkTheme::icon(iconId), title, this);
    action->setObjectName(objectName);
    TkApplicationPage::addToolbarAction(action);
    return action;
}

QAction* BasePage::addViewMenuAction(const QString& title, const QString& objectName)
{
    auto* action = new QAction(title, this);
    action->setObjectName(objectName);
    TkApplicationPage::addViewMenuAction(action);
    return action;
}

AbstractPageManager* BasePage::pageManager() const
{
    return m_pageManager;
}

void BasePage::detachBackButtonHandling()
{
    disconnect(this, &TkApplicationPage::backButtonClicked, this,
               &BasePage::slotOnBackButtonClicked);
}
