#include "event.h"

namespace Chronel {

namespace {
const QString kUrlPrefix = QStringLiteral("chronel:event/");
}

Event::Event() = default;

QUrl Event::idToUrl(int id)
{
    return QUrl(kUrlPrefix + QString::number(id));
}

int Event::urlToId(const QUrl& url)
{
    const QString text = url.toString();
    if (!text.startsWith(kUrlPrefix)) {
        return -1;
    }
    bool ok = false;
    const int id = text.mid(kUrlPrefix.size()).toInt(&ok);
    return ok && id >= 0 ? id : -1;
}

void Event::touch(Property property)
{
    m_valid.insert(property);
    m_modified.insert(property);
}

void Event::setId(int id)
{
    m_id = id;
    touch(Id);
}

void Event::setType(EventType type)
{
    m_type = type;
    touch(Type);
}

void Event::setDirection(EventDirection direction)
{
    m_direction = direction;
    touch(Direction);
}

void Event::setStatus(EventStatus status)
{
    m_status = status;
    touch(Status);
}

void Event::setReadStatus(ReadStatus status)
{
    m_readStatus = status;
    touch(ReadStatusProperty);
}

void Event::setIsRead(bool read)
{
    m_isRead = read;
    touch(IsRead);
}

void Event::setGroupId(int id)
{
    m_groupId = id;
    touch(GroupId);
}

void Event::setLocalUid(const QString& uid)
{
    m_localUid = uid;
    touch(LocalUid);
}

void Event::setRemoteUid(const QString& uid)
{
    m_remoteUid = uid;
    touch(RemoteUid);
}

void Event::setToList(const QStringList& list)
{
    m_toList = list;
    touch(ToList);
}

void Event::setCcList(const QStringList& list)
{
    m_ccList = list;
    touch(CcList);
}

void Event::setBccList(const QStringList& list)
{
    m_bccList = list;
    touch(BccList);
}

void Event::setSubject(const QString& subject)
{
    m_subject = subject;
    touch(Subject);
}

void Event::setFreeText(const QString& text)
{
    m_freeText = text;
    touch(FreeText);
}

void Event::setMessageParts(const QList<MessagePart>& parts)
{
    m_messageParts = parts;
    touch(MessageParts);
}

void Event::setMessageToken(const QString& token)
{
    m_messageToken = token;
    touch(MessageToken);
}

void Event::setMmsId(const QString& id)
{
    m_mmsId = id;
    touch(MmsId);
}

void Event::setContentLocation(const QString& location)
{
    m_contentLocation = location;
    touch(ContentLocation);
}

void Event::setBytesReceived(int bytes)
{
    m_bytesReceived = bytes;
    touch(BytesReceived);
}

void Event::setStartTime(const QDateTime& time)
{
    m_startTime = time;
    touch(StartTime);
}

void Event::setEndTime(const QDateTime& time)
{
    m_endTime = time;
    touch(EndTime);
}

void Event::setContacts(const QList<Contact>& contacts)
{
    m_contacts = contacts;
    touch(Contacts);
}

void Event::setReportDelivery(bool report)
{
    m_reportDelivery = report;
    touch(ReportDelivery);
}

void Event::setReportRead(bool report)
{
    m_reportRead = report;
    touch(ReportRead);
}

void Event::setReportReadRequested(bool requested)
{
    m_reportReadRequested = requested;
    touch(ReportReadRequested);
}

bool Event::operator==(const Event& other) const
{
    return m_id == other.m_id && m_type == other.m_type && m_direction == other.m_direction &&
           m_status == other.m_status && m_readStatus == other.m_readStatus &&
           m_isRead == other.m_isRead && m_groupId == other.m_groupId &&
           m_localUid == other.m_localUid && m_remoteUid == other.m_remoteUid &&
           m_toList == other.m_toList && m_ccList == other.m_ccList &&
           m_bccList == other.m_bccList && m_subject == other.m_subject &&
           m_freeText == other.m_freeText && m_messageParts == other.m_messageParts &&
           m_messageToken == other.m_messageToken && m_mmsId == other.m_mmsId &&
           m_contentLocation == other.m_contentLocation &&
           m_bytesReceived == other.m_bytesReceived && m_startTime == other.m_startTime &&
           m_endTime == other.m_endTime && m_contacts == other.m_contacts &&
           m_reportDelivery == other.m_reportDelivery && m_reportRead == other.m_reportRead &&
           m_reportReadRequested == other.m_reportReadRequested;
}

} // namespace Chronel
