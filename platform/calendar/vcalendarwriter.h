#pragma once

#include <KCalendarCore/Incidence>
#include <QByteArray>
#include <QString>

// Writes calendar entries in vCalendar 1.0, the format phones exchange them
// in (CalendarCore reads it but cannot write it). Events become VEVENT, to-dos
// VTODO; journal notes have no vCalendar 1.0 form. Times are written in UTC,
// all-day entries as dates; text that is not plain printable ASCII is written
// quoted-printable in UTF-8.
class VCalendarWriter
{
public:
    // Empty when an entry has no vCalendar 1.0 form.
    static QByteArray toVCalendar(const KCalendarCore::Incidence::List& incidences);
    // False, with no file left behind, when an entry has no vCalendar 1.0
    // form or the file cannot be written.
    static bool save(const KCalendarCore::Incidence::List& incidences, const QString& fileName);
};
