#include "sharepage.h"

#include "conversationinput.h"
#include "messagingtextedit.h"

#include <QLabel>
#include <QVBoxLayout>

SharePage::SharePage(AbstractPageManager* pageManager, const QString& remoteUid,
                     const QString& reference, const QString& text)
    : BasePage(pageManager)
    , m_remoteUid(remoteUid)
    , m_reference(reference)
    , m_text(text)
{
    setObjectName(QStringLiteral("hostSharePage"));
    setTitle(tr("Share"));
}

void SharePage::createContent()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    auto* recipient = new QLabel(tr("To: %1").arg(m_remoteUid));
    recipient->setObjectName(QStringLiteral("hostShareRecipient"));
    recipient->setMargin(16);
    column->addWidget(recipient);
    column->addStretch(1);
    m_input = new ConversationInput(pageManager(), m_remoteUid, content);
    column->addWidget(m_input);
    setCentralWidget(content);
    m_input->textEdit()->setText(m_text);
    m_input->share(m_reference);
}
