#include "mmsmessagingplugin.h"

#include "basepage.h"
#include "historystore.h"

#include <QDir>
#include <QtTest>

using Chronel::Event;

Q_DECLARE_METATYPE(Event::EventDirection)
Q_DECLARE_METATYPE(MessagingUI::OperationType)

class TestEditorFromEvent : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void subjectPrefix_data();
    void subjectPrefix();
    void recipientsTokenAndParts_data();
    void recipientsTokenAndParts();
    void goneEventGivesAnEmptyEvent();
    void createsTheEditor();
};

void TestEditorFromEvent::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(QFileInfo(Chronel::HistoryStore::databasePath()).absolutePath()).removeRecursively();
}

void TestEditorFromEvent::subjectPrefix_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<MessagingUI::OperationType>("operation");
    QTest::addColumn<QString>("expected");

    QTest::newRow("forward") << "Hello" << MessagingUI::Forward << "Fw: Hello";
    QTest::newRow("forward FW: kept") << "FW: Hello" << MessagingUI::Forward << "FW: Hello";
    QTest::newRow("forward empty") << "" << MessagingUI::Forward << "Fw: ";
    QTest::newRow("reply") << "Hello" << MessagingUI::Reply << "Re: Hello";
    QTest::newRow("reply re: kept") << "re: Hello" << MessagingUI::Reply << "re: Hello";
    QTest::newRow("reply RE: kept") << "RE:Hello" << MessagingUI::Reply << "RE:Hello";
    QTest::newRow("reply to forward") << "Fw: Hello" << MessagingUI::Reply << "Re: Fw: Hello";
    QTest::newRow("reply all") << "Hello" << MessagingUI::ReplyToAll << "Re: Hello";
    QTest::newRow("reply all empty") << "" << MessagingUI::ReplyToAll << "Re: ";
    QTest::newRow("other operation") << "Hello" << MessagingUI::OperationType(7) << "Hello";
}

void TestEditorFromEvent::subjectPrefix()
{
    QFETCH(QString, subject);
    QFETCH(MessagingUI::OperationType, operation);
    QFETCH(QString, expected);

    Event stored;
    stored.setType(Event::MMSEvent);
    stored.setSubject(subject);
    QVERIFY(Chronel::HistoryStore::instance()->addEvent(stored));
    QCOMPARE(MMSMessagingPlugin::eventForOperation(stored, operation).subject(), expected);
}

void TestEditorFromEvent::recipientsTokenAndParts_data()
{
    QTest::addColumn<MessagingUI::OperationType>("operation");
    QTest::addColumn<Event::EventDirection>("direction");
    QTest::addColumn<QString>("remoteUid");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("cc");
    QTest::addColumn<QString>("expectedRemoteUid");
    QTest::addColumn<QStringList>("expectedTo");
    QTest::addColumn<QStringList>("expectedCc");
    QTest::addColumn<QString>("expectedToken");
    QTest::addColumn<int>("expectedParts");

    const QString r = QStringLiteral("+358401000000");
    const QString a = QStringLiteral("+358402000000");
    const QString b = QStringLiteral("b@example.com");
    const QString c = QStringLiteral("+358403000000");
    const QString token = QStringLiteral("stored-token");
    const auto in = Event::Inbound;
    const auto out = Event::Outbound;

    QTest::newRow("forward clears recipients, keeps parts")
        << MessagingUI::Forward << in << r << QStringList{a} << QStringList{c} << QString()
        << QStringList() << QStringList() << QString() << 2;
    QTest::newRow("reply goes to the sender only")
        << MessagingUI::Reply << in << r << QStringList{a, b} << QStringList{c} << r
        << QStringList{r} << QStringList() << QString() << 0;
    QTest::newRow("reply all, received, two in To")
        << MessagingUI::ReplyToAll << in << r << QStringList{a, b} << QStringList() << r
        << QStringList{r, a, b} << QStringList() << QString() << 0;
    QTest::newRow("reply all, received, one in To and one in Cc")
        << MessagingUI::ReplyToAll << in << r << QStringList{a} << QStringList{c} << r
        << QStringList{r, a} << QStringList{c} << QString() << 0;
    QTest::newRow("reply all, received, one address in all")
        << MessagingUI::ReplyToAll << in << r << QStringList{a} << QStringList() << r
        << QStringList{r} << QStringList() << QString() << 0;
    QTest::newRow("reply all, received, no remote uid")
        << MessagingUI::ReplyToAll << in << QString() << QStringList{a, b} << QStringList()
        << QString() << QStringList{a, b} << QStringList() << QString() << 0;
    QTest::newRow("reply all, sent, To as stored")
        << MessagingUI::ReplyToAll << out << r << QStringList{a, b} << QStringList{c} << r
        << QStringList{a, b} << QStringList{c} << QString() << 0;
    QTest::newRow("unknown operation keeps everything")
        << MessagingUI::OperationType(0) << in << r << QStringList{a} << QStringList{c} << r
        << QStringList{a} << QStringList{c} << token << 2;
}

void TestEditorFromEvent::recipientsTokenAndParts()
{
    QFETCH(MessagingUI::OperationType, operation);
    QFETCH(Event::EventDirection, direction);
    QFETCH(QString, remoteUid);
    QFETCH(QStringList, to);
    QFETCH(QStringList, cc);

    Event stored;
    stored.setType(Event::MMSEvent);
    stored.setDirection(direction);
    stored.setRemoteUid(remoteUid);
    stored.setToList(to);
    stored.setCcList(cc);
    stored.setMessageToken(QStringLiteral("stored-token"));
    Chronel::MessagePart text;
    text.setContentType(QStringLiteral("text/plain"));
    Chronel::MessagePart picture;
    picture.setContentType(QStringLiteral("image/png"));
    stored.setMessageParts({text, picture});
    QVERIFY(Chronel::HistoryStore::instance()->addEvent(stored));

    // Only the id counts: the editor opens on what the store holds now.
    Event handed;
    handed.setId(stored.id());
    const Event copy = MMSMessagingPlugin::eventForOperation(handed, operation);

    QTEST(copy.remoteUid(), "expectedRemoteUid");
    QTEST(copy.toList(), "expectedTo");
    QTEST(copy.ccList(), "expectedCc");
    QTEST(copy.messageToken(), "expectedToken");
    QTEST(copy.messageParts().size(), "expectedParts");
}

void TestEditorFromEvent::goneEventGivesAnEmptyEvent()
{
    Event gone;
    gone.setId(987654);
    gone.setSubject(QStringLiteral("Hello"));
    gone.setToList({QStringLiteral("+358401000000")});
    const Event copy = MMSMessagingPlugin::eventForOperation(gone, MessagingUI::OperationType(0));
    QCOMPARE(copy, Event());
}

// Both ways of opening give the composer, a page of type 8.
void TestEditorFromEvent::createsTheEditor()
{
    MMSMessagingPlugin plugin;
    QTest::ignoreMessage(QtDebugMsg, "[MMS-UI] creating editor page for event, operation 2");
    std::unique_ptr<BasePage> fromEvent(
        plugin.createEditorPage(nullptr, Event(), MessagingUI::Reply));
    QCOMPARE(fromEvent ? fromEvent->pageType() : 0, 8);
    std::unique_ptr<BasePage> handedOver(
        plugin.createEditorPage(nullptr, {}, "S", "B", {}, "handed-over-token"));
    QCOMPARE(handedOver ? handedOver->pageType() : 0, 8);
}

QTEST_MAIN(TestEditorFromEvent)
#include "tst_editorfromevent.moc"
