#include "eventmodel.h"
#include "eventrecord.h"
#include "historystore.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

using Chronel::Event;
using Chronel::HistoryStore;

namespace {

Event receivedMms()
{
    Event event;
    event.setType(Event::MMSEvent);
    event.setDirection(Event::Inbound);
    event.setRemoteUid(QStringLiteral("+358401234567"));
    event.setToList({QStringLiteral("+358401111111"), QStringLiteral("a@example.com")});
    event.setSubject(QStringLiteral("Holiday"));
    event.setMessageToken(QStringLiteral("token-1"));
    event.setReportReadRequested(true);
    event.setStartTime(QDateTime::fromMSecsSinceEpoch(1700000000000));
    event.setMessageParts({{QStringLiteral("<photo.jpg>"), QStringLiteral("image/jpeg"),
                            QStringLiteral("/tmp/photo.jpg")}});
    event.setContacts({{7, QStringLiteral("Anna")}});
    return event;
}

} // namespace

class TestHistoryStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        HistoryStore::instance()->close();
        QDir(QFileInfo(HistoryStore::databasePath()).absolutePath()).removeRecursively();
    }

    void survivesClosingAndReopening()
    {
        Event event = receivedMms();
        QVERIFY(HistoryStore::instance()->addEvent(event));
        QVERIFY(event.modifiedProperties().isEmpty());
        HistoryStore::instance()->close();

        Event stored;
        QVERIFY(HistoryStore::instance()->getEvent(event.id(), stored));
        QCOMPARE(stored, event);
    }

    void modifyWritesOnlyValidAndModified()
    {
        Event event = receivedMms();
        QVERIFY(HistoryStore::instance()->addEvent(event));

        // Written: what is both modified and valid, nothing else.
        Event partial = event;
        partial.setSubject(QStringLiteral("changed but not marked modified"));
        partial.resetModifiedProperties();
        partial.setReportRead(true);
        partial.setStatus(Event::SentStatus);
        partial.setValidProperties({Event::Id, Event::ReportRead});
        QVERIFY(HistoryStore::instance()->modifyEvent(partial));

        Event stored;
        QVERIFY(HistoryStore::instance()->getEvent(event.id(), stored));
        QVERIFY(stored.reportRead());
        QCOMPARE(stored.subject(), QStringLiteral("Holiday"));
        QCOMPARE(stored.status(), Event::UnknownStatus);

        // Without a valid known id nothing is written.
        partial.setId(4242);
        QVERIFY(!HistoryStore::instance()->modifyEvent(partial));
        partial.setValidProperties({Event::ReportRead});
        QVERIFY(!HistoryStore::instance()->modifyEvent(partial));
    }

    void deleteRemovesTheEvent()
    {
        Event event = receivedMms();
        QVERIFY(HistoryStore::instance()->addEvent(event));
        Chronel::EventModel model;
        QVERIFY(model.getEvents(event.groupId()));
        QVERIFY(model.deleteEvent(event));
        QCOMPARE(model.rowCount(), 0);
        Event gone;
        QVERIFY(!HistoryStore::instance()->getEvent(event.id(), gone));
        QVERIFY(!HistoryStore::instance()->deleteEvent(event.id()));
    }

    void eventsShareAConversationByRemoteUid()
    {
        Event first = receivedMms();
        Event second = receivedMms();
        Event other = receivedMms();
        other.setRemoteUid(QStringLiteral("+358409999999"));
        QVERIFY(HistoryStore::instance()->addEvent(first));
        QVERIFY(HistoryStore::instance()->addEvent(second));
        QVERIFY(HistoryStore::instance()->addEvent(other));
        QCOMPARE(first.groupId(), second.groupId());
        QVERIFY(other.groupId() != first.groupId());
        const QList<Chronel::Group> groups = HistoryStore::instance()->groups();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.first().id, other.groupId()); // newest activity first
        QCOMPARE(HistoryStore::instance()->events(first.groupId()).size(), 2);
    }

    void historyIsPrivate_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("new history") << false;
        QTest::newRow("after a damaged one") << true;
    }
    void historyIsPrivate()
    {
        QFETCH(bool, damaged);
        const QString path = HistoryStore::databasePath();
        const QByteArray garbage(8192, 'x');
        if (damaged) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
            QTest::ignoreMessage(
                QtCriticalMsg,
                QRegularExpression(QStringLiteral(
                    "^\\[CHRONEL\\] history database .* cannot be used: file is not a "
                    "database.* - moved aside to .*damaged-")));
        }
        Event event = receivedMms();
        QVERIFY(HistoryStore::instance()->addEvent(event));

        for (const QString& file :
             {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")}) {
            const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup |
                                              QFile::ExeGroup | QFile::ReadOther |
                                              QFile::WriteOther | QFile::ExeOther;
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
            QCOMPARE(QFileInfo(file).permissions() & others, QFile::Permissions());
        }
        const QDir folder = QFileInfo(path).absoluteDir();
        const QStringList aside = folder.entryList({QStringLiteral("history.db.damaged-*")});
        QCOMPARE(aside.size(), damaged ? 1 : 0);
        if (damaged) {
            QFile kept(folder.filePath(aside.first()));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), garbage);
        }
    }

    // Each process adds events and changes another property of one shared event
    // at the same time; neither loses a write.
    void twoProcessesWritingLoseNothing()
    {
        const int writes = 100;
        Event shared = receivedMms();
        QVERIFY(HistoryStore::instance()->addEvent(shared));
        QProcess writer;
        writer.start(
            QStringLiteral(HISTORY_WRITER),
            {QStringLiteral("write"), QString::number(shared.id()), QString::number(writes)});
        QVERIFY(writer.waitForReadyRead(30000));
        for (int i = 0; i < writes; ++i) {
            Event added = receivedMms();
            Event changed;
            changed.setId(shared.id());
            changed.setFreeText(QStringLiteral("test-%1").arg(i));
            QVERIFY(HistoryStore::instance()->addEvent(added));
            QVERIFY(HistoryStore::instance()->modifyEvent(changed));
        }
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);

        Event stored;
        QVERIFY(HistoryStore::instance()->getEvent(shared.id(), stored));
        QCOMPARE(stored.subject(), QStringLiteral("writer-%1").arg(writes - 1));
        QCOMPARE(stored.freeText(), QStringLiteral("test-%1").arg(writes - 1));
        QCOMPARE(HistoryStore::instance()->events().size(), 1 + 2 * writes);
        QCOMPARE(HistoryStore::instance()->groups().size(), 2);
    }

    // Records the fuzzer found harmful: numbers no enum value has, times beyond any date. They read
    // as unknown values and no time, and the event then reads back unchanged.
    void damagedRecordReadsSafely_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/chronel/data/regressions"));
        for (const QString& name : folder.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }
    void damagedRecordReadsSafely()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject record = QJsonDocument::fromJson(file.readAll()).object();
        QVERIFY(!record.isEmpty());

        Event event;
        Chronel::EventRecord::fromJson(record, event);
        QVERIFY(QList<int>({0, 1, 2, 3, 6}).contains(event.type()));
        QVERIFY(event.direction() <= Event::Outbound);
        QVERIFY(event.status() <= Event::ManualNotificationStatus);
        QVERIFY(event.readStatus() <= Event::ReadStatusDeleted);
        for (const QDateTime& time : {event.startTime(), event.endTime()})
            QVERIFY(!time.isValid() || qAbs(time.toMSecsSinceEpoch()) <= qint64(8.64e15));
        const QJsonObject written = Chronel::EventRecord::toJson(event);
        Event readBack;
        Chronel::EventRecord::fromJson(written, readBack);
        QCOMPARE(Chronel::EventRecord::toJson(readBack), written);
    }
};

QTEST_MAIN(TestHistoryStore)
#include "tst_historystore.moc"
