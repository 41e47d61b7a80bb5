#include "readreport.h"

#include <QDBusMetaType>

bool ReadReport::operator==(const ReadReport& other) const
{
    return messageId == other.messageId && to == other.to && isRead == other.isRead;
}

void ReadReport::registerMetaTypes()
{
    qDBusRegisterMetaType<ReadReport>();
    qDBusRegisterMetaType<ReadReportList>();
}

QDBusArgument& operator<<(QDBusArgument& argument, const ReadReport& report)
{
    argument.beginStructure();
    argument << report.messageId << report.to << report.isRead;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ReadReport& report)
{
    argument.beginStructure();
    argument >> report.messageId >> report.to >> report.isRead;
    argument.endStructure();
    return argument;
}
