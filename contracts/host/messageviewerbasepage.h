#pragma once

#include "basepage.h"
#include "event.h"
#include "eventmodel.h"
#include "messagingui.h"

#include <QModelIndex>
#include <QPointer>

// A page that shows one stored message. It hears of changes of the model's
// events through slotDataChanged().
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
    // The model's dataChanged(); the base page ignores it.
    virtual void slotDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

private:
    QPointer<Chronel::EventModel> m_model;
    Chronel::Event m_event;
};
