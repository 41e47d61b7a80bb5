#include "calendarstore.h"
#include "freshdatafolder.h"
#include "qsparqlconnection.h"
#include "trackerhelper.h"
#include "vcalendarwriter.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/Journal>
#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/Todo>
#include <KCalendarCore/VCalFormat>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>
#include <memory>

using namespace KCalendarCore;

Q_DECLARE_METATYPE(Incidence::Ptr)

namespace {

const QTimeZone kHelsinki("Europe/Helsinki");

Incidence::Ptr makeEvent(const QString& summary, const QDateTime& start, const QDateTime& end,
                         bool allDay = false)
{
    Event::Ptr event(new Event);
    event->setUid(QStringLiteral("event-") + summary.left(8).toLatin1().toHex());
    event->setSummary(summary);
    event->setDtStart(start);
    event->setDtEnd(end);
    event->setAllDay(allDay);
    return event;
}

Incidence::Ptr entry(const QString& uid, const QString& summary, bool todo = false)
{
    Incidence::Ptr incidence = todo ? Incidence::Ptr(new Todo) : Incidence::Ptr(new Event);
    incidence->setUid(uid);
    incidence->setSummary(summary);
    incidence->setDtStart(QDateTime(QDate(2024, 5, 17), QTime(12, 0), Qt::UTC));
    return incidence;
}

// The entries of the content index whose UID is `uid`.
int indexedCount(const QString& uid)
{
    QSparqlConnection* index = TrackerHelper::instance()->connection();
    const std::unique_ptr<QSparqlResult> rows(index->syncExec(
        QSparqlQuery(QStringLiteral("SELECT ?o WHERE { ?o ncal:uid \"%1\" }").arg(uid))));
    int count = 0;
    while (rows->next())
        ++count;
    return count;
}

// A file that is no calendar.
bool write(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("this is no calendar\n") > 0;
}

} // namespace

// The calendar: the vCalendar files we write (what CalendarCore reads back from them is what was
// written), and the store of entries with its content index.
class TestCalendar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && kHelsinki.isValid());
        QVERIFY(useFreshDataFolder());
        QVERIFY(CalendarStore::defaultFileName().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    }

    void init() { QFile::remove(CalendarStore::defaultFileName()); }

    void roundTrip_data()
    {
        QTest::addColumn<Incidence::Ptr>("written");
        const QDateTime start(QDate(2024, 5, 17), QTime(9, 30), kHelsinki);
        const QDateTime end = start.addSecs(5400);
        QTest::newRow("plain") << makeEvent("Lunch with Ann", start, end);
        QTest::newRow("semicolon and backslash") << makeEvent("Ann; Bob \\ Carl", start, end);
        QTest::newRow("non-ASCII") << makeEvent(QStringLiteral("Kahvi ☕ Ääkkönen"), start, end);
        QTest::newRow("long") << makeEvent(QString(200, QLatin1Char('x')), start, end);
        QTest::newRow("UTC") << makeEvent("Call", start.toUTC(), end.toUTC());
        QTest::newRow("all day") << makeEvent("Holiday", QDate(2024, 6, 21).startOfDay(),
                                              QDate(2024, 6, 23).startOfDay(), true);
        Incidence::Ptr described = makeEvent("Meeting", start, end);
        described->setDescription(QStringLiteral("Agenda:\n1. budget\n2. ☺ and a line long enough "
                                                 "to be broken, with spaces where it breaks "));
        described->setLocation(QStringLiteral("Room 4; floor 2"));
        QTest::newRow("description and location") << described;
    }
    void roundTrip()
    {
        QFETCH(Incidence::Ptr, written);
        const Incidence::Ptr read = readBack(written);
        QVERIFY(read);
        QCOMPARE(read->type(), IncidenceBase::TypeEvent);
        QCOMPARE(read->summary(), written->summary());
        QCOMPARE(read->allDay(), written->allDay());
        const QDateTime end = written.staticCast<Event>()->dtEnd();
        if (written->allDay()) {
            QCOMPARE(read->dtStart().date(), written->dtStart().date());
            QCOMPARE(read.staticCast<Event>()->dtEnd().date(), end.date());
        } else {
            QCOMPARE(read->dtStart(), written->dtStart());
            QCOMPARE(read.staticCast<Event>()->dtEnd(), end);
        }
        // Line breaks travel as CR LF.
        QCOMPARE(read->description(), QString(written->description()).replace("\n", "\r\n"));
        QCOMPARE(read->location(), written->location());
    }

    void goldenFile()
    {
        Event::Ptr lunch(new Event);
        lunch->setUid(QStringLiteral("5a1b2c3d-0000-4000-8000-0123456789ab"));
        lunch->setSummary(QStringLiteral("Lunch; Ann & Bob"));
        lunch->setLocation(QStringLiteral("Café Ekberg"));
        lunch->setDescription(
            QStringLiteral("Table for two.\nBring the tickets, the map and a very "
                           "long explanation of everything that is needed."));
        lunch->setDtStart(QDateTime(QDate(2024, 5, 17), QTime(12, 0), kHelsinki));
        lunch->setDtEnd(QDateTime(QDate(2024, 5, 17), QTime(13, 30), kHelsinki));
        lunch->setCreated(QDateTime(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC));
        lunch->setLastModified(QDateTime(QDate(2024, 5, 2), QTime(9, 15), Qt::UTC));
        QFile golden(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/calendar/data/lunch.vcs"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(VCalendarWriter::toVCalendar({lunch}), golden.readAll());
    }

    void toDoKeepsItsDueTime()
    {
        Todo::Ptr todo(new Todo);
        todo->setUid(QStringLiteral("todo-1"));
        todo->setSummary(QStringLiteral("Buy milk"));
        todo->setDtDue(QDateTime(QDate(2024, 5, 18), QTime(17, 0), kHelsinki));
        const Incidence::Ptr read = readBack(todo);
        QVERIFY(read && read->type() == IncidenceBase::TypeTodo);
        QCOMPARE(read->summary(), todo->summary());
        QCOMPARE(read.staticCast<Todo>()->dtDue(), todo->dtDue());
    }

    // A journal has no vCalendar 1.0 form; a folder that is not there takes no file.
    void failedSaveLeavesNothing()
    {
        const QString journal = m_dir.filePath("journal.vcs"), nowhere = m_dir.filePath("no/e.vcs");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No vCalendar 1.0 form"));
        QVERIFY(!VCalendarWriter::save({Journal::Ptr(new Journal)}, journal));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be written"));
        QVERIFY(!VCalendarWriter::save({makeEvent("x", {}, {})}, nowhere));
        QVERIFY(!QFile::exists(journal) && !QFile::exists(nowhere));
    }

    // The store last: after it has failed to read a file, libicalvcal leaks its leftover state on
    // the next vCalendar parse of the process.
    void entriesAreFoundByTheirIndexUri_data()
    {
        QTest::addColumn<bool>("todo");
        QTest::newRow("event") << false;
        QTest::newRow("to-do") << true;
    }
    // The way the editor attaches an entry: URI -> UID -> entry of a store opened afresh.
    void entriesAreFoundByTheirIndexUri()
    {
        QFETCH(bool, todo);
        const QString uid = QStringLiteral("uid-%1").arg(todo);
        {
            CalendarStore store;
            QVERIFY(store.open());
            QVERIFY(store.incidences().isEmpty());
            const QString uri = store.addIncidence(entry(uid, QStringLiteral("Lunch"), todo));
            QVERIFY(!uri.isEmpty());
            QCOMPARE(TrackerHelper::instance()->typeByUri(uri), 3);
            QCOMPARE(TrackerHelper::instance()->ncalUid(uri), uid);
        }
        CalendarStore reopened;
        QVERIFY(reopened.open());
        const Incidence::Ptr found = reopened.incidence(uid);
        QVERIFY(found && found->summary() == QStringLiteral("Lunch"));
        QCOMPARE(found->type(), todo ? IncidenceBase::TypeTodo : IncidenceBase::TypeEvent);
    }

    // Saving an entry again replaces it in the file and the index; removing takes it from both.
    void savingAgainReplacesRemovingRemoves()
    {
        CalendarStore store;
        QVERIFY(store.open());
        const QString first = store.addIncidence(entry("again", "A"));
        const QString second = store.addIncidence(entry("again", "B"));
        QVERIFY(!second.isEmpty());
        QCOMPARE(store.incidences().size(), 1);
        QCOMPARE(indexedCount("again"), 1);
        QCOMPARE(TrackerHelper::instance()->typeByUri(first), 0);
        QCOMPARE(store.incidence("again")->summary(), QStringLiteral("B"));
        QVERIFY(store.removeIncidence("again"));
        QVERIFY(!store.removeIncidence("again"));
        QCOMPARE(TrackerHelper::instance()->typeByUri(second), 0);
        CalendarStore reopened;
        QVERIFY(reopened.open() && !reopened.incidence("again"));
    }

    void unreadableFileDoesNotOpen()
    {
        QVERIFY(write(CalendarStore::defaultFileName()));
        CalendarStore store;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Calendar file cannot be read"));
        QVERIFY(!store.open());
        QVERIFY(store.addIncidence(entry("x", "x")).isEmpty());
    }

    void unwritableFileKeepsTheStore()
    {
        // A file where its folder should be: nothing can be written there.
        const QString blocker = CalendarStore::defaultFileName() + ".blocker";
        QVERIFY(write(blocker));
        CalendarStore store(blocker + "/calendar.ics");
        QVERIFY(store.open());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Calendar file cannot be written"));
        QVERIFY(store.addIncidence(entry("unsaved", "x")).isEmpty());
        QVERIFY(!store.incidence("unsaved"));
        QCOMPARE(indexedCount("unsaved"), 0);
    }

private:
    Incidence::Ptr readBack(const Incidence::Ptr& written)
    {
        const QString path = m_dir.filePath(written->uid() + QStringLiteral(".vcs"));
        if (!VCalendarWriter::save({written}, path))
            return {};
        MemoryCalendar::Ptr calendar(new MemoryCalendar(QTimeZone::utc()));
        if (!VCalFormat().load(calendar, path))
            return {};
        return calendar->incidence(written->uid());
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
