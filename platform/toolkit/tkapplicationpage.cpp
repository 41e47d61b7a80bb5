#include "tkapplicationpage.h"

#include "tkpannableviewport.h"
#include "tkstyle.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TkApplicationPage::TkApplicationPage(QWidget* parent)
    : QWidget(parent)
    , m_header(new QWidget(this))
    , m_back(new QToolButton(m_header))
    , m_title(new QLabel(m_header))
    , m_menuButton(new QToolButton(m_header))
    , m_viewMenu(new QMenu(this))
    , m_close(new QToolButton(m_header))
    , m_viewport(new TkPannableViewport(this))
    , m_toolbar(new QToolBar(this))
{
    m_header->setObjectName(QStringLiteral("TkPageHeader"));
    tk::setStyleName(m_header, QStringLiteral("NavigationBar"));
    m_back->setObjectName(QStringLiteral("TkPageBackButton"));
    m_back->setText(QStringLiteral("<"));
    m_title->setObjectName(QStringLiteral("TkPageTitle"));
    m_menuButton->setObjectName(QStringLiteral("TkPageViewMenuButton"));
    m_menuButton->setText(QStringLiteral("..."));
    m_menuButton->setMenu(m_viewMenu);
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menuButton->hide();
    m_close->setObjectName(QStringLiteral("TkPageCloseButton"));
    m_close->setText(QStringLiteral("x"));
    m_toolbar->setObjectName(QStringLiteral("TkPageToolbar"));
    m_toolbar->hide();

    auto* headerRow = new QHBoxLayout(m_header);
    headerRow->addWidget(m_back);
    headerRow->addWidget(m_title, 1);
    headerRow->addWidget(m_menuButton);
    headerRow->addWidget(m_close);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_header);
    column->addWidget(m_viewport, 1);
    column->addWidget(m_toolbar);

    connect(m_back, &QToolButton::clicked, this, &TkApplicationPage::backButtonClicked);
    connect(m_close, &QToolButton::clicked, this, &TkApplicationPage::closeButtonClicked);
}

void TkApplicationPage::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString TkApplicationPage::title() const
{
    return m_title->text();
}

void TkApplicationPage::setCentralWidget(QWidget* widget)
{
    delete m_viewport->takeWidget();
    m_central = widget;
    m_viewport->setWidget(widget);
}

void TkApplicationPage::setPannable(bool pannable)
{
    m_viewport->setVerticalPanningEnabled(pannable);
}

void TkApplicationPage::addToolbarAction(QAction* action)
{
    m_toolbar->addAction(action);
    m_toolbar->show();
}

void TkApplicationPage::addViewMenuAction(QAction* action)
{
    m_viewMenu->addAction(action);
    m_menuButton->show();
}

QList<QAction*> TkApplicationPage::toolbarActions() const
{
    return m_toolbar->actions();
}

QList<QAction*> TkApplicationPage::viewMenuActions() const
{
    return m_viewMenu->actions();
}

void TkApplicationPage::setNavigationBarVisible(bool visible)
{
    m_header->setVisible(visible);
}

bool TkApplicationPage::isNavigationBarVisible() const
{
    return !m_header->isHidden();
}

void TkApplicationPage::appear()
{
    if (!m_contentCreated) {
        m_contentCreated = true;
        createContent();
    }
    show();
}
