#include "contentindexer.h"
#include "freshdatafolder.h"
#include "qsparqlconnection.h"
#include "trackerhelper.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Runs the content-index queries against a real Tracker store in a throw-away data folder, filled
// through the indexing API. Every test removes what it adds.
static QString dataFile(const QString& name)
{
    return qEnvironmentVariable("XDG_DATA_HOME") + '/' + name;
}

class TstTrackerHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder());
        QVERIFY(TrackerHelper::instance()->connection()->isValid());
    }

    void cleanup()
    {
        for (const QString& uri : qAsConst(m_added))
            QVERIFY(indexer().removeMmsMessage(uri));
        m_added.clear();
    }

    void pathWithSemicolonIsFound()
    {
        const QString path = dataFile(QStringLiteral("holiday;2024 photo.jpg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString uri = remember(indexer().addFile(path));
        QVERIFY(!uri.isEmpty());

        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression(QStringLiteral("^\\[MMS-TRACKER\\] Query: .*"
                                                               "holiday%3B2024%20photo\\.jpg")));
        QCOMPARE(TrackerHelper::instance()->mimeTimeByFilename(path), QStringLiteral("image/jpeg"));

        QTest::ignoreMessage(
            QtDebugMsg,
            QStringLiteral("[MMS-TRACKER] Map Filename \"%1\" -> \"%2\"").arg(path, uri).toUtf8());
        QCOMPARE(TrackerHelper::instance()->uriByFilename(path), uri);

        QString fileName;
        QString mimeType;
        QVERIFY(TrackerHelper::instance()->filenameFromUri(QUrl(uri), fileName, mimeType));
        QCOMPARE(fileName, path);
        QCOMPARE(mimeType, QStringLiteral("image/jpeg"));
    }

    void unknownOrRemovedPathGivesEmptyAnswers()
    {
        const QString path = dataFile(QStringLiteral("short;lived.png"));
        const QString uri = indexer().addFile(path);
        QCOMPARE(TrackerHelper::instance()->uriByFilename(path), uri);
        QVERIFY(indexer().removeFile(QUrl::fromLocalFile(path)));
        QVERIFY(TrackerHelper::instance()->uriByFilename(path).isEmpty());
        QVERIFY(TrackerHelper::instance()->mimeTimeByFilename(path).isEmpty());
        QCOMPARE(TrackerHelper::instance()->typeByUri(uri), int(TrackerHelper::TypeNone));
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
        QTest::newRow("other conversation") << 2 << QStringList{"m-other"} << QStringList{"+222"};
        QTest::newRow("conversation without messages") << 3 << QStringList() << QStringList{""};
    }
    void unreadMessages()
    {
        QFETCH(int, groupId);
        QFETCH(QStringList, expectedIds);
        QFETCH(QStringList, possibleSenders);
        addMessage(QStringLiteral("m-empty"), 1, QString());
        addMessage(QStringLiteral("m-first"), 1, QStringLiteral("+111"));
        addMessage(QStringLiteral("m-other"), 2, QStringLiteral("+222"));
        addMessage(QStringLiteral("m-outgoing"), 1, QStringLiteral("+333"), true);
        addMessage(QStringLiteral("m-no-report-asked"), 1, QStringLiteral("+444"), false, false);
        addMessage(QStringLiteral("m-answered"), 1, QStringLiteral("+555"), false, true, true);

        QString from = QStringLiteral("stale");
        QStringList ids =
            TrackerHelper::instance()->getUnreadMessagesWithReadReportRequested(groupId, from);
        ids.sort();
        QCOMPARE(ids, expectedIds);
        QVERIFY2(possibleSenders.contains(from), qPrintable(from));
    }

    void typeByUri_data()
    {
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<int>("expected");

        QTest::newRow("file") << QStringList{"file"} << int(TrackerHelper::TypeFile);
        QTest::newRow("contact") << QStringList{"contact"} << int(TrackerHelper::TypeContact);
        QTest::newRow("calendar") << QStringList{"calendar"} << int(TrackerHelper::TypeCalendar);
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
        QString uri;
        if (kinds.first() == QLatin1String("file"))
            uri = addFileUnder(QStringLiteral("typed"), QStringLiteral("text/plain"),
                               ContentIndexer::classesForMimeType(QStringLiteral("text/plain")));
        else if (kinds.first() == QLatin1String("contact"))
            uri = remember(indexer().addContact(QStringLiteral("typed-contact")));
        else if (kinds.first() == QLatin1String("calendar"))
            uri = remember(indexer().addCalendarEntry(QStringLiteral("typed-entry")));
        else
            uri = remember(indexer().addMmsMessage(MmsMessageRecord()));
        QVERIFY(!uri.isEmpty());
        if (kinds.size() > 1)
            QVERIFY(indexer().addClasses(uri, {classOf.value(kinds.last())}));

        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression(QStringLiteral("^\\[MMS-TRACKER\\] Types: ")));
        QCOMPARE(TrackerHelper::instance()->typeByUri(uri), expected);
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
        row("photo.jpg", "", "", "image/jpeg");
        row("card.vcf", "", "", "text/vcard");
        row("3gpp without video class", "video/3gpp", "nfo:Audio", "audio/3gpp");
        row("mp4 without video class", "video/mp4", "nfo:Document", "audio/mp4");
        row("3gpp with video class", "video/3gpp", "nfo:Video", "video/3gpp");
        row("audio stays", "audio/amr", "nfo:Audio", "audio/amr");
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
        QCOMPARE(TrackerHelper::instance()->mimeTimeByFilename(path), expected);
        QCOMPARE(TrackerHelper::instance()->typeByUri(uri), int(TrackerHelper::TypeFile));
        QString fileName = QStringLiteral("before");
        QString foundMimeType = QStringLiteral("before/type");
        QCOMPARE(TrackerHelper::instance()->filenameFromUri(QUrl(uri), fileName, foundMimeType),
                 !expected.isEmpty());
        QCOMPARE(fileName, expected.isEmpty() ? QStringLiteral("before") : path);
        QCOMPARE(foundMimeType, expected.isEmpty() ? QStringLiteral("before/type") : expected);
    }

    void identifiersOfContactsAndCalendarEntries()
    {
        TrackerHelper* helper = TrackerHelper::instance();
        const QString contact = remember(indexer().addContact(QStringLiteral("contact-uid-7")));
        const QString event = remember(indexer().addCalendarEntry(QStringLiteral("event-uid-9")));
        QVERIFY(!contact.isEmpty());
        QVERIFY(!event.isEmpty());

        QCOMPARE(helper->ncoContactUID(contact), QStringLiteral("contact-uid-7"));
        QCOMPARE(helper->ncalUid(event), QStringLiteral("event-uid-9"));
        bool numeric = false;
        QVERIFY(helper->contacTrackerId(contact).toLongLong(&numeric) > 0);
        QVERIFY(numeric);

        QVERIFY(helper->ncoContactUID(event).isEmpty());
        QVERIFY(helper->ncalUid(contact).isEmpty());
        QVERIFY(helper->contacTrackerId(event).isEmpty());
    }

private:
    ContentIndexer& indexer()
    {
        static ContentIndexer indexer(*TrackerHelper::instance()->connection());
        return indexer;
    }

    QString remember(const QString& uri)
    {
        if (!uri.isEmpty())
            m_added << uri;
        return uri;
    }

    QString addFileUnder(const QString& name, const QString& mimeType, const QStringList& classes)
    {
        return remember(indexer().addFile(QUrl::fromLocalFile(dataFile(name)), mimeType, classes));
    }

    void addMessage(const QString& mmsId, int conversation, const QString& sender,
                    bool isSent = false, bool mustAnswer = true, bool reportSent = false)
    {
        MmsMessageRecord record;
        record.mmsId = mmsId;
        record.conversationId = conversation;
        record.senderPhoneNumber = sender;
        record.isSent = isSent;
        record.mustAnswerReportRead = mustAnswer;
        record.readReportSent = reportSent;
        QVERIFY(!remember(indexer().addMmsMessage(record)).isEmpty());
    }

    QStringList m_added;
};

QTEST_GUILESS_MAIN(TstTrackerHelper)
#include "tst_trackerhelper.moc"
