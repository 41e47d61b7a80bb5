#pragma once

#include <QDebug>
#include <QList>
#include <QObject>
#include <QPointer>

class MMSDownloader;

// Sends read reports for messages deleted unread, in batches: reports are
// queued, and a batch goes out through a downloader of its own as soon as
// that is ready. A downloader serves one batch.
class ReadReportSender : public QObject
{
    Q_OBJECT
public:
    struct PendingReport
    {
        QString mmsId;
        QString to;
        bool read = false;
    };

    explicit ReadReportSender(const QString& remoteUid, QObject* parent = nullptr);

    void queueReport(const QString& mmsId, const QString& to, bool read);
    int reportsCount() const { return m_pendingReports.size(); }
    // Sends the pending reports now, or as soon as the downloader is ready.
    void sendReports();
    // Makes the downloader if there is none; true when it is ready.
    bool ensureDownloader();

signals:
    // The pending reports went out or were dropped; none is pending now.
    void batchFinished();

private slots:
    void downloaderReady(bool ready);

private:
    void sendPendingReports();
    void releaseDownloader();

    QString m_remoteUid;
    QPointer<MMSDownloader> m_downloader;
    QList<PendingReport> m_pendingReports;
};

QDebug operator<<(QDebug debug, const ReadReportSender::PendingReport& report);
