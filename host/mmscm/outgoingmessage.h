#pragma once

#include "incomingmessage.h"

#include <QList>
#include <QVariantMap>

using QVariantMapList = QList<QVariantMap>;

// A message the phone sends, as the host's message sender hands it over:
// its header map and one map per part, the part files in the message folder.
class OutgoingMessage
{
public:
    // Reads the maps; on refusal `error` says why.
    static OutgoingMessage fromMaps(const QVariantMap& headers, const QVariantMapList& parts,
                                    QString& error);

    QString token() const { return m_token; }
    QStringList recipients() const { return m_recipients; }
    bool deliveryReportRequested() const { return m_deliveryReport; }
    // The headers of the same message coming back from `from`, asking for a read report.
    QVariantMap returnHeaders(const QString& from) const;
    // The parts, their files as paths.
    QList<IncomingMessage::Part> parts() const { return m_parts; }

private:
    bool readPart(const QVariantMap& map, QString& error);

    QString m_token;
    QString m_subject;
    QStringList m_recipients;
    bool m_deliveryReport = false;
    QList<IncomingMessage::Part> m_parts;
};
