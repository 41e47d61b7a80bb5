#include "mmsdownloader.h"

#include "channelinterfacedownloadproxy.h"
#include "chatcontext.h"
#include "chatsessionerror.h"
#include "chatsessionmanager.h"
#include "viewer_debug.h"

#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace {

const QString kProgressInterface =
    QStringLiteral("org.freedesktop.Telepathy.Channel.Interface.Progress");

} // namespace

QString MMSDownloader::mmsAccountPath()
{
    return QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
}

MMSDownloader::MMSDownloader(const QString& remoteUid, const QString& accountPath, QObject* parent)
    : QObject(parent)
    , m_remoteUid(remoteUid)
    , m_accountPath(accountPath)
{
}

MMSDownloader::~MMSDownloader() = default;

void MMSDownloader::init()
{
    m_manager = ChatSessionManager::instance(nullptr);
    if (!m_manager->isReady()) {
        connect(m_manager, &ChatSessionManager::managerReady, this,
                &MMSDownloader::slotOnManagerReady, Qt::UniqueConnection);
        m_manager->initialize();
        return;
    }
    const ChatSessionPtr session =
        m_manager->getReadyChatSession(ChatContext(m_remoteUid, m_accountPath, 0, -1));
    if (!m_session) {
        if (!session) {
            slotOnManagerReady();
            return;
        }
        m_session = session;
    }
    qCDebug(lcMmsDownloader) << "[MMSDownloader] Session already exists";
    if (m_session->isReady()) {
        qCDebug(lcMmsDownloader) << "[MMSDownloader] Session is ready";
    }
    followSession();
}

void MMSDownloader::slotOnManagerReady()
{
    connect(m_manager, &ChatSessionManager::prepareChatSession, this,
            &MMSDownloader::slotOnChatSessionConstructed, Qt::UniqueConnection);
    connect(m_manager, &ChatSessionManager::chatSessionError, this,
            &MMSDownloader::slotOnChatSessionError, Qt::UniqueConnection);
    m_manager->requestChatSession(m_remoteUid, m_accountPath);
    disconnect(m_manager, &ChatSessionManager::managerReady, this,
               &MMSDownloader::slotOnManagerReady);
}

void MMSDownloader::slotOnChatSessionConstructed(ChatSessionPtr session)
{
    qCDebug(lcMmsDownloader) << "[MMSDownloader] SessionConstructor:" << session->accountPath()
                             << session->remoteUid();
    // The manager announces every session it makes, also those of other downloaders.
    if (session->accountPath() != m_accountPath || session->remoteUid() != m_remoteUid) {
        qCDebug(lcMmsDownloader) << "[MMSDownloader] Ignoring session constructor";
        return;
    }
    if (m_session && m_session != session) {
        disconnect(m_session.data(), nullptr, this, nullptr);
    }
    m_session = session;
    followSession();
}

// A session is announced again whenever someone asks for it, so every
// connection is made only once.
void MMSDownloader::followSession()
{
    connect(m_session.data(), &ChatSession::chatSessionError, this,
            &MMSDownloader::slotOnChatSessionError, Qt::UniqueConnection);
    if (m_session->isReady()) {
        slotOnChatSessionReady();
    } else {
        connect(m_session.data(), &ChatSession::chatSessionReady, this,
                &MMSDownloader::slotOnChatSessionReady, Qt::UniqueConnection);
    }
}

void MMSDownloader::slotOnChatSessionReady()
{
    onReady(true);
}

void MMSDownloader::slotOnChatSessionError(ChatSessionError& error)
{
    qCDebug(lcMmsDownloader) << "[MMSDownloader] Chat session error:" << error.type()
                             << error.message();
    onReady(false);
}

void MMSDownloader::onReady(bool ok)
{
    if (!ok) {
        qCDebug(lcMmsDownloader) << "[MMSDownloader] Unable to receive prepare ChatSession";
        emit ready(false);
        return;
    }
    if (m_ready) {
        // Bound already: binding again would forward every signal twice.
        return;
    }
    qCDebug(lcMmsDownloader) << "[MMSDownloader] Retrive Download and Progress interfaces";
    qCDebug(lcMmsDownloader) << "[MMSDownloader] Service(Bus) name:" << m_session->serviceName();
    qCDebug(lcMmsDownloader) << "[MMSDownloader] Channel path: " << m_session->channelPath();
    bindInterfaces();
    m_ready = true;
    emit ready(true);
}

void MMSDownloader::bindInterfaces()
{
    const QString service = m_session->serviceName();
    const QString path = m_session->channelPath();
    m_downloadInterface =
        new ChannelInterfaceDownloadProxy(service, path, m_session->connection(), this);
    m_progressInterface = std::make_unique<QDBusInterface>(service, path, kProgressInterface,
                                                           QDBusConnection::sessionBus());
    connect(m_downloadInterface, &ChannelInterfaceDownloadProxy::Started, this,
            &MMSDownloader::downloadStarted);
    // Before the forwarding, so that a receiver may start the same download again.
    connect(m_downloadInterface, &ChannelInterfaceDownloadProxy::Completed, this,
            &MMSDownloader::onCompleted);
    connect(m_downloadInterface, &ChannelInterfaceDownloadProxy::Completed, this,
            &MMSDownloader::downloadCompleted);
    if (!connect(m_progressInterface.get(), SIGNAL(ActualProgressState(uint, uint, QString)), this,
                 SIGNAL(progress(uint, uint, QString)))) {
        qCWarning(lcMmsDownloader) << "[MMSDownloader] No progress interface:"
                                   << m_progressInterface->lastError().message();
    }
    m_serviceWatcher = new QDBusServiceWatcher(service, m_session->connection(),
                                               QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_serviceWatcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        qCWarning(lcMmsDownloader) << "[MMSDownloader] Connection manager left the bus";
        loseDownloads(m_downloading);
    });
}

uint MMSDownloader::download(const QString& messageToken, const QString& url)
{
    if (!m_ready) {
        return NotReady;
    }
    m_downloading.insert(messageToken);
    return waitForStatus(m_downloadInterface->Download(messageToken, url), messageToken);
}

uint MMSDownloader::cancel(const QString& messageToken)
{
    if (!m_ready) {
        return NotReady;
    }
    return waitForStatus(m_downloadInterface->Cancel(messageToken), messageToken);
}

// Without an answer a download under way would never complete; it ends as
// lost, from the event loop, so that the owner can offer to retry.
uint MMSDownloader::waitForStatus(QDBusPendingReply<uint> reply, const QString& messageToken)
{
    reply.waitForFinished();
    if (!reply.isError()) {
        return reply.value();
    }
    qCWarning(lcMmsDownloader) << "[MMSDownloader] Connection manager error:"
                               << reply.error().message();
    QTimer::singleShot(0, this, [this, messageToken] { loseDownloads({messageToken}); });
    return 0;
}

void MMSDownloader::cancellAll()
{
    if (m_ready) {
        m_downloadInterface->CancelAll();
    }
}

void MMSDownloader::sendReadReport(const QString& messageId, const QString& to, bool isRead)
{
    qCDebug(lcDownloader) << "[DOWNLOADER] Send Read report to: " << to
                          << "message ID: " << messageId << " read: " << isRead;
    if (!m_ready) {
        qCDebug(lcDownloader)
            << "[DOWNLOADER] Send Read report is requested while downloader is not ready!";
        return;
    }
    QDBusPendingReply<uint> reply = m_downloadInterface->SendReadReport(messageId, to, isRead);
    reply.waitForFinished();
    qCDebug(lcDownloader) << "[DOWNLOADER] Read report is sent with error"
                          << (reply.isError() ? 0u : reply.value());
}

void MMSDownloader::onCompleted(const QString& messageToken)
{
    m_downloading.remove(messageToken);
}

// By value: receivers may start downloads again while this runs.
void MMSDownloader::loseDownloads(QSet<QString> messageTokens)
{
    for (const QString& token : messageTokens) {
        if (m_downloading.remove(token)) {
            emit downloadCompleted(token, ConnectionManagerLost);
        }
    }
}
