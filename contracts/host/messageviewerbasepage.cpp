#include "messageviewerbasepage.h"

#include "abstractpagemanager.h"
#include "eventmodel.h"

MessageViewerBasePage::MessageViewerBasePage(AbstractPageManager* pageManager,
                                             Chronel::EventModel* model,
                                             const Chronel::Event& event, QWidget* parent)
    : BasePage(pageManager, parent)
    , m_model(model)
    , m_event(event)
{
    if (m_model) {
        connect(m_model, &QAbstractItemModel::dataChanged, this,
                &MessageViewerBasePage::slotDataChanged);
    }
}

void MessageViewerBasePage::showMessageEditor(const Chronel::Event& event,
                                              MessagingUI::OperationType operation)
{
    if (AbstractPageManager* manager = pageManager()) {
        manager->showEditorPage(event, operation);
    }
}

void MessageViewerBasePage::slotOnToolbarDeleteTriggered()
{
    if (m_model) {
        m_model->deleteEvent(m_event.id());
    }
    slotOnCloseButtonClicked();
}

void MessageViewerBasePage::slotDataChanged(const QModelIndex&, const QModelIndex&) {}
