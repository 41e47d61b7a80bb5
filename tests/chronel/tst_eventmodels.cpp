#include "groupmodel.h"
#include "historystore.h"
#include "singleeventmodel.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using Chronel::Event;
using Chronel::HistoryStore;

class TestEventModels : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        HistoryStore::instance()->close();
        QDir(QFileInfo(HistoryStore::databasePath()).absolutePath()).removeRecursively();
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
        QVERIFY(HistoryStore::instance()->addEvent(event));
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
        QVERIFY(HistoryStore::instance()->addEvent(event));
        Chronel::GroupModel groups;
        QSignalSpy groupsReady(&groups, &Chronel::GroupModel::modelReady);
        groups.getGroups();
        Chronel::SingleEventModel single;
        QSignalSpy singleReady(&single, &Chronel::SingleEventModel::modelReady);
        single.getEventByUri(Event::idToUrl(event.id()));
        QVERIFY(groupsReady.wait() && (!singleReady.isEmpty() || singleReady.wait()));
        Chronel::EventModel events;
        events.getEvents(-1);
        const QHash<QString, QAbstractItemModel*> models{{QStringLiteral("groups"), &groups},
                                                         {QStringLiteral("single"), &single},
                                                         {QStringLiteral("events"), &events}};
        QAbstractItemModel* watched = models.value(model);
        QSignalSpy spy(watched, signal.constData());

        if (elsewhere) {
            QProcess writer;
            writer.start(QStringLiteral(HISTORY_WRITER),
                         {change, QString::number(event.id()), QStringLiteral("1")});
            QVERIFY(writer.waitForFinished(30000));
            QCOMPARE(writer.exitCode(), 0);
            QVERIFY(spy.wait());
        } else if (change == QLatin1String("write")) {
            Event added;
            added.setRemoteUid(QStringLiteral("+358409999999"));
            Event changed;
            changed.setId(event.id());
            changed.setSubject(QStringLiteral("here"));
            QVERIFY(HistoryStore::instance()->addEvent(added));
            QVERIFY(HistoryStore::instance()->modifyEvent(changed));
        } else {
            QVERIFY(HistoryStore::instance()->deleteEvent(event.id()));
        }
        QVERIFY(!spy.isEmpty());
        QCOMPARE(watched->rowCount(), rows);
    }

    void trackerIOLeavesEventUntouchedWhenGone()
    {
        Chronel::EventModel model;
        Event untouched;
        untouched.setSubject(QStringLiteral("keep"));
        QVERIFY(!model.trackerIO().getEventByUri(Event::idToUrl(123456), untouched));
        QCOMPARE(untouched.subject(), QStringLiteral("keep"));
    }
};

QTEST_MAIN(TestEventModels)
#include "tst_eventmodels.moc"
