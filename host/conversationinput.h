#pragma once

#include "messageattachmentwidget.h"

#include <QPointer>
#include <QWidget>

class AbstractPageManager;
class MessagingTextEdit;
class QVBoxLayout;

// The input under a conversation: the host's text edit and, while a file is being shared
// to the conversation, the plug-in's quick-send widget above it.
class ConversationInput : public QWidget
{
    Q_OBJECT
public:
    ConversationInput(AbstractPageManager* pageManager, const QString& remoteUid,
                      QWidget* parent = nullptr);

    MessagingTextEdit* textEdit() const { return m_edit; }
    // Null when no file is being shared.
    MessageAttachmentWidget* attachmentWidget() const { return m_attachment; }

    // Asks the plug-in what the shared file becomes: a quick-send widget here, the full
    // editor, or nothing (the plug-in has said why).
    void share(const QString& reference);

private:
    void dropAttachment();

    QPointer<AbstractPageManager> m_pageManager;
    QString m_remoteUid;
    MessagingTextEdit* m_edit;
    QVBoxLayout* m_column;
    QPointer<MessageAttachmentWidget> m_attachment;
};
