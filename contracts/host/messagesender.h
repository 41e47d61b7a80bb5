#pragma once

#include "event.h"

#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QList>
#include <QMap>
#include <QObject>

// Takes an outgoing multimedia message over from a plug-in: one header map
// and one map per part (files in the message folder). It records the message
// in the history store as being sent, where the conversation shows it, and
// hands it to the MMS connection manager on the session bus, which writes the
// statuses that follow into the history store. The sender reports once the
// connection manager has sent the message, or the failure.
class MessageSender : public QObject
{
    Q_OBJECT
public:
    using PropertyMap = QMap<QString, QDBusVariant>;

    enum ReportFlag { ReportDelivery = 0x1, ReportRead = 0x2 };

    enum Failure {
        // No header map, no message token or no recipient.
        InvalidMessage = 1,
        // A part names a file that is not there and carries no content.
        MissingPart = 2,
        // The history store cannot record the message.
        HistoryUnavailable = 3,
        // The connection manager is not there or refused the message; the
        // recorded message is marked failed.
        NotHandedOver = 4,
    };

    // `autoDelete`: the sender deletes itself once it has reported.
    MessageSender(const QString& remoteUid, const QString& accountPath, bool autoDelete,
                  QObject* parent = nullptr);

    // Bits of ReportFlag: the reports the recipients are asked for.
    void setReportFlags(int flags) { m_reportFlags = flags; }
    int reportFlags() const { return m_reportFlags; }

    // `text` is what the conversation list shows for the message; when empty,
    // the text of its plain-text parts. Returns whether the message was taken;
    // sent() or failed() follows either way.
    bool send(const QList<PropertyMap>& propertyMaps, const QString& text);

    // The history event of the last message taken, -1 before.
    int eventId() const { return m_eventId; }

signals:
    void sent(const QString& messageToken);
    void failed(const QString& messageToken, int failure);

private slots:
    void onStatusChanged(const QString& messageToken, uint status);

private:
    void handOver(QList<PropertyMap> propertyMaps);
    void onHandOverFinished(QDBusPendingCallWatcher* call);
    bool buildEvent(const QList<PropertyMap>& propertyMaps, const QString& text,
                    Chronel::Event& event, int& failure) const;
    void report(const QString& token, int failure);

    QString m_remoteUid;
    QString m_accountPath;
    int m_reportFlags = 0;
    int m_eventId = -1;
    QString m_token;
};
