#pragma once

#include "messageeditorbasepage.h"

class MessagingTextEdit;
namespace Tollis {
class RecipientsEdit;
}

// The host's own editor of text messages (SMS): recipients and a text. Send
// records the message in the history, one outgoing event per valid address,
// and closes the page.
class TextMessageEditorPage : public MessageEditorBasePage
{
    Q_OBJECT
public:
    TextMessageEditorPage(AbstractPageManager* pageManager, const Tollis::RecipientList& recipients,
                          const QString& text);

    void createContent() override;
    int pageType() const override;
    bool isEmpty() const override;

    Tollis::RecipientsEdit* recipientsEdit() const { return m_recipientsEdit; }
    MessagingTextEdit* textEdit() const { return m_textEdit; }

public slots:
    void send();

private:
    void onValidated(bool valid);

    Tollis::RecipientList m_recipients;
    QString m_text;
    Tollis::RecipientsEdit* m_recipientsEdit = nullptr;
    MessagingTextEdit* m_textEdit = nullptr;
};
