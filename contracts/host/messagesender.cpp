#include "messagesender.h"

#include "historystore.h"
#include "host_debug.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFileInfo>
#include <QTimer>

namespace {

// The connection manager's outbox (com.quenda.Mmscm.Outbox.xml beside dravel-mmscm).
const QString kService = QStringLiteral("org.freedesktop.Telepathy.Connection.mmscm.mms.mms0");
const QString kPath = QStringLiteral("/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0");
const QString kOutbox = QStringLiteral("com.quenda.Mmscm.Outbox");

QString stringValue(const MessageSender::PropertyMap& map, const QString& key)
{
    return map.value(key).variant().toString();
}

QStringList addresses(const MessageSender::PropertyMap& header, const QString& key)
{
    return stringValue(header, key).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

Chronel::MessagePart partFrom(const MessageSender::PropertyMap& map)
{
    Chronel::MessagePart part;
    part.setContentType(stringValue(map, QStringLiteral("content-type")));
    part.setContentId(stringValue(map, QStringLiteral("identifier")));
    part.setContentLocation(stringValue(map, QStringLiteral("content-location")));
    part.setPlainTextContent(stringValue(map, QStringLiteral("content")));
    return part;
}

bool isPresent(const Chronel::MessagePart& part)
{
    return !part.plainTextContent().isEmpty() ||
           (!part.contentLocation().isEmpty() && QFileInfo::exists(part.contentLocation()));
}

QString textOf(const QList<Chronel::MessagePart>& parts)
{
    QStringList texts;
    for (const Chronel::MessagePart& part : parts) {
        if (part.contentType().startsWith(QLatin1String("text/plain")) &&
            !part.plainTextContent().isEmpty()) {
            texts << part.plainTextContent();
        }
    }
    return texts.join(QLatin1Char('\n'));
}

} // namespace

MessageSender::MessageSender(const QString& remoteUid, const QString& accountPath, bool autoDelete,
                             QObject* parent)
    : QObject(parent)
    , m_remoteUid(remoteUid)
    , m_accountPath(accountPath)
{
    qDBusRegisterMetaType<PropertyMap>();
    qDBusRegisterMetaType<QList<PropertyMap>>();
    if (autoDelete) {
        connect(this, &MessageSender::sent, this, &QObject::deleteLater);
        connect(this, &MessageSender::failed, this, &QObject::deleteLater);
    }
}

bool MessageSender::send(const QList<PropertyMap>& propertyMaps, const QString& text)
{
    Chronel::Event event;
    int failure = 0;
    if (buildEvent(propertyMaps, text, event, failure) &&
        !Chronel::HistoryStore::instance()->addEvent(event)) {
        failure = HistoryUnavailable;
    }
    if (failure != 0) {
        report(event.messageToken(), failure);
        return false;
    }
    m_eventId = event.id();
    m_token = event.messageToken();
    qCDebug(lcHost) << "[MESSAGE-SENDER] message" << m_token << "recorded as event" << m_eventId;
    handOver(propertyMaps);
    return true;
}

// Follows the statuses before asking, so that none is missed.
void MessageSender::handOver(QList<PropertyMap> propertyMaps)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, kPath, kOutbox, QStringLiteral("MessageStatusChanged"), this,
                SLOT(onStatusChanged(QString, uint)));
    PropertyMap header = propertyMaps.takeFirst();
    header.insert(QStringLiteral("delivery-report"),
                  QDBusVariant(bool(m_reportFlags & ReportDelivery)));
    header.insert(QStringLiteral("read-report"), QDBusVariant(bool(m_reportFlags & ReportRead)));
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kOutbox, QStringLiteral("SendMessage"));
    call << QVariant::fromValue(header) << QVariant::fromValue(propertyMaps);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &MessageSender::onHandOverFinished);
}

void MessageSender::onHandOverFinished(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    if (!call->isError()) {
        return;
    }
    qCWarning(lcHost).noquote() << "[MESSAGE-SENDER] message" << m_token
                                << "not handed over:" << call->error().message();
    Chronel::Event update;
    update.setId(m_eventId);
    update.setStatus(Chronel::Event::TemporarilyFailedStatus);
    Chronel::HistoryStore::instance()->modifyEvent(update);
    report(m_token, NotHandedOver);
}

void MessageSender::onStatusChanged(const QString& messageToken, uint status)
{
    if (messageToken == m_token && status == Chronel::Event::SentStatus) {
        QDBusConnection::sessionBus().disconnect(kService, kPath, kOutbox,
                                                 QStringLiteral("MessageStatusChanged"), this,
                                                 SLOT(onStatusChanged(QString, uint)));
        report(m_token, 0);
    }
}

bool MessageSender::buildEvent(const QList<PropertyMap>& propertyMaps, const QString& text,
                               Chronel::Event& event, int& failure) const
{
    const PropertyMap header = propertyMaps.value(0);
    event.setMessageToken(stringValue(header, QStringLiteral("message-token")));
    event.setToList(addresses(header, QStringLiteral("message-to")));
    event.setCcList(addresses(header, QStringLiteral("message-cc")));
    event.setBccList(addresses(header, QStringLiteral("message-bcc")));
    if (event.messageToken().isEmpty() ||
        event.toList().size() + event.ccList().size() + event.bccList().size() == 0) {
        failure = InvalidMessage;
        return false;
    }
    QList<Chronel::MessagePart> parts;
    for (int i = 1; i < propertyMaps.size(); ++i) {
        parts << partFrom(propertyMaps.at(i));
        if (!isPresent(parts.last())) {
            failure = MissingPart;
            return false;
        }
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    event.setType(Chronel::Event::MMSEvent);
    event.setDirection(Chronel::Event::Outbound);
    event.setStatus(Chronel::Event::SendingStatus);
    event.setIsRead(true);
    event.setLocalUid(m_accountPath);
    event.setRemoteUid(m_remoteUid);
    event.setSubject(stringValue(header, QStringLiteral("message-subject")));
    event.setMessageParts(parts);
    event.setFreeText(text.isEmpty() ? textOf(parts) : text);
    event.setStartTime(now);
    event.setEndTime(now);
    event.setReportDelivery(m_reportFlags & ReportDelivery);
    event.setReportRead(m_reportFlags & ReportRead);
    return true;
}

void MessageSender::report(const QString& token, int failure)
{
    if (failure != 0) {
        qCWarning(lcHost) << "[MESSAGE-SENDER] message" << token << "not sent, failure" << failure;
    }
    // Callers connect after send() returns; the verdict reaches them from the loop.
    QTimer::singleShot(0, this, [this, token, failure] {
        if (failure == 0) {
            emit sent(token);
        } else {
            emit failed(token, failure);
        }
    });
}
