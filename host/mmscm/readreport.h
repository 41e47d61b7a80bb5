#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

// A read report as the connection manager received it; a(ssb) on the bus.
struct ReadReport
{
    QString messageId;
    QString to;
    bool isRead = false;

    bool operator==(const ReadReport& other) const;
    // Makes the types known to QtDBus; call before using them on the bus.
    static void registerMetaTypes();
};

using ReadReportList = QList<ReadReport>;

QDBusArgument& operator<<(QDBusArgument& argument, const ReadReport& report);
const QDBusArgument& operator>>(const QDBusArgument& argument, ReadReport& report);

Q_DECLARE_METATYPE(ReadReport)
Q_DECLARE_METATYPE(ReadReportList)
