#pragma once

#include "event.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QVariantMap>

// A message on its way to the phone, as the network holds it until it is
// fetched: who sent it, what it is called, and its part files.
class IncomingMessage
{
public:
    struct Part
    {
        // The file: a path while the message is being queued, then its name
        // inside the message's folder.
        QString file;
        QString contentId;
        QString contentType;
    };

    // Reads the control interface's headers; on refusal `error` says why.
    static IncomingMessage fromHeaders(const QVariantMap& headers, QString& error);
    // The token names the message's folder on disk, so it must be a plain name.
    static bool isSafeToken(const QString& token);
    // A message read back from the spool knows only what fetching needs:
    // token, event and parts.
    static IncomingMessage fromJson(const QJsonObject& record);
    QJsonObject toJson() const;

    QString token() const { return m_token; }
    QString mmsId() const { return m_mmsId; }
    // Where the message is fetched from: the notification's content location.
    QString location() const;
    int eventId() const { return m_eventId; }
    void setEventId(int id) { m_eventId = id; }
    QList<Part> parts() const { return m_parts; }
    void setParts(const QList<Part>& parts) { m_parts = parts; }

    // The received notification that announces the message.
    Chronel::Event notification() const;
    // The update that turns the notification into the message, its part
    // files being in `folder`.
    Chronel::Event fetched(const QString& folder) const;

private:
    QString m_token;
    QString m_mmsId;
    QString m_from;
    QString m_subject;
    QStringList m_to;
    QStringList m_cc;
    bool m_readReportRequested = false;
    int m_eventId = -1;
    QList<Part> m_parts;
};
