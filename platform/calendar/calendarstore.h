#pragma once

#include <KCalendarCore/Incidence>
#include <KCalendarCore/MemoryCalendar>
#include <QString>

// The phone's calendar: an iCalendar file in the user's data folder, read and
// written through KCalendarCore's FileStorage. Every entry it holds is also in
// the content index, by its UID and summary (class ncal:Event, ncal:Todo or
// ncal:Journal), where pickers find it and whence its URI leads back here.
class CalendarStore
{
public:
    // "<user data folder>/calendar/calendar.ics".
    static QString defaultFileName();

    explicit CalendarStore(const QString& fileName = defaultFileName());

    QString fileName() const { return m_fileName; }

    // Reads the file; a calendar never written yet is empty. False when the
    // file cannot be read or is no calendar.
    bool open();
    bool isOpen() const { return m_open; }

    // The entry of that UID, null when there is none.
    KCalendarCore::Incidence::Ptr incidence(const QString& uid) const;
    KCalendarCore::Incidence::List incidences() const;

    // Adds the entry, or replaces the one of its UID, writes the file and
    // indexes the entry. Returns the entry's content-index URI, or an empty
    // string when the store is not open or the file cannot be written (the
    // store then stays as it was).
    QString addIncidence(const KCalendarCore::Incidence::Ptr& incidence);
    // Takes the entry out of the file and the index; false when there is none
    // or the file cannot be written.
    bool removeIncidence(const QString& uid);

    static QString indexClass(const KCalendarCore::Incidence::Ptr& incidence);

private:
    bool save();

    QString m_fileName;
    KCalendarCore::MemoryCalendar::Ptr m_calendar;
    bool m_open = false;
};
