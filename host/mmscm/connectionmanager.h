#pragma once

#include "downloadjob.h"
#include "incomingmessage.h"
#include "messagespool.h"
#include "outgoingmessage.h"
#include "readreport.h"

#include <QHash>
#include <QObject>

// The MMS connection manager's own working, apart from the bus: it plays the
// network for the phone. It holds the messages waiting to be fetched (kept in
// a spool on disk), announces each in the history store as a received
// notification, runs downloads step by step and writes each fetched message
// into the history store, and records the read reports it is given. It sends
// the phone's messages too: their statuses go into the history store, and a
// message to the loopback address comes back as a received one.
class ConnectionManager : public QObject
{
    Q_OBJECT
public:
    // The statuses of the Download interface's methods and of Completed.
    enum Status : uint {
        Success = 0,
        NetworkFailure = 1,
        UnknownMessage = 2,
        Cancelled = 3,
        StoreFailure = 4,
    };

    // `stepInterval`: milliseconds between the progress steps of a download.
    ConnectionManager(const QString& spoolFolder, int stepInterval, QObject* parent = nullptr);

    // The channel side: what a client of a party's channel asks for.
    uint download(const QString& channelPath, const QString& token, const QString& url);
    uint cancel(const QString& token);
    uint cancelAll();
    uint receiveReadReport(const ReadReport& report);

    // The outbox side: reports sending, sent and, when asked for, delivered.
    void sendMessage(const OutgoingMessage& message);

    // The control side: how tests and the demo script the network.
    // The notification's event id, or -1 with `error` saying why.
    int queueMessage(const QString& folder, const QVariantMap& headers, QString& error);
    // The next download fails with `status`, which must not be 0.
    bool failNextDownload(uint status);
    void stallNextDownload();
    ReadReportList readReports() const { return m_readReports; }
    QStringList downloadRequests() const { return m_downloadRequests; }

signals:
    void downloadStarted(const QString& channelPath, const QString& token);
    void downloadProgressed(const QString& channelPath, uint stage, uint value,
                            const QString& token);
    void downloadCompleted(const QString& channelPath, const QString& token, uint status);
    void readReportReceived(const ReadReport& report);
    void messageStatusChanged(const QString& token, uint status);

private:
    bool queue(IncomingMessage& message, QString& error);
    bool hold(IncomingMessage& message, QString& error);
    void reportStatus(const QString& token, Chronel::Event::EventStatus status);
    void sendBack(const OutgoingMessage& message);
    void markRead(const QString& token, bool isRead);
    void onTransferFinished(DownloadJob* job, uint status);
    uint store(const IncomingMessage& message);
    void markFailed(const IncomingMessage& message);
    void retire(DownloadJob* job);
    void complete(const QString& channelPath, const QString& token, uint status);

    MessageSpool m_spool;
    int m_stepInterval;
    QHash<QString, IncomingMessage> m_waiting;
    QHash<QString, DownloadJob*> m_downloads;
    DownloadJob::Plan m_nextPlan = DownloadJob::Complete;
    uint m_nextFailure = NetworkFailure;
    ReadReportList m_readReports;
    QStringList m_downloadRequests;
    // The MMS id of each message sent back, to the token of the sent one.
    QHash<QString, QString> m_returned;
};
