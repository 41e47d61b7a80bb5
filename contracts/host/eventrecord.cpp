#include "eventrecord.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace Chronel {

namespace {

QString key(Event::Property property)
{
    return QString::number(int(property));
}

QJsonArray stringsToJson(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

QStringList stringsFromJson(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& item : value.toArray()) {
        list << item.toString();
    }
    return list;
}

QJsonArray partsToJson(const QList<MessagePart>& parts)
{
    QJsonArray array;
    for (const MessagePart& part : parts) {
        array.append(QJsonObject{{QStringLiteral("id"), part.contentId()},
                                 {QStringLiteral("type"), part.contentType()},
                                 {QStringLiteral("location"), part.contentLocation()},
                                 {QStringLiteral("text"), part.plainTextContent()},
                                 {QStringLiteral("uri"), part.uri()}});
    }
    return array;
}

QList<MessagePart> partsFromJson(const QJsonValue& value)
{
    QList<MessagePart> parts;
    for (const QJsonValue& item : value.toArray()) {
        const QJsonObject object = item.toObject();
        MessagePart part;
        part.setContentId(object.value(QStringLiteral("id")).toString());
        part.setContentType(object.value(QStringLiteral("type")).toString());
        part.setContentLocation(object.value(QStringLiteral("location")).toString());
        part.setPlainTextContent(object.value(QStringLiteral("text")).toString());
        part.setUri(object.value(QStringLiteral("uri")).toString());
        parts << part;
    }
    return parts;
}

QJsonArray contactsToJson(const QList<Event::Contact>& contacts)
{
    QJsonArray array;
    for (const Event::Contact& contact : contacts) {
        array.append(QJsonArray{contact.first, contact.second});
    }
    return array;
}

QList<Event::Contact> contactsFromJson(const QJsonValue& value)
{
    QList<Event::Contact> contacts;
    for (const QJsonValue& item : value.toArray()) {
        const QJsonArray pair = item.toArray();
        contacts << Event::Contact(pair.at(0).toInt(), pair.at(1).toString());
    }
    return contacts;
}

QJsonValue timeToJson(const QDateTime& time)
{
    return time.isValid() ? QJsonValue(time.toMSecsSinceEpoch()) : QJsonValue();
}

// Milliseconds a stored time may lie from the epoch: far beyond any message, and within what
// both a qint64 and QDateTime hold.
constexpr double kLatestTime = 8.64e15;

QDateTime timeFromJson(const QJsonValue& value)
{
    const double msecs = value.toDouble(std::nan(""));
    return std::isfinite(msecs) && std::abs(msecs) <= kLatestTime
               ? QDateTime::fromMSecsSinceEpoch(qint64(msecs))
               : QDateTime();
}

// A stored number that names none of the enum's values (a damaged or foreign record) reads as
// its unknown value, 0, never as a value the enum cannot hold.
template <typename Enum>
Enum enumFromJson(const QJsonValue& value, std::initializer_list<Enum> known)
{
    const int number = value.toInt();
    const bool isKnown = std::any_of(known.begin(), known.end(),
                                     [number](Enum candidate) { return int(candidate) == number; });
    return isKnown ? Enum(number) : Enum(0);
}

QJsonValue valueOf(const Event& event, Event::Property property)
{
    switch (property) {
    case Event::Id:
        return event.id();
    case Event::Type:
        return int(event.type());
    case Event::Direction:
        return int(event.direction());
    case Event::Status:
        return int(event.status());
    case Event::ReadStatusProperty:
        return int(event.readStatus());
    case Event::IsRead:
        return event.isRead();
    case Event::GroupId:
        return event.groupId();
    case Event::LocalUid:
        return event.localUid();
    case Event::RemoteUid:
        return event.remoteUid();
    case Event::ToList:
        return stringsToJson(event.toList());
    case Event::CcList:
        return stringsToJson(event.ccList());
    case Event::BccList:
        return stringsToJson(event.bccList());
    case Event::Subject:
        return event.subject();
    case Event::FreeText:
        return event.freeText();
    case Event::MessageParts:
        return partsToJson(event.messageParts());
    case Event::MessageToken:
        return event.messageToken();
    case Event::MmsId:
        return event.mmsId();
    case Event::ContentLocation:
        return event.contentLocation();
    case Event::BytesReceived:
        return event.bytesReceived();
    case Event::StartTime:
        return timeToJson(event.startTime());
    case Event::EndTime:
        return timeToJson(event.endTime());
    case Event::Contacts:
        return contactsToJson(event.contacts());
    case Event::ReportDelivery:
        return event.reportDelivery();
    case Event::ReportRead:
        return event.reportRead();
    case Event::ReportReadRequested:
        return event.reportReadRequested();
    case Event::PropertyCount:
        break;
    }
    return QJsonValue();
}

void assign(Event& event, Event::Property property, const QJsonValue& value)
{
    switch (property) {
    case Event::Id:
        event.setId(value.toInt(-1));
        break;
    case Event::Type:
        event.setType(enumFromJson(
            value, {Event::CallEvent, Event::SMSEvent, Event::IMEvent, Event::MMSEvent}));
        break;
    case Event::Direction:
        event.setDirection(enumFromJson(value, {Event::Inbound, Event::Outbound}));
        break;
    case Event::Status:
        event.setStatus(
            enumFromJson(value, {Event::SendingStatus, Event::SentStatus, Event::DeliveredStatus,
                                 Event::TemporarilyFailedStatus, Event::PermanentlyFailedStatus,
                                 Event::DownloadingStatus, Event::ManualNotificationStatus}));
        break;
    case Event::ReadStatusProperty:
        event.setReadStatus(enumFromJson(value, {Event::ReadStatusRead, Event::ReadStatusDeleted}));
        break;
    case Event::IsRead:
        event.setIsRead(value.toBool());
        break;
    case Event::GroupId:
        event.setGroupId(value.toInt(-1));
        break;
    case Event::LocalUid:
        event.setLocalUid(value.toString());
        break;
    case Event::RemoteUid:
        event.setRemoteUid(value.toString());
        break;
    case Event::ToList:
        event.setToList(stringsFromJson(value));
        break;
    case Event::CcList:
        event.setCcList(stringsFromJson(value));
        break;
    case Event::BccList:
        event.setBccList(stringsFromJson(value));
        break;
    case Event::Subject:
        event.setSubject(value.toString());
        break;
    case Event::FreeText:
        event.setFreeText(value.toString());
        break;
    case Event::MessageParts:
        event.setMessageParts(partsFromJson(value));
        break;
    case Event::MessageToken:
        event.setMessageToken(value.toString());
        break;
    case Event::MmsId:
        event.setMmsId(value.toString());
        break;
    case Event::ContentLocation:
        event.setContentLocation(value.toString());
        break;
    case Event::BytesReceived:
        event.setBytesReceived(value.toInt());
        break;
    case Event::StartTime:
        event.setStartTime(timeFromJson(value));
        break;
    case Event::EndTime:
        event.setEndTime(timeFromJson(value));
        break;
    case Event::Contacts:
        event.setContacts(contactsFromJson(value));
        break;
    case Event::ReportDelivery:
        event.setReportDelivery(value.toBool());
        break;
    case Event::ReportRead:
        event.setReportRead(value.toBool());
        break;
    case Event::ReportReadRequested:
        event.setReportReadRequested(value.toBool());
        break;
    case Event::PropertyCount:
        break;
    }
}

} // namespace

QJsonObject EventRecord::toJson(const Event& event)
{
    QJsonObject record;
    for (int p = 0; p < Event::PropertyCount; ++p) {
        record.insert(key(Event::Property(p)), valueOf(event, Event::Property(p)));
    }
    return record;
}

void EventRecord::fromJson(const QJsonObject& record, Event& event, const Event::PropertySet& only)
{
    for (int p = 0; p < Event::PropertyCount; ++p) {
        const auto property = Event::Property(p);
        if ((only.isEmpty() || only.contains(property)) && record.contains(key(property))) {
            assign(event, property, record.value(key(property)));
        }
    }
}

void EventRecord::merge(const Event& event, const Event::PropertySet& properties,
                        QJsonObject& record)
{
    for (Event::Property property : properties) {
        if (property != Event::PropertyCount) {
            record.insert(key(property), valueOf(event, property));
        }
    }
}

} // namespace Chronel
