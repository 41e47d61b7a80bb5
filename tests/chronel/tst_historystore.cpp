#include "eventmodel.h"
#include "historystore.h"

#include <QDir>
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
    event.setMmsId(QStringLiteral("mms-1"));
    event.setReportReadRequested(true);
    event.setStartTime(QDateTime::fromMSecsSinceEpoch(1700000000000));
    Chronel::MessagePart part;
    part.setContentId(QStringLiteral("<photo.jpg>"));
    part.setContentType(QStringLiteral("image/jpeg"));
    part.setContentLocation(QStringLiteral("/tmp/photo.jpg"));
    event.setMessageParts({part});
    event.setContacts({{7, QStringLiteral("Anna")}});
    return event;
}

} // namespace

class TestHistoryStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void survivesClosingAndReopening();
    void modifyWritesOnlyValidAndModified();
    void modifyNeedsAValidId();
    void deleteRemovesTheEvent();
    void damagedDatabaseIsMovedAside();
    void eventsShareAConversationByRemoteUid();
};

void TestHistoryStore::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestHistoryStore::init()
{
    HistoryStore::instance()->close();
    QDir(QFileInfo(HistoryStore::databasePath()).absolutePath()).removeRecursively();
}

void TestHistoryStore::survivesClosingAndReopening()
{
    Event event = receivedMms();
    QVERIFY(HistoryStore::instance()->addEvent(event));
    QVERIFY(event.id() >= 0);
    QVERIFY(event.modifiedProperties().isEmpty());

    HistoryStore::instance()->close();

    Event stored;
    QVERIFY(HistoryStore::instance()->getEvent(event.id(), stored));
    QCOMPARE(stored, event);
    QCOMPARE(stored.messageParts().first().contentId(), QStringLiteral("<photo.jpg>"));
    QCOMPARE(stored.startTime(), event.startTime());
}

void TestHistoryStore::modifyWritesOnlyValidAndModified()
{
    Event event = receivedMms();
    QVERIFY(HistoryStore::instance()->addEvent(event));

    // A partial update: only the id declared valid, then one property set.
    Event partial = event;
    partial.setSubject(QStringLiteral("changed but not marked"));
    partial.resetModifiedProperties();
    partial.setValidProperties({Event::Id});
    partial.setReportRead(true);

    QSignalSpy updated(HistoryStore::instance(), &HistoryStore::eventsUpdated);
    QVERIFY(HistoryStore::instance()->modifyEvent(partial));
    QCOMPARE(updated.count(), 1);

    Event stored;
    QVERIFY(HistoryStore::instance()->getEvent(event.id(), stored));
    QVERIFY(stored.reportRead());
    QCOMPARE(stored.subject(), QStringLiteral("Holiday"));

    // Marked modified but not valid: not written either.
    Event invalidProperty = stored;
    invalidProperty.setStatus(Event::SentStatus);
    invalidProperty.setValidProperties({Event::Id});
    QVERIFY(HistoryStore::instance()->modifyEvent(invalidProperty));
    QVERIFY(HistoryStore::instance()->getEvent(event.id(), stored));
    QCOMPARE(stored.status(), Event::UnknownStatus);
}

void TestHistoryStore::modifyNeedsAValidId()
{
    Event unknown = receivedMms();
    unknown.setId(4242);
    QVERIFY(!HistoryStore::instance()->modifyEvent(unknown));

    Event noId = receivedMms();
    noId.setValidProperties({Event::Subject});
    QVERIFY(!HistoryStore::instance()->modifyEvent(noId));
}

void TestHistoryStore::deleteRemovesTheEvent()
{
    Event event = receivedMms();
    QVERIFY(HistoryStore::instance()->addEvent(event));
    Chronel::EventModel model;
    QVERIFY(model.getEvents(event.groupId()));
    QCOMPARE(model.rowCount(), 1);

    QVERIFY(model.deleteEvent(event));
    QCOMPARE(model.rowCount(), 0);
    Event gone;
    QVERIFY(!HistoryStore::instance()->getEvent(event.id(), gone));
    QVERIFY(!HistoryStore::instance()->deleteEvent(event.id()));
}

void TestHistoryStore::damagedDatabaseIsMovedAside()
{
    const QString path = HistoryStore::databasePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    const QByteArray garbage(8192, 'x');
    damaged.write(garbage);
    damaged.close();

    QTest::ignoreMessage(QtCriticalMsg,
                         QRegularExpression(QStringLiteral("^\\[CHRONEL\\] history database .* "
                                                           "moved aside to .*damaged-")));
    Event event = receivedMms();
    QVERIFY(HistoryStore::instance()->addEvent(event));

    const QStringList aside =
        QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("history.db.damaged-*")});
    QCOMPARE(aside.size(), 1);
    QFile kept(QFileInfo(path).absolutePath() + QLatin1Char('/') + aside.first());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), garbage);
}

void TestHistoryStore::eventsShareAConversationByRemoteUid()
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

QTEST_MAIN(TestHistoryStore)
#include "tst_historystore.moc"
