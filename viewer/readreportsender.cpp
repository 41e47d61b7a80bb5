#include "readreportsender.h"

#include "mmsdownloader.h"
#include "viewer_debug.h"

ReadReportSender::ReadReportSender(const QString& remoteUid, QObject* parent)
    : QObject(parent)
    , m_remoteUid(remoteUid)
{
}

void ReadReportSender::queueReport(const QString& mmsId, const QString& to, bool read)
{
    m_pendingReports.append({mmsId, to, read});
}

bool ReadReportSender::ensureDownloader()
{
    if (!m_downloader) {
        qCDebug(lcReadReport) << "[MMS-READREPORT] Creating new downloader iface sender for "
                              << m_remoteUid;
        m_downloader = new MMSDownloader(m_remoteUid, MMSDownloader::mmsAccountPath(), this);
        connect(m_downloader, &MMSDownloader::ready, this, &ReadReportSender::downloaderReady);
        m_downloader->init();
    }
    // A downloader that got ready inside init() has served its batch already.
    return m_downloader && m_downloader->isReady();
}

void ReadReportSender::sendReports()
{
    if (ensureDownloader()) {
        qCDebug(lcReadReport) << "[MMS-READREPORT] Sending pending Read Reports"
                              << m_pendingReports;
        sendPendingReports();
    }
}

void ReadReportSender::downloaderReady(bool ready)
{
    if (!ready) {
        qCWarning(lcReadReport) << "[MMS-READREPORT] Downloaded failed to get ready. Drop reports"
                                << m_pendingReports;
        m_pendingReports.clear();
        // A failed downloader stays failed; the next batch tries with a new one.
        releaseDownloader();
        emit batchFinished();
        return;
    }
    sendPendingReports();
}

// Every report of this sender is one of a message deleted unread.
void ReadReportSender::sendPendingReports()
{
    qCDebug(lcReadReport) << "[MMS-READREPORT] Sending pending reports" << m_pendingReports;
    const QList<PendingReport> batch = m_pendingReports;
    m_pendingReports.clear();
    for (const PendingReport& report : batch) {
        m_downloader->sendReadReport(report.mmsId, report.to, false);
    }
    releaseDownloader();
    emit batchFinished();
}

void ReadReportSender::releaseDownloader()
{
    m_downloader->deleteLater();
    m_downloader.clear();
}

QDebug operator<<(QDebug debug, const ReadReportSender::PendingReport& report)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "PendingReadReport(mmsId:" << report.mmsId << ", to:" << report.to
                    << ", read:" << report.read << ')';
    return debug;
}
