#pragma once

#include "chatsession.h"

#include <QDBusPendingReply>
#include <QObject>
#include <QSet>

#include <memory>

class ChannelInterfaceDownloadProxy;
class ChatSessionError;
class ChatSessionManager;
class QDBusInterface;
class QDBusServiceWatcher;

// The client of the MMS connection manager: obtains the Telepathy channel of
// the MMS account and one remote party through the host's chat-session layer,
// binds its Download and Progress interfaces, and offers download, cancel and
// read reports. Readiness and the connection manager's download signals are
// reported as its own signals.
class MMSDownloader : public QObject
{
    Q_OBJECT
public:
    // download() and cancel() while not ready: -1 as an unsigned value.
    static constexpr uint NotReady = 4294967295u;
    // The status of a download that cannot complete any more because the
    // connection manager left the bus or could not be reached (-2 unsigned).
    static constexpr uint ConnectionManagerLost = 4294967294u;

    // The Telepathy account of MMS, the one every downloader is made for.
    static QString mmsAccountPath();

    MMSDownloader(const QString& remoteUid, const QString& accountPath, QObject* parent = nullptr);
    ~MMSDownloader() override;

    bool isReady() const { return m_ready; }

    // Both wait for the connection manager's answer: its status, 0 on a D-Bus error.
    uint download(const QString& messageToken, const QString& url);
    uint cancel(const QString& messageToken);
    // Does not wait.
    void cancellAll();
    void sendReadReport(const QString& messageId, const QString& to, bool isRead);

public slots:
    void init();

signals:
    void ready(bool ready);
    void downloadStarted(QString id);
    void downloadCompleted(QString id, uint statusCode);
    void progress(uint stage, uint progressValue, QString id);

private slots:
    void onReady(bool ok);
    void slotOnManagerReady();
    void slotOnChatSessionReady();
    void slotOnChatSessionConstructed(ChatSessionPtr session);
    void slotOnChatSessionError(ChatSessionError& error);

private:
    void followSession();
    void bindInterfaces();
    uint waitForStatus(QDBusPendingReply<uint> reply, const QString& messageToken);
    void onCompleted(const QString& messageToken);
    void loseDownloads(QSet<QString> messageTokens);

    QString m_remoteUid;
    QString m_accountPath;
    ChatSessionManager* m_manager = nullptr;
    ChatSessionPtr m_session;
    ChannelInterfaceDownloadProxy* m_downloadInterface = nullptr;
    std::unique_ptr<QDBusInterface> m_progressInterface;
    bool m_ready = false;
    // Downloads asked for whose Completed has not arrived yet.
    QSet<QString> m_downloading;
    QDBusServiceWatcher* m_serviceWatcher = nullptr;
};
