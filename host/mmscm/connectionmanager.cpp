#include "connectionmanager.h"

#include "historystore.h"
#include "messagefolder.h"
#include "mmscm_debug.h"
#include "mmscmnames.h"

namespace {

// The history event of a sent message; the message sender recorded it.
int sentEventId(const QString& token)
{
    for (const Chronel::Event& event : Chronel::HistoryStore::instance()->events()) {
        if (event.direction() == Chronel::Event::Outbound && event.messageToken() == token) {
            return event.id();
        }
    }
    return -1;
}

} // namespace

ConnectionManager::ConnectionManager(const QString& spoolFolder, int stepInterval, QObject* parent)
    : QObject(parent)
    , m_spool(spoolFolder)
    , m_stepInterval(stepInterval)
{
    for (const IncomingMessage& message : m_spool.waitingMessages()) {
        m_waiting.insert(message.token(), message);
    }
}

int ConnectionManager::queueMessage(const QString& folder, const QVariantMap& headers,
                                    QString& error)
{
    IncomingMessage message = IncomingMessage::fromHeaders(headers, error);
    if (error.isEmpty()) {
        message.setParts(MessageFolder::read(folder, error));
    }
    if (!error.isEmpty() || !queue(message, error)) {
        qCWarning(lcMmscm) << "[MMSCM] Refused message" << folder << ":" << error;
        return -1;
    }
    return message.eventId();
}

bool ConnectionManager::queue(IncomingMessage& message, QString& error)
{
    if (m_spool.knows(message.token())) {
        error = QStringLiteral("message token %1 is taken").arg(message.token());
        return false;
    }
    if (!hold(message, error)) {
        return false;
    }
    m_waiting.insert(message.token(), message);
    qCDebug(lcMmscm) << "[MMSCM] Message" << message.token() << "waits, event" << message.eventId();
    return true;
}

// The notification goes into the history only with the message in the spool.
bool ConnectionManager::hold(IncomingMessage& message, QString& error)
{
    Chronel::HistoryStore* history = Chronel::HistoryStore::instance();
    Chronel::Event notification = message.notification();
    if (!history->addEvent(notification)) {
        error = QStringLiteral("the history store cannot take the notification");
        return false;
    }
    message.setEventId(notification.id());
    if (!m_spool.hold(message, error)) {
        history->deleteEvent(notification.id());
        return false;
    }
    return true;
}

bool ConnectionManager::failNextDownload(uint status)
{
    if (status == Success) {
        return false;
    }
    m_nextPlan = DownloadJob::Fail;
    m_nextFailure = status;
    return true;
}

void ConnectionManager::stallNextDownload()
{
    m_nextPlan = DownloadJob::Stall;
}

uint ConnectionManager::download(const QString& channelPath, const QString& token,
                                 const QString& url)
{
    qCDebug(lcMmscm) << "[MMSCM] Download" << token << "from" << url << "on" << channelPath;
    m_downloadRequests << token;
    const auto waiting = m_waiting.constFind(token);
    if (waiting == m_waiting.constEnd() || waiting->location() != url) {
        // Completed as well, so that a client following the signals learns it.
        QTimer::singleShot(
            0, this, [this, channelPath, token] { complete(channelPath, token, UnknownMessage); });
        return UnknownMessage;
    }
    if (m_downloads.contains(token)) {
        return Success;
    }
    auto* job = new DownloadJob(channelPath, token, m_stepInterval, this);
    m_downloads.insert(token, job);
    connect(job, &DownloadJob::started, this,
            [this, job] { emit downloadStarted(job->channelPath(), job->token()); });
    connect(job, &DownloadJob::progressed, this, [this, job](uint stage, uint value) {
        emit downloadProgressed(job->channelPath(), stage, value, job->token());
    });
    connect(job, &DownloadJob::finished, this,
            [this, job](uint status) { onTransferFinished(job, status); });
    job->start(m_nextPlan, m_nextFailure);
    m_nextPlan = DownloadJob::Complete;
    return Success;
}

void ConnectionManager::onTransferFinished(DownloadJob* job, uint status)
{
    retire(job);
    const IncomingMessage message = m_waiting.value(job->token());
    if (status == Success) {
        status = store(message);
    } else {
        markFailed(message);
    }
    if (status == Success) {
        m_waiting.remove(job->token());
    }
    complete(job->channelPath(), job->token(), status);
}

uint ConnectionManager::store(const IncomingMessage& message)
{
    const bool stored = m_spool.deliver(message.token(), [&message](const QString& folder) {
        Chronel::Event fetched = message.fetched(folder);
        return Chronel::HistoryStore::instance()->modifyEvent(fetched);
    });
    if (!stored) {
        qCWarning(lcMmscm) << "[MMSCM] Fetched message" << message.token()
                           << "cannot be stored, event" << message.eventId();
    }
    return stored ? Success : StoreFailure;
}

// The conversation then shows that the download failed.
void ConnectionManager::markFailed(const IncomingMessage& message)
{
    Chronel::Event failed;
    failed.setId(message.eventId());
    failed.setStatus(Chronel::Event::TemporarilyFailedStatus);
    Chronel::HistoryStore::instance()->modifyEvent(failed);
}

uint ConnectionManager::cancel(const QString& token)
{
    DownloadJob* job = m_downloads.value(token);
    if (!job) {
        return UnknownMessage;
    }
    retire(job);
    // After the reply to Cancel.
    QTimer::singleShot(0, this, [this, channelPath = job->channelPath(), token] {
        complete(channelPath, token, Cancelled);
    });
    return Success;
}

uint ConnectionManager::cancelAll()
{
    for (const QString& token : m_downloads.keys()) {
        cancel(token);
    }
    return Success;
}

// The job says nothing more; it goes once the event loop runs.
void ConnectionManager::retire(DownloadJob* job)
{
    m_downloads.remove(job->token());
    job->disconnect(this);
    job->deleteLater();
}

void ConnectionManager::complete(const QString& channelPath, const QString& token, uint status)
{
    qCDebug(lcMmscm) << "[MMSCM] Download" << token << "completed with" << status;
    emit downloadCompleted(channelPath, token, status);
}

uint ConnectionManager::receiveReadReport(const ReadReport& report)
{
    qCDebug(lcMmscm) << "[MMSCM] Read report for" << report.messageId << "to" << report.to << "read"
                     << report.isRead;
    m_readReports << report;
    emit readReportReceived(report);
    if (m_returned.contains(report.messageId)) {
        markRead(m_returned.value(report.messageId), report.isRead);
    }
    return Success;
}

void ConnectionManager::sendMessage(const OutgoingMessage& message)
{
    qCDebug(lcMmscm) << "[MMSCM] Sending" << message.token() << "to" << message.recipients();
    QList<Chronel::Event::EventStatus> steps{Chronel::Event::SendingStatus,
                                             Chronel::Event::SentStatus};
    if (message.deliveryReportRequested()) {
        steps << Chronel::Event::DeliveredStatus;
    }
    for (int step = 0; step < steps.size(); ++step) {
        QTimer::singleShot(m_stepInterval * (step + 1), this,
                           [this, token = message.token(), status = steps.at(step)] {
                               reportStatus(token, status);
                           });
    }
    if (message.recipients().contains(Mmscm::loopbackAddress)) {
        QTimer::singleShot(m_stepInterval * (steps.size() + 1), this,
                           [this, message] { sendBack(message); });
    }
}

void ConnectionManager::reportStatus(const QString& token, Chronel::Event::EventStatus status)
{
    qCDebug(lcMmscm) << "[MMSCM] Message" << token << "status" << status;
    Chronel::Event update;
    update.setId(sentEventId(token));
    update.setStatus(status);
    if (update.id() >= 0) {
        Chronel::HistoryStore::instance()->modifyEvent(update);
    }
    emit messageStatusChanged(token, status);
}

// The other phone receives the message and sends it back, asking for a read report.
void ConnectionManager::sendBack(const OutgoingMessage& message)
{
    QString error;
    IncomingMessage copy =
        IncomingMessage::fromHeaders(message.returnHeaders(Mmscm::loopbackAddress), error);
    copy.setParts(message.parts());
    if (!queue(copy, error)) {
        qCWarning(lcMmscm) << "[MMSCM] Message" << message.token() << "cannot come back:" << error;
        return;
    }
    m_returned.insert(copy.mmsId(), message.token());
}

// A read report on the returned copy is the other phone's report on the sent message.
void ConnectionManager::markRead(const QString& token, bool isRead)
{
    Chronel::Event update;
    update.setId(sentEventId(token));
    update.setStatus(Chronel::Event::DeliveredStatus);
    update.setReadStatus(isRead ? Chronel::Event::ReadStatusRead
                                : Chronel::Event::ReadStatusDeleted);
    if (update.id() >= 0) {
        Chronel::HistoryStore::instance()->modifyEvent(update);
    }
}
