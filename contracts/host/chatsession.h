#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSharedPointer>

class ChatSessionError;
class QDBusPendingCallWatcher;

// The Telepathy channel of one account and remote party: where the
// connection manager serves it on the bus. The session is ready once the
// service has been found on its bus.
class ChatSession : public QObject
{
    Q_OBJECT
public:
    ChatSession(const QString& remoteUid, const QString& accountPath, const QString& serviceName,
                const QString& channelPath, const QDBusConnection& connection,
                QObject* parent = nullptr);

    QString remoteUid() const { return m_remoteUid; }
    QString accountPath() const { return m_accountPath; }
    QString serviceName() const { return m_serviceName; }
    QString channelPath() const { return m_channelPath; }
    QDBusConnection connection() const { return m_connection; }

    bool isReady() const { return m_ready; }
    bool isPreparing() const { return m_preparing; }

    // Looks the service up on the bus; chatSessionReady() or chatSessionError()
    // follows. Does nothing while a look-up runs or once ready.
    void prepare();

signals:
    void chatSessionReady();
    void chatSessionError(ChatSessionError& error);

private:
    void onLookupFinished(QDBusPendingCallWatcher* watcher);
    void fail(int type, const QString& message);

    QString m_remoteUid;
    QString m_accountPath;
    QString m_serviceName;
    QString m_channelPath;
    QDBusConnection m_connection;
    bool m_ready = false;
    bool m_preparing = false;
};

using ChatSessionPtr = QSharedPointer<ChatSession>;
Q_DECLARE_METATYPE(ChatSessionPtr)
