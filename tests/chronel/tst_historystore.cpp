#include "eventrecord.h"
#include "groupmodel.h"
#include "historystore.h"
#include "remoteaddressmatch.h"
#include "singleeventmodel.h"

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

HistoryStore* store()
{
    return HistoryStore::instance();
}

} // namespace

// The history store, the models over it, and the address match that groups conversations.
class TestHistoryStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        store()->close();
        QDir(QFileInfo(HistoryStore::databasePath()).absolutePath()).removeRecursively();
    }

    void survivesClosingAndReopening()
    {
        Event event = receivedMms();
        QVERIFY(store()->addEvent(event));
        QVERIFY(event.modifiedProperties().isEmpty());
        store()->close();
        Event stored;
        QVERIFY(store()->getEvent(event.id(), stored));
        QCOMPARE(stored, event);
    }

    // Written: what is both modified and valid, nothing else; without a valid known id, nothing.
    void modifyWritesOnlyValidAndModified()
    {
        Event event = receivedMms();
        QVERIFY(store()->addEvent(event));
        Event partial = event;
        partial.setSubject(QStringLiteral("changed but not marked modified"));
        partial.resetModifiedProperties();
        partial.setReportRead(true);
        partial.setStatus(Event::SentStatus);
        partial.setValidProperties({Event::Id, Event::ReportRead});
        QVERIFY(store()->modifyEvent(partial));
        Event stored;
        QVERIFY(store()->getEvent(event.id(), stored));
        QVERIFY(stored.reportRead());
        QCOMPARE(stored.subject(), QStringLiteral("Holiday"));
        QCOMPARE(stored.status(), Event::UnknownStatus);
        partial.setId(4242);
        QVERIFY(!store()->modifyEvent(partial));
        partial.setValidProperties({Event::ReportRead});
        QVERIFY(!store()->modifyEvent(partial));
    }

    void deleteRemovesTheEvent()
    {
        Event event = receivedMms();
        QVERIFY(store()->addEvent(event));
        Chronel::EventModel model;
        QVERIFY(model.getEvents(event.groupId()));
        QVERIFY(model.deleteEvent(event));
        QCOMPARE(model.rowCount(), 0);
        Event gone;
        QVERIFY(!store()->getEvent(event.id(), gone));
        QVERIFY(!store()->deleteEvent(event.id()));
        Event untouched = event;
        QVERIFY(!model.trackerIO().getEventByUri(Event::idToUrl(event.id()), untouched));
        QCOMPARE(untouched, event);
    }

    // Newest activity first.
    void eventsShareAConversationByRemoteUid()
    {
        Event first = receivedMms(), second = receivedMms(), other = receivedMms();
        other.setRemoteUid(QStringLiteral("+358409999999"));
        QVERIFY(store()->addEvent(first) && store()->addEvent(second) && store()->addEvent(other));
        QCOMPARE(first.groupId(), second.groupId());
        QVERIFY(other.groupId() != first.groupId());
        const QList<Chronel::Group> groups = store()->groups();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups.first().id, other.groupId());
        QCOMPARE(store()->events(first.groupId()).size(), 2);
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
            QTest::ignoreMessage(QtCriticalMsg,
                                 QRegularExpression("^\\[CHRONEL\\] history database .* cannot be "
                                                    "used: file is not a database.* - moved aside "
                                                    "to .*damaged-"));
        }
        Event event = receivedMms();
        QVERIFY(store()->addEvent(event));
        for (const QString& file : {path, path + "-wal", path + "-shm"}) {
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
            QCOMPARE(QFileInfo(file).permissions() & 0x0077, QFile::Permissions());
        }
        const QDir folder = QFileInfo(path).absoluteDir();
        const QStringList aside = folder.entryList({"history.db.damaged-*"});
        QCOMPARE(aside.size(), damaged ? 1 : 0);
        if (damaged) {
            QFile kept(folder.filePath(aside.first()));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), garbage);
        }
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

    void singleEventModelFetchesFromTheEventLoop_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::newRow("stored event") << true;
        QTest::newRow("gone event") << false;
    }
    void singleEventModelFetchesFromTheEventLoop()
    {
        QFETCH(bool, stored);
        Event event;
        event.setSubject(QStringLiteral("one"));
        QVERIFY(store()->addEvent(event));
        Chronel::SingleEventModel model;
        QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
        QVERIFY(model.getEventByUri(Event::idToUrl(stored ? event.id() : 999999)));
        QVERIFY(!model.getEventByUri(QUrl(QStringLiteral("file:///not-an-event"))));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(ready.wait());
        QCOMPARE(ready.first().first().toBool(), true);
        QCOMPARE(model.rowCount(), stored ? 1 : 0);
        QCOMPARE(
            model.data(model.index(0), Chronel::EventModel::EventRole).value<Event>().subject(),
            stored ? QStringLiteral("one") : QString());
    }

    // Every model follows the store, whether this process or another one wrote it.
    void modelsFollowTheStore_data()
    {
        QTest::addColumn<bool>("elsewhere");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<int>("rows");
        const QByteArray reset = SIGNAL(modelReset());
        const QByteArray inserted = SIGNAL(rowsInserted(QModelIndex, int, int));
        const QByteArray removed = SIGNAL(rowsRemoved(QModelIndex, int, int));
        const QByteArray changed = SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>));
        for (const bool elsewhere : {false, true}) {
            const auto row = [elsewhere](const char* name, const char* change, const char* model,
                                         const QByteArray& signal, int rows) {
                QTest::addRow("%s %s", name, elsewhere ? "elsewhere" : "here")
                    << elsewhere << QString(change) << QString(model) << signal << rows;
            };
            row("new conversation", "write", "groups", reset, 2);
            row("added to the listed events", "write", "events", inserted, 2);
            row("changed event", "write", "single", changed, 1);
            row("deleted event", "delete", "events", removed, 0);
        }
    }
    void modelsFollowTheStore()
    {
        QFETCH(bool, elsewhere);
        QFETCH(QString, change);
        QFETCH(QString, model);
        QFETCH(QByteArray, signal);
        QFETCH(int, rows);
        Event event;
        event.setRemoteUid(QStringLiteral("+358401231231"));
        QVERIFY(store()->addEvent(event));
        Chronel::GroupModel groups;
        QSignalSpy groupsReady(&groups, &Chronel::GroupModel::modelReady);
        groups.getGroups();
        Chronel::SingleEventModel single;
        QSignalSpy singleReady(&single, &Chronel::SingleEventModel::modelReady);
        single.getEventByUri(Event::idToUrl(event.id()));
        QVERIFY(groupsReady.wait() && (!singleReady.isEmpty() || singleReady.wait()));
        Chronel::EventModel events;
        events.getEvents(-1);
        const QHash<QString, QAbstractItemModel*> models{
            {"groups", &groups}, {"single", &single}, {"events", &events}};
        QAbstractItemModel* watched = models.value(model);
        QSignalSpy spy(watched, signal.constData());
        if (elsewhere) {
            QProcess writer;
            writer.start(QStringLiteral(HISTORY_WRITER), {change, QString::number(event.id())});
            QVERIFY(writer.waitForFinished(30000));
            QCOMPARE(writer.exitCode(), 0);
            QVERIFY(spy.wait());
        } else if (change == QLatin1String("write")) {
            Event added, changed;
            added.setRemoteUid(QStringLiteral("+358409999999"));
            changed.setId(event.id());
            changed.setSubject(QStringLiteral("here"));
            QVERIFY(store()->addEvent(added) && store()->modifyEvent(changed));
        } else {
            QVERIFY(store()->deleteEvent(event.id()));
        }
        QVERIFY(!spy.isEmpty());
        QCOMPARE(watched->rowCount(), rows);
    }

    void remoteAddressMatch_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("expected");
        const int phone = Chronel::NormalizeFlagPhoneNumber;
        const auto row = [](const char* name, const QString& first, const QString& second,
                            int flags, bool expected) {
            QTest::newRow(name) << first << second << flags << expected;
        };
        row("same text", "+358401234567", "+358401234567", 0, true);
        row("formatted, plain compare", "+358 40 123 4567", "+358401234567", 0, false);
        row("formatted, phone aware", "+358 40 123 4567", "+358401234567", phone, true);
        row("national and international", "0401234567", "+358401234567", phone, true);
        row("different numbers", "+358401234567", "+358401234568", phone, false);
        row("e-mail case", "Anna@Example.com", "anna@example.com", 0, true);
        row("e-mail vs number", "anna@example.com", "+358401234567", phone, false);
        row("empty vs empty", "", "", phone, true);
        row("empty vs number", "", "+358401234567", phone, false);
    }
    void remoteAddressMatch()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, flags);
        QFETCH(bool, expected);
        QCOMPARE(Chronel::remoteAddressMatch(first, second, flags), expected);
        QCOMPARE(Chronel::remoteAddressMatch(second, first, flags), expected);
    }
};

QTEST_MAIN(TestHistoryStore)
#include "tst_historystore.moc"
