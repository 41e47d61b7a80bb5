#include "textmessageeditorpage.h"

#include "abstractpagemanager.h"
#include "historystore.h"
#include "messagingtextedit.h"
#include "recipientsedit.h"

#include <QVBoxLayout>

namespace {
const QString kTextAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring");
}

TextMessageEditorPage::TextMessageEditorPage(AbstractPageManager* pageManager,
                                             const Tollis::RecipientList& recipients,
                                             const QString& text)
    : MessageEditorBasePage(pageManager)
    , m_recipients(recipients)
    , m_text(text)
{
    setObjectName(QStringLiteral("hostTextMessageEditor"));
    setTitle(tr("Text message"));
}

int TextMessageEditorPage::pageType() const
{
    return Chronel::Event::SMSEvent;
}

void TextMessageEditorPage::createContent()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    m_recipientsEdit =
        new Tollis::RecipientsEdit(nullptr, Tollis::RecipientsEdit::PhoneNumber, true, content);
    m_recipientsEdit->setTo(m_recipients);
    m_textEdit = new MessagingTextEdit(m_text, content);
    m_textEdit->setObjectName(QStringLiteral("hostTextMessageEditorText"));
    m_textEdit->setToolbar(MessagingTextEdit::SendToolbar);
    m_textEdit->setServiceName(kTextAccount);
    m_textEdit->completeEmoticonReplacement();
    column->addWidget(m_recipientsEdit);
    column->addWidget(m_textEdit, 1);
    setCentralWidget(content);
    connect(m_textEdit, &MessagingTextEdit::sendButtonClicked, this, &TextMessageEditorPage::send);
    connect(m_recipientsEdit, &Tollis::RecipientsEdit::validated, this,
            &TextMessageEditorPage::onValidated);
}

bool TextMessageEditorPage::isEmpty() const
{
    return m_textEdit ? m_textEdit->plainText().isEmpty() && m_recipientsEdit->to().isEmpty()
                      : m_text.isEmpty() && m_recipients.isEmpty();
}

void TextMessageEditorPage::send()
{
    if (!m_recipientsEdit) {
        return;
    }
    if (m_recipientsEdit->to().isEmpty()) {
        m_recipientsEdit->launchContactPickerTo();
        return;
    }
    m_recipientsEdit->validate();
    if (!m_recipientsEdit->validating()) {
        onValidated(true);
    }
}

// Invalid entries stay in the field for the user to correct; the valid ones
// are sent.
void TextMessageEditorPage::onValidated(bool)
{
    m_recipientsEdit->resolveAmbiguous();
    Tollis::RecipientList unsent;
    for (const Tollis::Recipient& recipient : m_recipientsEdit->to()) {
        if (recipient.value(Tollis::RecipientValidity).toInt() != Tollis::RecipientsEdit::Valid) {
            unsent << recipient;
            continue;
        }
        Chronel::Event event;
        event.setType(Chronel::Event::SMSEvent);
        event.setDirection(Chronel::Event::Outbound);
        event.setStatus(Chronel::Event::SentStatus);
        event.setIsRead(true);
        event.setLocalUid(kTextAccount);
        event.setRemoteUid(recipient.value(Tollis::RecipientAddress).toString());
        event.setFreeText(m_textEdit->plainText());
        event.setStartTime(QDateTime::currentDateTimeUtc());
        event.setEndTime(event.startTime());
        if (!Chronel::HistoryStore::instance()->addEvent(event)) {
            unsent << recipient;
        }
    }
    m_recipientsEdit->setTo(unsent);
    if (unsent.isEmpty()) {
        slotOnCloseButtonClicked();
    }
}
