#include "messagingtextedit.h"

#include <QLabel>
#include <QToolButton>
#include <QValidator>

#include "emoticontransformer.h"
#include "tkstyle.h"

namespace {

const QString kToolbarPath = QStringLiteral("/toolbar");
const QString kCounterItem = QStringLiteral("counter");
const QString kTextAttribute = QStringLiteral("text");

QToolButton* makeToolbarButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    tk::setStyleName(button, QStringLiteral("MessagingTextEditButton"));
    return button;
}

} // namespace

MessagingTextEdit::MessagingTextEdit(const QString& text, QWidget* parent)
    : QTextEdit(parent)
    , m_attach(makeToolbarButton(tr("Attach"), QStringLiteral("messagingTextEditAttach"), this))
    , m_send(makeToolbarButton(tr("Send"), QStringLiteral("messagingTextEditSend"), this))
    , m_counter(new QLabel(this))
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
    m_counter->setObjectName(QStringLiteral("messagingTextEditCounter"));
    m_counter->setAlignment(Qt::AlignCenter);
    tk::setStyleName(m_counter, QStringLiteral("MessagingTextEditCounter"));
    connect(m_attach, &QToolButton::clicked, this, &MessagingTextEdit::attachmentButtonClicked);
    connect(m_send, &QToolButton::clicked, this, &MessagingTextEdit::sendButtonClicked);
    connect(this, &QTextEdit::textChanged, this, &MessagingTextEdit::onContentChanged);
    setText(text);
    updateToolbar();
}

void MessagingTextEdit::setToolbar(int mode)
{
    m_toolbarMode = mode;
    updateToolbar();
}

void MessagingTextEdit::setText(const QString& text)
{
    // Text set by the program is taken as it is; limits apply to input.
    m_changingContent = true;
    setPlainText(text);
    m_changingContent = false;
    rememberAccepted();
}

QString MessagingTextEdit::plainText() const
{
    return EmoticonTransformer().plainText(QTextDocumentFragment(document()));
}

void MessagingTextEdit::completeEmoticonReplacement()
{
    QString text = plainText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    setText(text);
    replaceFinishedEmoticons(true);
    rememberAccepted();
    moveCursor(QTextCursor::End);
}

void MessagingTextEdit::replaceFinishedEmoticons(bool paragraphEndsWord)
{
    m_changingContent = true;
    EmoticonTransformer().transformFinishedEmoticons(document(), fontMetrics().height(),
                                                     paragraphEndsWord);
    m_changingContent = false;
}

void MessagingTextEdit::rememberAccepted()
{
    m_acceptedText = toPlainText();
    m_acceptedContent = QTextDocumentFragment(document());
    updateSendButton();
    updateCounter();
}

void MessagingTextEdit::setMaxLength(int length)
{
    m_maxLength = length;
    updateCounter();
}

bool MessagingTextEdit::acceptable(const QString& text) const
{
    if (m_maxLength >= 0 && text.length() > m_maxLength) {
        return false;
    }
    if (!m_validator) {
        return true;
    }
    QString input = text;
    int position = textCursor().position();
    return m_validator->validate(input, position) != QValidator::Invalid;
}

void MessagingTextEdit::onContentChanged()
{
    if (m_changingContent) {
        return;
    }
    const QString text = toPlainText();
    if (text == m_acceptedText) {
        return;
    }
    // Deleting is always possible, also from a text set beyond the limits.
    const int typedLength = text.length() - m_acceptedText.length();
    if (typedLength >= 0 && !acceptable(text)) {
        restoreAccepted(typedLength);
        return;
    }
    replaceFinishedEmoticons(false);
    rememberAccepted();
}

// Puts the last accepted content back, with the cursor where the refused
// input began.
void MessagingTextEdit::restoreAccepted(int typedLength)
{
    const int position = qBound(0, textCursor().position() - typedLength, m_acceptedText.length());
    m_changingContent = true;
    clear();
    QTextCursor(document()).insertFragment(m_acceptedContent);
    m_changingContent = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}

void MessagingTextEdit::setSendButtonEnabled(bool enabled, bool requireContent,
                                             bool hideWhenDisabled)
{
    m_sendPermitted = enabled;
    m_sendRequiresContent = requireContent;
    m_hideDisabledSend = hideWhenDisabled;
    updateSendButton();
}

bool MessagingTextEdit::isSendButtonEnabled() const
{
    const bool hasContent = !m_acceptedText.isEmpty() || m_allowEmptySend;
    return m_sendPermitted && (hasContent || !m_sendRequiresContent);
}

void MessagingTextEdit::setAttachmentButtonEnabled(bool enabled)
{
    m_attach->setEnabled(enabled);
}

bool MessagingTextEdit::isAttachmentButtonEnabled() const
{
    return m_attach->isEnabledTo(this);
}

void MessagingTextEdit::setAllowEmptySend(bool allow)
{
    m_allowEmptySend = allow;
    updateSendButton();
}

void MessagingTextEdit::setCharacterCounter(bool enabled)
{
    m_characterCounter = enabled;
    updateCounter();
}

QString MessagingTextEdit::attributeKey(const QString& path, const QString& item,
                                        const QString& attribute)
{
    return path + QLatin1Char('\n') + item + QLatin1Char('\n') + attribute;
}

void MessagingTextEdit::setToolbarAttribute(const QString& path, const QString& item,
                                            const QString& attribute, const QVariant& value)
{
    m_toolbarAttributes.insert(attributeKey(path, item, attribute), value);
    updateCounter();
}

QVariant MessagingTextEdit::toolbarAttribute(const QString& path, const QString& item,
                                             const QString& attribute) const
{
    return m_toolbarAttributes.value(attributeKey(path, item, attribute));
}

void MessagingTextEdit::updateSendButton()
{
    const bool enabled = isSendButtonEnabled();
    m_send->setEnabled(enabled);
    m_send->setVisible(m_toolbarMode != NoToolbar && (enabled || !m_hideDisabledSend));
}

void MessagingTextEdit::updateCounter()
{
    QString text;
    if (m_characterCounter) {
        text = QString::number(plainText().length());
        if (m_maxLength >= 0) {
            text += QLatin1Char('/') + QString::number(m_maxLength);
        }
    } else {
        text = toolbarAttribute(kToolbarPath, kCounterItem, kTextAttribute).toString();
    }
    m_counter->setText(text);
    m_counter->setVisible(m_toolbarMode != NoToolbar && !text.isEmpty());
    placeToolbar();
}

void MessagingTextEdit::updateToolbar()
{
    m_attach->setVisible(m_toolbarMode == AttachmentAndSendToolbar);
    updateSendButton();
    updateCounter();
}

void MessagingTextEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    placeToolbar();
}

void MessagingTextEdit::placeToolbar()
{
    if (m_toolbarMode == NoToolbar) {
        setViewportMargins(0, 0, 0, 0);
        return;
    }
    const int width = qMax(m_counter->sizeHint().width(),
                           qMax(m_attach->sizeHint().width(), m_send->sizeHint().width()));
    setViewportMargins(0, 0, width, 0);
    const QRect area = contentsRect();
    const int left = area.right() + 1 - width;
    m_counter->setGeometry(left, area.top(), width, m_counter->sizeHint().height());
    int bottom = area.bottom() + 1;
    for (QToolButton* button : {m_send, m_attach}) {
        const int height = button->sizeHint().height();
        bottom -= height;
        button->setGeometry(left, bottom, width, height);
    }
}
