#include "contactlocalid.h"

#include <cstring>

using namespace QtContacts;

// Stores keep their numbers either as the raw 32-bit value or as decimal text.
quint32 ContactLocalId::fromContactId(const QContactId& id)
{
    const QByteArray local = id.localId();
    if (local.size() == int(sizeof(quint32))) {
        quint32 number = 0;
        std::memcpy(&number, local.constData(), sizeof(number));
        return number;
    }
    bool ok = false;
    const quint32 number = local.toUInt(&ok);
    return ok ? number : 0;
}

QContactId ContactLocalId::toContactId(const QString& managerUri, quint32 localId)
{
    if (localId == 0)
        return QContactId();
    QByteArray local(sizeof(localId), Qt::Uninitialized);
    std::memcpy(local.data(), &localId, sizeof(localId));
    return QContactId(managerUri, local);
}

quint32 ContactLocalId::fromText(const QString& text)
{
    bool ok = false;
    const quint32 number = text.toUInt(&ok, 10);
    return ok ? number : 0;
}
