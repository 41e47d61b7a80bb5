#include "chatsession.h"

#include "chatsessionerror.h"
#include "host_debug.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

ChatSession::ChatSession(const QString& remoteUid, const QString& accountPath,
                         const QString& serviceName, const QString& channelPath,
                         const QDBusConnection& connection, QObject* parent)
    : QObject(parent)
    , m_remoteUid(remoteUid)
    , m_accountPath(accountPath)
    , m_serviceName(serviceName)
    , m_channelPath(channelPath)
    , m_connection(connection)
{
}

void ChatSession::prepare()
{
    if (m_ready || m_preparing) {
        return;
    }
    m_preparing = true;
    if (!m_connection.isConnected() || !m_connection.interface()) {
        // Reported from the loop, like every other outcome.
        QTimer::singleShot(0, this, [this] {
            fail(ChatSessionError::BusUnavailable, m_connection.lastError().message());
        });
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        m_connection.interface()->asyncCall(QStringLiteral("NameHasOwner"), m_serviceName), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &ChatSession::onLookupFinished);
}

void ChatSession::onLookupFinished(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<bool> reply = *watcher;
    if (reply.isError()) {
        fail(ChatSessionError::LookupFailed, reply.error().message());
    } else if (!reply.value()) {
        fail(ChatSessionError::ServiceNotFound,
             QStringLiteral("%1 is not on the bus").arg(m_serviceName));
    } else {
        m_preparing = false;
        m_ready = true;
        emit chatSessionReady();
    }
}

void ChatSession::fail(int type, const QString& message)
{
    m_preparing = false;
    qCWarning(lcHost) << "[CHAT-SESSION]" << m_accountPath << m_remoteUid << message;
    ChatSessionError error(type, message);
    emit chatSessionError(error);
}
