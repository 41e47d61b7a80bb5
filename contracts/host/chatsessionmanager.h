#pragma once

#include "chatcontext.h"
#include "chatsession.h"

#include <QHash>
#include <QObject>

class ChatSessionError;

// The host's chat-session layer: hands out the Telepathy channel of an
// account and remote party. The connection manager of an account
// "/org/freedesktop/Telepathy/Account/<cm>/<protocol>/<name>" owns the bus
// name "org.freedesktop.Telepathy.Connection.<cm>.<protocol>.<name>" and
// serves the channel of a party at
// "/org/freedesktop/Telepathy/Connection/<cm>/<protocol>/<name>/channel/<escaped uid>",
// the uid escaped like Telepathy object path elements; setChannelLocation()
// overrides service and connection path per account. The manager is ready
// once it has found the session bus.
class ChatSessionManager : public QObject
{
    Q_OBJECT
public:
    static ChatSessionManager* instance(QObject* parent = nullptr);

    bool isReady() const { return m_ready; }
    // Connects to the session bus; managerReady() follows from the loop. Without
    // a bus the manager stays not ready (and says why in the log).
    void initialize();

    // The session of the context if it is ready, else null.
    ChatSessionPtr getReadyChatSession(const ChatContext& context) const;
    // Makes (or finds) the session and announces it with prepareChatSession();
    // its readiness or error follows on the session.
    void requestChatSession(const QString& remoteUid, const QString& accountPath);

    void setChannelLocation(const QString& accountPath, const QString& serviceName,
                            const QString& connectionPath);
    QString serviceName(const QString& accountPath) const;
    QString channelPath(const QString& accountPath, const QString& remoteUid) const;
    static QString escapePathElement(const QString& text);

    // Forgets every session and the readiness (tests start afresh with this).
    void reset();

signals:
    void managerReady();
    // `created`: the session is new; false when an existing one is handed out again.
    void prepareChatSession(ChatSessionPtr session, bool created);
    void chatSessionError(ChatSessionError& error);

private:
    explicit ChatSessionManager(QObject* parent);
    void becomeReady();
    void announce(const ChatSessionPtr& session, bool created);
    static QString key(const QString& accountPath, const QString& remoteUid);
    QString connectionPath(const QString& accountPath) const;

    struct Location
    {
        QString serviceName;
        QString connectionPath;
    };
    QHash<QString, Location> m_locations;
    QHash<QString, ChatSessionPtr> m_sessions;
    bool m_ready = false;
    bool m_initializing = false;
};
