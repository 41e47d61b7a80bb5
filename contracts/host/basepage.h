#pragma once

#include "messagepart.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QVariant>

#include "tkapplicationpage.h"

class AbstractPageManager;
class QAction;

// A page of the messaging application. The page manager stacks it, calls
// createContent() when it first shows, and removes it on back or close.
class BasePage : public TkApplicationPage
{
    Q_OBJECT
public:
    explicit BasePage(AbstractPageManager* pageManager, QWidget* parent = nullptr);

    void createContent() override;
    virtual int pageType() const;
    virtual bool isEqual(const BasePage& other) const;
    virtual bool operator==(const BasePage& other) const;
    virtual void setPageManager(AbstractPageManager* pageManager);
    virtual QMap<QString, QVariant> propertyValueMap() const;

public slots:
    virtual void slotOnBackButtonClicked();
    virtual void slotOnCloseButtonClicked();

public:
    virtual void createToolbar();
    virtual bool isEmpty() const;
    virtual void clear();
    virtual void createViewMenu();
    virtual QList<Chronel::MessagePart> attachments() const;
    virtual void addSlide(const Chronel::MessagePart* part, const QString& text);

    // A toolbar action with a text and/or a theme icon; the page owns it.
    QAction* addToolbarAction(const QString& title, const QString& iconId,
                              const QString& objectName = QString());
    QAction* addViewMenuAction(const QString& title, const QString& objectName = QString());

    AbstractPageManager* pageManager() const;

    // Stops the back button from closing the page; the page handles it itself.
    void detachBackButtonHandling();

private:
    QPointer<AbstractPageManager> m_pageManager;
};
