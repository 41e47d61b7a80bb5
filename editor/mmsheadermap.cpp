#include "mmsheadermap.h"

#include "mmsmainconfig.h"

#include <limits>

namespace {

void insertAddresses(MessageSender::PropertyMap& header, const QString& key,
                     const QStringList& addresses)
{
    if (!addresses.isEmpty())
        header.insert(key, QDBusVariant(addresses.join(QLatin1Char(';'))));
}

} // namespace

MessageSender::PropertyMap MmsHeaderMap::build(const MmsOutgoingMessage& message,
                                               const QString& token, quint32 messageSize)
{
    MessageSender::PropertyMap header{
        {QStringLiteral("message-subject"), QDBusVariant(message.subject)},
        {QStringLiteral("message-token"), QDBusVariant(token)},
        {QStringLiteral("message-validity"),
         QDBusVariant(validitySeconds(MmsMainConfig().messageValidity))},
        {QStringLiteral("x-mms-message-size"), QDBusVariant(messageSize)}};
    insertAddresses(header, QStringLiteral("message-to"), message.to);
    insertAddresses(header, QStringLiteral("message-cc"), message.cc);
    insertAddresses(header, QStringLiteral("message-bcc"), message.bcc);
    return header;
}

quint32 MmsHeaderMap::validitySeconds(int hours)
{
    if (hours < 0)
        return std::numeric_limits<quint32>::max();
    return quint32(qMin<quint64>(quint64(hours) * 3600, std::numeric_limits<quint32>::max()));
}
