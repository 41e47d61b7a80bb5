#include "incomingmessage.h"

#include "mmscmnames.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>
#include <QUuid>

#include <limits>

namespace {

const QString kFrom = QStringLiteral("message-from");
const QString kSubject = QStringLiteral("message-subject");
const QString kTo = QStringLiteral("message-to");
const QString kCc = QStringLiteral("message-cc");
const QString kToken = QStringLiteral("message-token");
const QString kMmsId = QStringLiteral("message-id");
const QString kReadReport = QStringLiteral("read-report-requested");

QStringList addresses(const QVariant& value)
{
    return value.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

// A header the control interface does not take, or one of the wrong type.
QString wrongHeader(const QVariantMap& headers)
{
    static const QHash<QString, int> types{
        {kFrom, QMetaType::QString},   {kSubject, QMetaType::QString}, {kTo, QMetaType::QString},
        {kCc, QMetaType::QString},     {kToken, QMetaType::QString},   {kMmsId, QMetaType::QString},
        {kReadReport, QMetaType::Bool}};
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        if (types.value(it.key(), QMetaType::UnknownType) != it.value().userType()) {
            return it.key();
        }
    }
    return QString();
}

bool isText(const QString& contentType)
{
    return contentType.startsWith(QLatin1String("text/plain")) ||
           contentType.startsWith(QLatin1String("application/smil"));
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

bool IncomingMessage::isSafeToken(const QString& token)
{
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9_.-]{0,127}$"));
    return safe.match(token).hasMatch();
}

IncomingMessage IncomingMessage::fromHeaders(const QVariantMap& headers, QString& error)
{
    IncomingMessage message;
    const QString wrong = wrongHeader(headers);
    if (!wrong.isEmpty()) {
        error = QStringLiteral("unknown header or wrong type: %1").arg(wrong);
        return message;
    }
    message.m_from = headers.value(kFrom).toString();
    message.m_subject = headers.value(kSubject).toString();
    message.m_to = addresses(headers.value(kTo));
    message.m_cc = addresses(headers.value(kCc));
    message.m_token =
        headers.value(kToken, QUuid::createUuid().toString(QUuid::WithoutBraces)).toString();
    message.m_mmsId = headers.value(kMmsId, QStringLiteral("mms-") + message.m_token).toString();
    message.m_readReportRequested = headers.value(kReadReport).toBool();
    if (message.m_from.isEmpty()) {
        error = QStringLiteral("no sender (%1)").arg(kFrom);
    } else if (!isSafeToken(message.m_token)) {
        error = QStringLiteral("message token %1 is not a plain name").arg(message.m_token);
    }
    return message;
}

QString IncomingMessage::location() const
{
    return QStringLiteral("http://mmsc.mms0.invalid/") + m_token;
}

Chronel::Event IncomingMessage::notification() const
{
    Chronel::Event event;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    event.setType(Chronel::Event::MMSEvent);
    event.setDirection(Chronel::Event::Inbound);
    event.setStatus(Chronel::Event::UnknownStatus);
    event.setLocalUid(Mmscm::accountPath);
    event.setRemoteUid(m_from);
    event.setToList(m_to);
    event.setCcList(m_cc);
    event.setSubject(m_subject);
    event.setMessageToken(m_token);
    event.setMmsId(m_mmsId);
    event.setContentLocation(location());
    event.setReportReadRequested(m_readReportRequested);
    event.setStartTime(now);
    event.setEndTime(now);
    return event;
}

Chronel::Event IncomingMessage::fetched(const QString& folder) const
{
    QList<Chronel::MessagePart> parts;
    QStringList texts;
    qint64 size = 0;
    for (const Part& part : m_parts) {
        const QString path = folder + QLatin1Char('/') + part.file;
        Chronel::MessagePart stored(part.contentId, part.contentType, path);
        if (isText(part.contentType)) {
            stored.setPlainTextContent(readText(path));
        }
        if (part.contentType.startsWith(QLatin1String("text/plain"))) {
            texts << stored.plainTextContent();
        }
        size += QFileInfo(path).size();
        parts << stored;
    }
    Chronel::Event event;
    event.setId(m_eventId);
    event.setStatus(Chronel::Event::UnknownStatus);
    event.setMessageParts(parts);
    event.setFreeText(texts.join(QLatin1Char('\n')));
    event.setBytesReceived(int(qMin<qint64>(size, std::numeric_limits<int>::max())));
    event.setContentLocation(QString());
    return event;
}

QJsonObject IncomingMessage::toJson() const
{
    QJsonArray parts;
    for (const Part& part : m_parts) {
        parts.append(QJsonObject{{QStringLiteral("file"), part.file},
                                 {QStringLiteral("id"), part.contentId},
                                 {QStringLiteral("type"), part.contentType}});
    }
    return {{QStringLiteral("token"), m_token},
            {QStringLiteral("eventId"), m_eventId},
            {QStringLiteral("parts"), parts}};
}

IncomingMessage IncomingMessage::fromJson(const QJsonObject& record)
{
    IncomingMessage message;
    message.m_token = record.value(QStringLiteral("token")).toString();
    message.m_eventId = record.value(QStringLiteral("eventId")).toInt(-1);
    for (const QJsonValue& value : record.value(QStringLiteral("parts")).toArray()) {
        const QJsonObject part = value.toObject();
        message.m_parts << Part{part.value(QStringLiteral("file")).toString(),
                                part.value(QStringLiteral("id")).toString(),
                                part.value(QStringLiteral("type")).toString()};
    }
    return message;
}
