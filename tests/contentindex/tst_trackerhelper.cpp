#include "contentindexer.h"
#include "freshdatafolder.h"
#include "qsparqlconnection.h"
#include "trackerhelper.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The QtSparql-like layer over a real Tracker store in a throw-away data folder, and the
// content-index queries over it, filled through the indexing API. Every test removes what it adds.
namespace {

QString dataFile(const QString& name)
{
    return qEnvironmentVariable("XDG_DATA_HOME") + '/' + name;
}

using Result = std::unique_ptr<QSparqlResult>;

Result run(QSparqlConnection& connection, const QString& text,
           QSparqlQuery::StatementType type = QSparqlQuery::SelectStatement)
{
    return Result(connection.syncExec(QSparqlQuery(text, type)));
}

} // namespace

class TstTrackerHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder());
        QVERIFY(helper()->connection()->isValid());
    }

    void cleanup()
    {
        for (const QString& uri : qAsConst(m_added))
            QVERIFY(indexer().removeMmsMessage(uri));
        m_added.clear();
    }

    void unknownDriverIsInvalid()
    {
        QTest::ignoreMessage(QtWarningMsg, "No SPARQL driver named \"QSPARQL_ENDPOINT\"");
        QSparqlConnection connection(QStringLiteral("QSPARQL_ENDPOINT"));
        QVERIFY(!connection.isValid());
        const Result result = run(connection, "SELECT 1 {}");
        QVERIFY(result->hasError() && !result->next());
    }

    // Two connections share the store.
    void updateThenSelect()
    {
        QSparqlConnectionOptions options;
        options.setDataReadyInterval(25);
        QSparqlConnection writer(QStringLiteral("QTRACKER_DIRECT"), options),
            reader("QTRACKER_DIRECT");
        QCOMPARE(writer.options().dataReadyInterval(), 25);
        const Result insert =
            run(writer, "INSERT DATA { <urn:test:c1> a nco:PersonContact ; nco:contactUID \"u1\" }",
                QSparqlQuery::InsertStatement);
        QVERIFY2(!insert->hasError(), qPrintable(insert->lastError()));
        QVERIFY(!insert->next());
        const Result select = run(reader, "SELECT ?u WHERE { <urn:test:c1> nco:contactUID ?u }");
        QVERIFY(select->next());
        QCOMPARE(select->value(0).toString(), QStringLiteral("u1"));
        QVERIFY(!select->next());
        QVERIFY(!run(writer, "DELETE DATA { <urn:test:c1> a rdfs:Resource }",
                     QSparqlQuery::DeleteStatement)
                     ->hasError());
    }

    void unboundAndOutOfRangeColumnsAreInvalid()
    {
        QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
        const Result result = run(connection, "SELECT ?unbound \"text\" {}");
        QVERIFY(!result->value(1).isValid()); // before the first row
        QVERIFY(result->next());
        QCOMPARE(
            (QVariantList{result->value(0), result->value(1), result->value(2), result->value(-1)}),
            (QVariantList{QVariant(), "text", QVariant(), QVariant()}));
    }

    void syntaxErrorGivesErrorWithoutRows()
    {
        QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Query failed:"));
        const Result result = run(connection, "SELEKT nothing");
        QVERIFY(result->hasError() && !result->next());
    }

    void pathWithSemicolonIsFound()
    {
        const QString path = dataFile(QStringLiteral("holiday;2024 photo.jpg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString uri = remember(indexer().addFile(path));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMS-TRACKER\\] Query: .*"
                                                            "holiday%3B2024%20photo\\.jpg"));
        QCOMPARE(helper()->mimeTimeByFilename(path), QStringLiteral("image/jpeg"));
        QTest::ignoreMessage(
            QtDebugMsg,
            QStringLiteral("[MMS-TRACKER] Map Filename \"%1\" -> \"%2\"").arg(path, uri).toUtf8());
        QCOMPARE(helper()->uriByFilename(path), uri);
        QVERIFY(!uri.isEmpty());
    }

    void unknownOrRemovedPathGivesEmptyAnswers()
    {
        const QString path = dataFile(QStringLiteral("short;lived.png"));
        const QString uri = indexer().addFile(path);
        QCOMPARE(helper()->uriByFilename(path), uri);
        QVERIFY(indexer().removeFile(QUrl::fromLocalFile(path)));
        QVERIFY(helper()->uriByFilename(path).isEmpty());
        QVERIFY(helper()->mimeTimeByFilename(path).isEmpty());
        QCOMPARE(helper()->typeByUri(uri), int(TrackerHelper::TypeNone));
    }

    void unreadMessages_data()
    {
        QTest::addColumn<int>("groupId");
        QTest::addColumn<QStringList>("expectedIds");
        QTest::addColumn<QStringList>("possibleSenders");
        QTest::newRow("all conversations")
            << 0 << QStringList{"m-empty", "m-first", "m-other"} << QStringList{"+111", "+222"};
        QTest::newRow("one conversation, first non-empty sender")
            << 1 << QStringList{"m-empty", "m-first"} << QStringList{"+111"};
        QTest::newRow("conversation without messages") << 3 << QStringList() << QStringList{""};
    }
    void unreadMessages()
    {
        QFETCH(int, groupId);
        QFETCH(QStringList, expectedIds);
        QFETCH(QStringList, possibleSenders);
        addMessage({"m-empty", 1, false, true, false, ""});
        addMessage({"m-first", 1, false, true, false, "+111"});
        addMessage({"m-other", 2, false, true, false, "+222"});
        addMessage({"m-outgoing", 1, true, true, false, "+333"});
        addMessage({"m-no-report-asked", 1, false, false, false, "+444"});
        addMessage({"m-answered", 1, false, true, true, "+555"});
        QString from = QStringLiteral("stale");
        QStringList ids = helper()->getUnreadMessagesWithReadReportRequested(groupId, from);
        ids.sort();
        QCOMPARE(ids, expectedIds);
        QVERIFY2(possibleSenders.contains(from), qPrintable(from));
    }

    // A contact or calendar class wins over a file's.
    void typeByUri_data()
    {
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<int>("expected");
        QTest::newRow("file") << QStringList{"file"} << int(TrackerHelper::TypeFile);
        QTest::newRow("contact and file")
            << QStringList{"contact", "file"} << int(TrackerHelper::TypeContact);
        QTest::newRow("calendar and file")
            << QStringList{"calendar", "file"} << int(TrackerHelper::TypeCalendar);
        QTest::newRow("contact and calendar")
            << QStringList{"calendar", "contact"} << int(TrackerHelper::TypeContact);
        QTest::newRow("message") << QStringList{"message"} << int(TrackerHelper::TypeOther);
    }
    void typeByUri()
    {
        QFETCH(QStringList, kinds);
        QFETCH(int, expected);
        const QMap<QString, QString> classOf{{"file", "nfo:FileDataObject"},
                                             {"contact", "nco:PersonContact"},
                                             {"calendar", "ncal:Todo"}};
        const QString kind = kinds.first();
        const QString uri = remember(
            kind == "file" ? indexer().addFile(QUrl::fromLocalFile(dataFile("typed")), "text/plain",
                                               ContentIndexer::classesForMimeType("text/plain"))
            : kind == "contact"  ? indexer().addContact("typed-contact")
            : kind == "calendar" ? indexer().addCalendarEntry("typed-entry")
                                 : indexer().addMmsMessage(MmsMessageRecord()));
        QVERIFY(!uri.isEmpty());
        if (kinds.size() > 1)
            QVERIFY(indexer().addClasses(uri, {classOf.value(kinds.last())}));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMS-TRACKER\\] Types: "));
        QCOMPARE(helper()->typeByUri(uri), expected);
    }

    // Without a given type it comes from the file's name, the classes from the type. A video
    // without the video class is sound only; no type at all leaves the outputs alone.
    void mimeTypeOfIndexedFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& mimeType, const QString& kind,
                            const QString& expected) {
            QTest::newRow(name) << name << mimeType << kind << expected;
        };
        row("clip.3gp", "", "", "video/3gpp");
        row("voice.amr", "", "", "audio/AMR");
        row("card.vcf", "", "", "text/vcard");
        row("3gpp without video class", "video/3gpp", "nfo:Audio", "audio/3gpp");
        row("mp4 without video class", "video/mp4", "nfo:Document", "audio/mp4");
        row("3gpp with video class", "video/3gpp", "nfo:Video", "video/3gpp");
        row("prefix is case-sensitive", "Video/3gpp", "nfo:Audio", "Video/3gpp");
        row("no type", "", "nfo:Document", "");
    }
    void mimeTypeOfIndexedFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, mimeType);
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const QString path = dataFile(name);
        const QString uri = remember(
            kind.isEmpty() ? indexer().addFile(path)
                           : indexer().addFile(QUrl::fromLocalFile(path), mimeType,
                                               {QStringLiteral("nfo:FileDataObject"), kind}));
        QCOMPARE(helper()->mimeTimeByFilename(path), expected);
        QCOMPARE(helper()->typeByUri(uri), int(TrackerHelper::TypeFile));
        QStringList found{"before", "before/type"};
        QCOMPARE(helper()->filenameFromUri(QUrl(uri), found[0], found[1]), !expected.isEmpty());
        QCOMPARE(found, expected.isEmpty() ? QStringList({"before", "before/type"})
                                           : QStringList({path, expected}));
    }

    void identifiersOfContactsAndCalendarEntries()
    {
        const QString contact = remember(indexer().addContact(QStringLiteral("contact-uid-7")));
        const QString event = remember(indexer().addCalendarEntry(QStringLiteral("event-uid-9")));
        QCOMPARE(helper()->ncoContactUID(contact), QStringLiteral("contact-uid-7"));
        QCOMPARE(helper()->ncalUid(event), QStringLiteral("event-uid-9"));
        bool numeric = false;
        QVERIFY(helper()->contacTrackerId(contact).toLongLong(&numeric) > 0 && numeric);
        QCOMPARE(helper()->ncoContactUID(event) + helper()->ncalUid(contact) +
                     helper()->contacTrackerId(event),
                 QString());
    }

private:
    static TrackerHelper* helper() { return TrackerHelper::instance(); }
    ContentIndexer& indexer()
    {
        static ContentIndexer indexer(*helper()->connection());
        return indexer;
    }

    QString remember(const QString& uri)
    {
        if (!uri.isEmpty())
            m_added << uri;
        return uri;
    }

    void addMessage(const MmsMessageRecord& record)
    {
        QVERIFY(!remember(indexer().addMmsMessage(record)).isEmpty());
    }

    QStringList m_added;
};

QTEST_GUILESS_MAIN(TstTrackerHelper)
#include "tst_trackerhelper.moc"
