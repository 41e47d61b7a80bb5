#pragma once

#include "messagepart.h"

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace Chronel {

// One history entry (a message) as the history store keeps it. Every setter
// marks its property valid and modified; modifyEvent() writes only what is
// both, so a partial update carries just the id and the one changed property.
class Event
{
public:
    enum EventType { UnknownType = 0, CallEvent = 1, SMSEvent = 2, IMEvent = 3, MMSEvent = 6 };
    enum EventDirection { UnknownDirection = 0, Inbound = 1, Outbound = 2 };
    enum EventStatus {
        UnknownStatus = 0,
        SendingStatus = 1,
        SentStatus = 2,
        DeliveredStatus = 3,
        TemporarilyFailedStatus = 4,
        PermanentlyFailedStatus = 5,
        DownloadingStatus = 6,
        ManualNotificationStatus = 7,
    };
    enum ReadStatus { UnknownReadStatus = 0, ReadStatusRead = 1, ReadStatusDeleted = 2 };

    // Property 0 is the record identifier.
    enum Property {
        Id = 0,
        Type,
        Direction,
        Status,
        ReadStatusProperty,
        IsRead,
        GroupId,
        LocalUid,
        RemoteUid,
        ToList,
        CcList,
        BccList,
        Subject,
        FreeText,
        MessageParts,
        MessageToken,
        MmsId,
        ContentLocation,
        BytesReceived,
        StartTime,
        EndTime,
        Contacts,
        ReportDelivery,
        ReportRead,
        ReportReadRequested,
        PropertyCount
    };
    using PropertySet = QSet<Property>;
    // (contact id, display name)
    using Contact = QPair<int, QString>;

    Event();

    static QUrl idToUrl(int id);
    // -1 when the URL does not name an event.
    static int urlToId(const QUrl& url);

    bool isValid() const { return m_id >= 0; }

    int id() const { return m_id; }
    void setId(int id);
    EventType type() const { return m_type; }
    void setType(EventType type);
    EventDirection direction() const { return m_direction; }
    void setDirection(EventDirection direction);
    EventStatus status() const { return m_status; }
    void setStatus(EventStatus status);
    ReadStatus readStatus() const { return m_readStatus; }
    void setReadStatus(ReadStatus status);
    bool isRead() const { return m_isRead; }
    void setIsRead(bool read);
    int groupId() const { return m_groupId; }
    void setGroupId(int id);
    QString localUid() const { return m_localUid; }
    void setLocalUid(const QString& uid);
    QString remoteUid() const { return m_remoteUid; }
    void setRemoteUid(const QString& uid);
    QStringList toList() const { return m_toList; }
    void setToList(const QStringList& list);
    QStringList ccList() const { return m_ccList; }
    void setCcList(const QStringList& list);
    QStringList bccList() const { return m_bccList; }
    void setBccList(const QStringList& list);
    QString subject() const { return m_subject; }
    void setSubject(const QString& subject);
    QString freeText() const { return m_freeText; }
    void setFreeText(const QString& text);
    QList<MessagePart> messageParts() const { return m_messageParts; }
    void setMessageParts(const QList<MessagePart>& parts);
    QString messageToken() const { return m_messageToken; }
    void setMessageToken(const QString& token);
    QString mmsId() const { return m_mmsId; }
    void setMmsId(const QString& id);
    QString contentLocation() const { return m_contentLocation; }
    void setContentLocation(const QString& location);
    int bytesReceived() const { return m_bytesReceived; }
    void setBytesReceived(int bytes);
    QDateTime startTime() const { return m_startTime; }
    void setStartTime(const QDateTime& time);
    QDateTime endTime() const { return m_endTime; }
    void setEndTime(const QDateTime& time);
    QList<Contact> contacts() const { return m_contacts; }
    void setContacts(const QList<Contact>& contacts);
    bool reportDelivery() const { return m_reportDelivery; }
    void setReportDelivery(bool report);
    bool reportRead() const { return m_reportRead; }
    void setReportRead(bool report);
    bool reportReadRequested() const { return m_reportReadRequested; }
    void setReportReadRequested(bool requested);

    PropertySet validProperties() const { return m_valid; }
    void setValidProperties(const PropertySet& properties) { m_valid = properties; }
    PropertySet modifiedProperties() const { return m_modified; }
    void setModifiedProperties(const PropertySet& properties) { m_modified = properties; }
    void resetModifiedProperties() { m_modified.clear(); }

    bool operator==(const Event& other) const;
    bool operator!=(const Event& other) const { return !(*this == other); }

private:
    void touch(Property property);

    int m_id = -1;
    EventType m_type = UnknownType;
    EventDirection m_direction = UnknownDirection;
    EventStatus m_status = UnknownStatus;
    ReadStatus m_readStatus = UnknownReadStatus;
    bool m_isRead = false;
    int m_groupId = -1;
    QString m_localUid;
    QString m_remoteUid;
    QStringList m_toList;
    QStringList m_ccList;
    QStringList m_bccList;
    QString m_subject;
    QString m_freeText;
    QList<MessagePart> m_messageParts;
    QString m_messageToken;
    QString m_mmsId;
    QString m_contentLocation;
    int m_bytesReceived = 0;
    QDateTime m_startTime;
    QDateTime m_endTime;
    QList<Contact> m_contacts;
    bool m_reportDelivery = false;
    bool m_reportRead = false;
    bool m_reportReadRequested = false;
    PropertySet m_valid;
    PropertySet m_modified;
};

using EventList = QList<Event>;

} // namespace Chronel

Q_DECLARE_METATYPE(Chronel::Event)
