#include "outboxobject.h"

#include "connectionmanager.h"
#include "mmscm_debug.h"

OutboxObject::OutboxObject(ConnectionManager* manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
{
    connect(manager, &ConnectionManager::messageStatusChanged, this,
            &OutboxObject::MessageStatusChanged);
}

void OutboxObject::SendMessage(const QVariantMap& headers, const QVariantMapList& parts)
{
    QString error;
    const OutgoingMessage message = OutgoingMessage::fromMaps(headers, parts, error);
    if (!error.isEmpty()) {
        qCWarning(lcMmscm) << "[MMSCM] Refused outgoing message" << message.token() << ":" << error;
        sendErrorReply(QStringLiteral("com.quenda.Mmscm.Error.InvalidMessage"), error);
        return;
    }
    m_manager->sendMessage(message);
}
