#include "calendarstore.h"
#include "freshdatafolder.h"
#include "qsparqlconnection.h"
#include "trackerhelper.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/Todo>
#include <QFile>
#include <QtTest>
#include <memory>

using namespace KCalendarCore;

namespace {

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

class TestCalendarStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder());
        QVERIFY(CalendarStore::defaultFileName().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    }

    void init() { QFile::remove(CalendarStore::defaultFileName()); }

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
};

QTEST_MAIN(TestCalendarStore)
#include "tst_calendarstore.moc"
