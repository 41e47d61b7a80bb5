#include "chatsessionmanager.h"

#include "chatsessionerror.h"
#include "host_debug.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QTimer>

namespace {

const QString kAccountRoot = QStringLiteral("/org/freedesktop/Telepathy/Account/");
const QString kConnectionRoot = QStringLiteral("/org/freedesktop/Telepathy/Connection/");
const QString kConnectionService = QStringLiteral("org.freedesktop.Telepathy.Connection.");

// "mmscm/mms/mms0" of an account path; empty for anything else.
QString accountTail(const QString& accountPath)
{
    return accountPath.startsWith(kAccountRoot) ? accountPath.mid(kAccountRoot.length())
                                                : QString();
}

} // namespace

ChatSessionManager* ChatSessionManager::instance(QObject* parent)
{
    static ChatSessionManager* manager = new ChatSessionManager(parent);
    return manager;
}

ChatSessionManager::ChatSessionManager(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<ChatSessionPtr>();
}

void ChatSessionManager::initialize()
{
    if (m_ready || m_initializing) {
        return;
    }
    m_initializing = true;
    QTimer::singleShot(0, this, &ChatSessionManager::becomeReady);
}

void ChatSessionManager::becomeReady()
{
    m_initializing = false;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCWarning(lcHost) << "[CHAT-SESSION] no session bus:" << bus.lastError().message();
        return;
    }
    m_ready = true;
    emit managerReady();
}

void ChatSessionManager::reset()
{
    m_sessions.clear();
    m_locations.clear();
    m_ready = false;
    m_initializing = false;
}

QString ChatSessionManager::key(const QString& accountPath, const QString& remoteUid)
{
    return accountPath + QLatin1Char('\n') + remoteUid;
}

ChatSessionPtr ChatSessionManager::getReadyChatSession(const ChatContext& context) const
{
    const ChatSessionPtr session =
        m_sessions.value(key(context.accountPath(), context.remoteUid()));
    return session && session->isReady() ? session : ChatSessionPtr();
}

void ChatSessionManager::requestChatSession(const QString& remoteUid, const QString& accountPath)
{
    ChatSessionPtr& session = m_sessions[key(accountPath, remoteUid)];
    const bool created = session.isNull();
    if (created) {
        session.reset(new ChatSession(remoteUid, accountPath, serviceName(accountPath),
                                      channelPath(accountPath, remoteUid),
                                      QDBusConnection::sessionBus()));
    }
    const ChatSessionPtr announced = session;
    // Announced first, so that the receiver can follow the session's readiness.
    QTimer::singleShot(0, this, [this, announced, created] { announce(announced, created); });
}

void ChatSessionManager::announce(const ChatSessionPtr& session, bool created)
{
    emit prepareChatSession(session, created);
    session->prepare();
}

void ChatSessionManager::setChannelLocation(const QString& accountPath, const QString& serviceName,
                                            const QString& connectionPath)
{
    m_locations.insert(accountPath, {serviceName, connectionPath});
}

QString ChatSessionManager::serviceName(const QString& accountPath) const
{
    const auto location = m_locations.constFind(accountPath);
    if (location != m_locations.constEnd()) {
        return location->serviceName;
    }
    return kConnectionService +
           accountTail(accountPath).replace(QLatin1Char('/'), QLatin1Char('.'));
}

QString ChatSessionManager::connectionPath(const QString& accountPath) const
{
    const auto location = m_locations.constFind(accountPath);
    return location != m_locations.constEnd() ? location->connectionPath
                                              : kConnectionRoot + accountTail(accountPath);
}

QString ChatSessionManager::channelPath(const QString& accountPath, const QString& remoteUid) const
{
    return connectionPath(accountPath) + QStringLiteral("/channel/") + escapePathElement(remoteUid);
}

QString ChatSessionManager::escapePathElement(const QString& text)
{
    if (text.isEmpty()) {
        return QStringLiteral("_");
    }
    QString escaped;
    for (const char byte : text.toUtf8()) {
        const uchar c = uchar(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            escaped += QLatin1Char(char(c));
        } else {
            escaped += QStringLiteral("_%1").arg(c, 2, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}
