#pragma once

#include "messageattachmentwidget.h"

#include <QPointer>

class AbstractPageManager;
class ConnSettingsHelper;
class MMSBubbleIcon;
class MessagingTextEdit;
class MmsSender;
class MmsSpinnerOverlayWidget;
class MmsTimedBanner;

// The quick-send widget: the thumbnail of one shared picture beside the host's text edit,
// sending the picture with the typed text to one recipient without opening the composer.
// A further file hands everything over to the composer.
class MmsSimpleEditorWidget : public MessageAttachmentWidget
{
    Q_OBJECT
public:
    MmsSimpleEditorWidget(AbstractPageManager* pageManager, const QString& recipient,
                          MessagingTextEdit* textEdit, const QString& fileName,
                          const QString& mimeType);
    ~MmsSimpleEditorWidget() override;

    // The content-index URI of a "file:" or "urn:" reference; empty for any other
    // reference and for a file the index does not know.
    static QString contentUri(const QString& reference);

public slots:
    // Empty while a send is running.
    QStringList attachments() const override;
    QString plainText() const override;
    void addAttachment(const QString& reference) override;

    void slotOnSendButtonClicked();
    void slotOnSendCompleted();
    void slotOnConfigurationMissed();
    // A picture that cannot be decoded is refused right after the widget appears.
    void tryReadImageAttachment();
    void cancel();
    void showSpinner(bool visible);

private:
    void createLayout();
    void wireTextEdit();
    void enableInput(bool enabled);
    void openFullEditor(const QString& reference);

    QString m_recipient;
    QString m_fileName;
    QString m_mimeType;
    MMSBubbleIcon* m_icon;
    QPointer<MessagingTextEdit> m_textEdit;
    QPointer<MmsSender> m_sender;
    // From the press until the sender reports: a second press then sends nothing.
    bool m_sending = false;
    QPointer<AbstractPageManager> m_pageManager;
    MmsTimedBanner* m_banner;
    QPointer<MmsSpinnerOverlayWidget> m_spinner;
    ConnSettingsHelper* m_connSettings;
};
