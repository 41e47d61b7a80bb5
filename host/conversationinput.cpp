#include "conversationinput.h"

#include "abstractpagemanager.h"
#include "messagingtextedit.h"
#include "messaginguiplugininterface.h"

#include <QVBoxLayout>

ConversationInput::ConversationInput(AbstractPageManager* pageManager, const QString& remoteUid,
                                     QWidget* parent)
    : QWidget(parent)
    , m_pageManager(pageManager)
    , m_remoteUid(remoteUid)
    , m_edit(new MessagingTextEdit)
    , m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("hostConversationInput"));
    m_edit->setObjectName(QStringLiteral("hostConversationTextEdit"));
    m_edit->setToolbar(MessagingTextEdit::AttachmentAndSendToolbar);
    m_edit->setServiceName(QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0"));
    m_edit->setFixedHeight(120);
    m_column->setContentsMargins(8, 8, 8, 8);
    m_column->addWidget(m_edit);
}

void ConversationInput::share(const QString& reference)
{
    MessagingUIPluginInterface* plugin = m_pageManager ? m_pageManager->plugin() : nullptr;
    if (!plugin)
        return;
    dropAttachment();
    bool openFullEditor = false;
    m_attachment = plugin->createAttachmentWidget(m_pageManager, m_remoteUid, m_edit, reference,
                                                  openFullEditor);
    if (!m_attachment) {
        if (openFullEditor) {
            m_pageManager->openNewEditorPage(Chronel::Event::MMSEvent, {m_remoteUid}, QString(),
                                             m_edit->plainText(), {reference});
        }
        return;
    }
    m_column->insertWidget(0, m_attachment);
    connect(m_attachment, &MessageAttachmentWidget::attachmentRemoved, this,
            &ConversationInput::dropAttachment);
    connect(m_attachment, &MessageAttachmentWidget::messageSent, this, [this] {
        m_edit->clear();
        dropAttachment();
    });
}

// The edit goes back to a text message's: the widget set it up for its own message.
void ConversationInput::dropAttachment()
{
    if (m_attachment)
        m_attachment->deleteLater();
    m_attachment = nullptr;
    m_edit->setAllowEmptySend(false);
    m_edit->setCharacterCounter(true);
    m_edit->setToolbarAttribute(QStringLiteral("/toolbar"), QStringLiteral("counter"),
                                QStringLiteral("text"), QVariant());
}
