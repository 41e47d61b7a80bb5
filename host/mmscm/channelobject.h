#pragma once

#include <QDBusVirtualObject>

class ConnectionManager;

// The Telepathy channels of the MMS connection manager, one per remote party,
// at "<connection path>/channel/<escaped uid>" as the host's chat-session
// layer computes them. Any party may turn up, so one virtual object serves
// every path below "channel": it answers the Download interface's methods
// and sends each download's Started, ActualProgressState and Completed on
// the path the download was asked for on.
class ChannelObject : public QDBusVirtualObject
{
    Q_OBJECT
public:
    explicit ChannelObject(ConnectionManager* manager, QObject* parent = nullptr);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    bool answer(const QDBusMessage& message, uint& status);
    static void sendSignal(const QString& path, const QString& interface, const QString& name,
                           const QVariantList& arguments);

    ConnectionManager* m_manager;
    QString m_introspection;
};
