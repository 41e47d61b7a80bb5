#pragma once

#include "outgoingmessage.h"

#include <QDBusContext>
#include <QObject>

class ConnectionManager;

// The interface "com.quenda.Mmscm.Outbox" (com.quenda.Mmscm.Outbox.xml)
// through which the host's message sender sends messages and follows their
// statuses.
class OutboxObject : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    explicit OutboxObject(ConnectionManager* manager, QObject* parent = nullptr);

public slots:
    void SendMessage(const QVariantMap& headers, const QVariantMapList& parts);

signals:
    void MessageStatusChanged(const QString& messageToken, uint status);

private:
    ConnectionManager* m_manager;
};
