#include "outgoingmessage.h"

#include <QFileInfo>

namespace {

QString text(const QVariantMap& map, const char* key)
{
    return map.value(QLatin1String(key)).toString();
}

} // namespace

OutgoingMessage OutgoingMessage::fromMaps(const QVariantMap& headers, const QVariantMapList& parts,
                                          QString& error)
{
    OutgoingMessage message;
    message.m_token = text(headers, "message-token");
    message.m_subject = text(headers, "message-subject");
    message.m_deliveryReport = headers.value(QStringLiteral("delivery-report")).toBool();
    for (const char* key : {"message-to", "message-cc", "message-bcc"}) {
        message.m_recipients << text(headers, key).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    if (!IncomingMessage::isSafeToken(message.m_token)) {
        error = QStringLiteral("message token %1 is not a plain name").arg(message.m_token);
    } else if (message.m_recipients.isEmpty()) {
        error = QStringLiteral("no recipient");
    } else if (parts.isEmpty()) {
        error = QStringLiteral("no parts");
    }
    for (const QVariantMap& part : parts) {
        if (!error.isEmpty() || !message.readPart(part, error)) {
            break;
        }
    }
    return message;
}

// The network keeps the part files by name, so two parts cannot share one.
bool OutgoingMessage::readPart(const QVariantMap& map, QString& error)
{
    const QFileInfo file(text(map, "content-location"));
    if (!file.isFile() || !file.isReadable()) {
        error = QStringLiteral("part file %1 cannot be read").arg(file.filePath());
        return false;
    }
    for (const IncomingMessage::Part& part : qAsConst(m_parts)) {
        if (QFileInfo(part.file).fileName() == file.fileName()) {
            error = QStringLiteral("two parts are named %1").arg(file.fileName());
            return false;
        }
    }
    m_parts.append({file.absoluteFilePath(), text(map, "identifier"), text(map, "content-type")});
    return true;
}

QVariantMap OutgoingMessage::returnHeaders(const QString& from) const
{
    return {{QStringLiteral("message-from"), from},
            {QStringLiteral("message-subject"), m_subject},
            {QStringLiteral("read-report-requested"), true}};
}
