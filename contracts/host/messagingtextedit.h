#pragma once

#include <QHash>
#include <QPointer>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QValidator>
#include <QVariant>

class QLabel;
class QToolButton;

// The host's multi-line message text field. Beside the text it carries the
// message toolbar: an attachment button, a send button and a character
// counter. The send button follows the content: it is enabled while there is
// text (or empty sending is allowed) and the caller permits sending.
class MessagingTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    // Which toolbar buttons the field shows.
    enum ToolbarMode { NoToolbar = 0, SendToolbar = 1, AttachmentAndSendToolbar = 2 };

    explicit MessagingTextEdit(const QString& text = QString(), QWidget* parent = nullptr);

    void setToolbar(int mode);
    int toolbar() const { return m_toolbarMode; }

    // The messaging account the text is written for (a Telepathy account path).
    void setServiceName(const QString& serviceName) { m_serviceName = serviceName; }
    QString serviceName() const { return m_serviceName; }

    // Replaces the content by `text`, as plain text; emoticons in it stay text
    // until the replacement is completed or the user types on after them.
    void setText(const QString& text);
    // The content as it is sent: emoticon images back in their text form.
    QString plainText() const;
    // Emoticons show as images once a space or a line break follows them;
    // this replaces the rest at once (also one that ends the text) and brings
    // pasted rich text to plain text.
    void completeEmoticonReplacement();

    void setPrompt(const QString& prompt) { setPlaceholderText(prompt); }
    QString prompt() const { return placeholderText(); }

    // A negative length means no limit. The limit counts the characters as
    // shown, an emoticon image as one. Input that would exceed it, or that the
    // validator calls invalid, is refused; deleting never is.
    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }
    void setValidator(QValidator* validator) { m_validator = validator; }
    QValidator* validator() const { return m_validator; }

    // `enabled`: the caller permits sending. `requireContent`: the button is
    // enabled only while there is text or empty sending is allowed.
    // `hideWhenDisabled`: a disabled button is hidden instead of greyed.
    void setSendButtonEnabled(bool enabled, bool requireContent = true,
                              bool hideWhenDisabled = false);
    bool isSendButtonEnabled() const;
    void setAttachmentButtonEnabled(bool enabled);
    bool isAttachmentButtonEnabled() const;
    void setAllowEmptySend(bool allow);
    bool allowEmptySend() const { return m_allowEmptySend; }
    // Shows the number of characters to send; when off, the counter shows the
    // toolbar's "/toolbar" "counter" "text" attribute, if any.
    void setCharacterCounter(bool enabled);
    bool characterCounter() const { return m_characterCounter; }

    // Extended attributes of the field's toolbar, addressed by path, item and
    // attribute name, e.g. ("/toolbar", "counter", "text").
    void setToolbarAttribute(const QString& path, const QString& item, const QString& attribute,
                             const QVariant& value);
    QVariant toolbarAttribute(const QString& path, const QString& item,
                              const QString& attribute) const;

    QToolButton* sendButton() const { return m_send; }
    QToolButton* attachmentButton() const { return m_attach; }
    QLabel* counterLabel() const { return m_counter; }

signals:
    void attachmentButtonClicked();
    void sendButtonClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onContentChanged();
    bool acceptable(const QString& text) const;
    void replaceFinishedEmoticons(bool paragraphEndsWord);
    void restoreAccepted(int typedLength);
    void rememberAccepted();
    void updateSendButton();
    void updateCounter();
    void updateToolbar();
    void placeToolbar();
    static QString attributeKey(const QString& path, const QString& item, const QString& attribute);

    QToolButton* m_attach;
    QToolButton* m_send;
    QLabel* m_counter;
    QPointer<QValidator> m_validator;
    QHash<QString, QVariant> m_toolbarAttributes;
    QString m_serviceName;
    // The last content that passed the limits, to put back refused input.
    QString m_acceptedText;
    QTextDocumentFragment m_acceptedContent;
    int m_toolbarMode = NoToolbar;
    int m_maxLength = -1;
    bool m_sendPermitted = true;
    bool m_sendRequiresContent = true;
    bool m_hideDisabledSend = false;
    bool m_allowEmptySend = false;
    bool m_characterCounter = true;
    bool m_changingContent = false;
};
