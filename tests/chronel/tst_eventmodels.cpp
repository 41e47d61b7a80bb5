#include "groupmodel.h"
#include "historystore.h"
#include "singleeventmodel.h"

#include <QDir>
#include <QtTest>

using Chronel::Event;
using Chronel::HistoryStore;

class TestEventModels : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void singleEventModelFetchesFromTheEventLoop();
    void singleEventModelWithAGoneEventHasNoRow();
    void singleEventModelFollowsUpdates();
    void groupModelListsConversations();
    void trackerIOLeavesEventUntouchedWhenGone();
};

void TestEventModels::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(QFileInfo(HistoryStore::databasePath()).absolutePath()).removeRecursively();
}

void TestEventModels::singleEventModelFetchesFromTheEventLoop()
{
    Event event;
    event.setType(Event::MMSEvent);
    event.setSubject(QStringLiteral("one"));
    QVERIFY(HistoryStore::instance()->addEvent(event));

    Chronel::SingleEventModel model;
    QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
    QVERIFY(model.getEventByUri(Event::idToUrl(event.id())));
    QCOMPARE(model.rowCount(), 0); // not before the event loop ran
    QVERIFY(ready.wait());
    QCOMPARE(ready.first().first().toBool(), true);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.event(model.index(0)).subject(), QStringLiteral("one"));
    QCOMPARE(model.data(model.index(0), Chronel::EventModel::EventRole).value<Event>().id(),
             event.id());
}

void TestEventModels::singleEventModelWithAGoneEventHasNoRow()
{
    Chronel::SingleEventModel model;
    QVERIFY(!model.getEventByUri(QUrl(QStringLiteral("file:///not-an-event"))));
    QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
    QVERIFY(model.getEventByUri(Event::idToUrl(999999)));
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 0);
}

void TestEventModels::singleEventModelFollowsUpdates()
{
    Event event;
    event.setType(Event::MMSEvent);
    QVERIFY(HistoryStore::instance()->addEvent(event));
    Chronel::SingleEventModel model;
    QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
    model.getEventByUri(Event::idToUrl(event.id()));
    QVERIFY(ready.wait());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    Event partial = event;
    partial.resetModifiedProperties();
    partial.setValidProperties({Event::Id});
    partial.setReportRead(true);
    QVERIFY(model.modifyEvent(partial));
    QCOMPARE(changed.count(), 1);
    QVERIFY(model.event(model.index(0)).reportRead());
}

void TestEventModels::groupModelListsConversations()
{
    Event event;
    event.setType(Event::MMSEvent);
    event.setRemoteUid(QStringLiteral("+358401231231"));
    QVERIFY(HistoryStore::instance()->addEvent(event));

    Chronel::GroupModel model;
    QSignalSpy ready(&model, &Chronel::GroupModel::modelReady);
    QVERIFY(model.getGroups(QString(), QString()));
    QVERIFY(ready.wait());
    bool found = false;
    for (const Chronel::Group& group : model.groups()) {
        found |= group.id == event.groupId() &&
                 group.remoteUids == QStringList{QStringLiteral("+358401231231")};
    }
    QVERIFY(found);

    // A new conversation shows up without asking again.
    const int before = model.rowCount();
    Event other;
    other.setRemoteUid(QStringLiteral("+358407777777"));
    QVERIFY(HistoryStore::instance()->addEvent(other));
    QCOMPARE(model.rowCount(), before + 1);
}

void TestEventModels::trackerIOLeavesEventUntouchedWhenGone()
{
    Chronel::EventModel model;
    Event untouched;
    untouched.setSubject(QStringLiteral("keep"));
    QVERIFY(!model.trackerIO().getEventByUri(Event::idToUrl(123456), untouched));
    QCOMPARE(untouched.subject(), QStringLiteral("keep"));
}

QTEST_MAIN(TestEventModels)
#include "tst_eventmodels.moc"
