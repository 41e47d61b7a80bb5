#pragma once

#include "event.h"
#include "messagingui.h"
#include "recipient.h"

#include <QList>
#include <QStringList>
#include <QtPlugin>

class AbstractPageManager;
class BasePage;
class MessageAttachmentWidget;
class MessagingTextEdit;
class QWidget;

namespace Chronel {
class EventModel;
}

// What the messaging application asks of a message-type plug-in. The host
// owns everything the plug-in creates.
class MessagingUIPluginInterface
{
public:
    virtual ~MessagingUIPluginInterface() = default;

    virtual bool supportsMessageType(int type) const = 0;
    virtual BasePage* createEditorPage(AbstractPageManager* pageManager,
                                       const Tollis::RecipientList& recipients,
                                       const QString& subject, const QString& body,
                                       const QStringList& files, const QString& token) = 0;
    virtual BasePage* createEditorPage(AbstractPageManager* pageManager,
                                       const Chronel::Event& event,
                                       MessagingUI::OperationType operation) = 0;
    virtual BasePage* createViewerPage(AbstractPageManager* pageManager, Chronel::EventModel* model,
                                       const Chronel::Event& event) = 0;
    virtual QWidget* createConversationBubbleItem(const Chronel::Event& event) = 0;
    virtual void updateConversationBubbleItem(QWidget* widget, const Chronel::Event& event) = 0;
    virtual QWidget* createSettingsWidget(QWidget* parent) = 0;
    virtual void notifyDeleteGroups(const QList<int>& groupIds) = 0;
    virtual MessageAttachmentWidget* createAttachmentWidget(AbstractPageManager* pageManager,
                                                            const QString& recipient,
                                                            MessagingTextEdit* textEdit,
                                                            const QString& reference,
                                                            bool& openFullEditor) = 0;
};

#define MessagingUIPluginInterface_iid "com.quenda.MessagingUIPluginInterface/1.1"
Q_DECLARE_INTERFACE(MessagingUIPluginInterface, MessagingUIPluginInterface_iid)
