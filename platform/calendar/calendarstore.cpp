#include "calendarstore.h"

#include "calendar_debug.h"
#include "contentindexer.h"
#include "qsparqlconnection.h"

#include <KCalendarCore/FileStorage>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimeZone>

using namespace KCalendarCore;

namespace {

void unindex(const QString& uid)
{
    QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
    ContentIndexer(connection).removeCalendarEntries(uid);
}

QString index(const Incidence::Ptr& incidence)
{
    QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
    ContentIndexer indexer(connection);
    // An entry is indexed once, however often it was saved.
    indexer.removeCalendarEntries(incidence->uid());
    return indexer.addCalendarEntry(incidence->uid(), CalendarStore::indexClass(incidence),
                                    incidence->summary());
}

} // namespace

QString CalendarStore::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/calendar/calendar.ics");
}

CalendarStore::CalendarStore(const QString& fileName)
    : m_fileName(fileName)
    , m_calendar(new MemoryCalendar(QTimeZone::systemTimeZone()))
{
}

bool CalendarStore::open()
{
    m_calendar->close();
    m_open = !QFileInfo::exists(m_fileName) || FileStorage(m_calendar, m_fileName).load();
    if (!m_open) {
        qCWarning(lcCalendar) << "Calendar file cannot be read:" << m_fileName;
        m_calendar->close();
    }
    return m_open;
}

Incidence::Ptr CalendarStore::incidence(const QString& uid) const
{
    return m_open ? m_calendar->incidence(uid) : Incidence::Ptr();
}

Incidence::List CalendarStore::incidences() const
{
    return m_open ? m_calendar->incidences() : Incidence::List();
}

QString CalendarStore::indexClass(const Incidence::Ptr& incidence)
{
    switch (incidence->type()) {
    case IncidenceBase::TypeTodo:
        return QStringLiteral("ncal:Todo");
    case IncidenceBase::TypeJournal:
        return QStringLiteral("ncal:Journal");
    default:
        return QStringLiteral("ncal:Event");
    }
}

bool CalendarStore::save()
{
    FileStorage storage(m_calendar, m_fileName);
    if (QDir().mkpath(QFileInfo(m_fileName).absolutePath()) && storage.save()) {
        return true;
    }
    qCWarning(lcCalendar) << "Calendar file cannot be written:" << m_fileName;
    return false;
}

QString CalendarStore::addIncidence(const Incidence::Ptr& incidence)
{
    if (!m_open || !incidence) {
        return QString();
    }
    const Incidence::Ptr previous = m_calendar->incidence(incidence->uid());
    if (previous) {
        m_calendar->deleteIncidence(previous);
    }
    m_calendar->addIncidence(incidence);
    if (!save()) {
        m_calendar->deleteIncidence(incidence);
        if (previous) {
            m_calendar->addIncidence(previous);
        }
        return QString();
    }
    return index(incidence);
}

bool CalendarStore::removeIncidence(const QString& uid)
{
    const Incidence::Ptr entry = incidence(uid);
    if (!entry) {
        return false;
    }
    m_calendar->deleteIncidence(entry);
    if (!save()) {
        m_calendar->addIncidence(entry);
        return false;
    }
    unindex(uid);
    return true;
}
