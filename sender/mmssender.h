#pragma once

#include "messagesender.h"
#include "mmsmessagefolder.h"
#include "mmsoutgoingmessage.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class MmsAttachment;
class MmsResizeThread;
class MmsTimedBanner;
class SendValidator;

// Sends a multimedia message without a page: the composer's pipeline (checks, picture
// resize, size verdict, host validation, message folder, SMIL, part maps, hand-over) run
// on what it was given, with the outcome reported by signals. The folder is always its
// own: deleted with the sender unless the message was handed over.
class MmsSender : public QObject
{
    Q_OBJECT
public:
    // `autoDelete`: the sender deletes itself after sent() or failed(). An empty token is
    // replaced by a new one.
    MmsSender(bool autoDelete, const QStringList& to, const QStringList& cc, const QStringList& bcc,
              const QString& subject, const QString& text, const QString& token);
    ~MmsSender() override;

    // `text` is the file's slide text.
    bool addAttachment(const QString& path, const QString& mime, const QString& text,
                       bool carriesBodyText);
    // Starts an attempt; after failed() another one may be started.
    void send();

    QString messageFolder() const { return m_folder.path(); }

signals:
    // The message was handed to the host.
    void sent();
    // The attempt ended without a hand-over.
    void failed();
    // The connection profile lacks its access point or message centre; failed() follows.
    void configurationMissed();

public slots:
    void slotOnSend();
    void slotOnEmptyDialogFinished(int result);
    void slotSendMessage();
    void slotSendValidationFailed(int error);
    void doSendMessage();
    bool resizeAll();
    void slotOnPictureResizeFinished(QStringList newFileNames, bool status);

private:
    bool passesChecks();
    bool passesRecipientChecks();
    void fail(const QString& bannerId = QString());
    MmsOutgoingMessage message() const;
    QStringList recipients() const;

    QStringList m_to;
    QStringList m_cc;
    QStringList m_bcc;
    QString m_subject;
    QString m_text;
    MmsMessageFolder m_folder;
    QList<MessageSender::PropertyMap> m_sendList;
    QPointer<MessageSender> m_sender;
    MmsTimedBanner* m_banner;
    QList<MmsAttachment*> m_attachments;
    SendValidator* m_sendValidator;
    bool m_sendStarted = false;
    // The send-requested flag is set only once the pictures fit; this one covers the resize.
    bool m_resizing = false;
    MmsResizeThread* m_resizeThread;
};
