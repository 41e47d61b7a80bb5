#pragma once

#include "basepage.h"
#include "event.h"
#include "messagingui.h"

#include <QPointer>

namespace Chronel {
class EventModel;
}

// A page that shows one stored message.
class MessageViewerBasePage : public BasePage
{
    Q_OBJECT
public:
    MessageViewerBasePage(AbstractPageManager* pageManager, Chronel::EventModel* model,
                          const Chronel::Event& event, QWidget* parent = nullptr);

    Chronel::EventModel* model() const { return m_model; }
    Chronel::Event viewedEvent() const { return m_event; }

    // Asks the host for an editor on the stored message.
    void showMessageEditor(const Chronel::Event& event, MessagingUI::OperationType operation);

public slots:
    // Deletes the shown message from the history and closes the page.
    virtual void slotOnToolbarDeleteTriggered();

private:
    QPointer<Chronel::EventModel> m_model;
    Chronel::Event m_event;
};
