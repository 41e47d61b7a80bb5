#include "basepage.h"
#include "chatsessionmanager.h"
#include "contentindexer.h"
#include "freshdatafolder.h"
#include "historystore.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsmessagingplugin.h"
#include "qsparqlconnection.h"
#include "readreportsender.h"
#include "trackerhelper.h"
#include "viewertest.h"
#include "visiblewindow.h"

#include "tkquerydialog.h"

#include <QtTest>

using Chronel::Event;

Q_DECLARE_METATYPE(Event::EventDirection)
Q_DECLARE_METATYPE(MessagingUI::OperationType)

namespace {

const int kNoQuestion = -1;

// The question on screen; answered ones linger until deleted.
const auto openQuestion = &visibleWindow<TkQueryDialog>;

QStringList addresses(const QString& letters)
{
    const QMap<QChar, QString> address{{'r', "+358401000000"},
                                       {'a', "+358402000000"},
                                       {'b', "b@example.com"},
                                       {'c', "+358403000000"}};
    QStringList list;
    for (const QChar letter : letters)
        list << address.value(letter);
    return list;
}

} // namespace

// The plug-in's editor pages for an event and an operation, and deleted
// conversations with the read reports for their unread messages, against the
// connection manager program, which records what was sent.
class TestMmsMessagingPlugin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder());
        installCatalogue();
        m_control = newControl(this);
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
        QVERIFY(m_connectionManager->start());
        // One unanswered message in each of conversations 1 to 3; conversation 4
        // holds an answered one only.
        ContentIndexer indexer(*TrackerHelper::instance()->connection());
        const QList<MmsMessageRecord> messages{{"m1", 1, false, true, false, "tel:+123"},
                                               {"m2", 2, false, true, false, "+456"},
                                               {"m3", 3, false, true, false, "+789"},
                                               {"m4", 4, false, true, true, "+111"}};
        for (const MmsMessageRecord& message : messages)
            QVERIFY(!indexer.addMmsMessage(message).isEmpty());
    }

    void subjectPrefix_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<MessagingUI::OperationType>("operation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("forward") << "Hello" << MessagingUI::Forward << "Fw: Hello";
        QTest::newRow("forward FW: kept") << "FW: Hello" << MessagingUI::Forward << "FW: Hello";
        QTest::newRow("reply") << "Hello" << MessagingUI::Reply << "Re: Hello";
        QTest::newRow("reply re: kept") << "re: Hello" << MessagingUI::Reply << "re: Hello";
        QTest::newRow("reply to forward") << "Fw: Hello" << MessagingUI::Reply << "Re: Fw: Hello";
        QTest::newRow("reply all, empty") << "" << MessagingUI::ReplyToAll << "Re: ";
        QTest::newRow("other operation") << "Hello" << MessagingUI::OperationType(7) << "Hello";
    }
    void subjectPrefix()
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

    // The editor opens on a copy of the stored message, addressed for the operation. Remote
    // party, To and Cc as "remote/to/cc" in letters: r the remote party, a, b and c others.
    void recipientsTokenAndParts_data()
    {
        QTest::addColumn<MessagingUI::OperationType>("operation");
        QTest::addColumn<Event::EventDirection>("direction");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("keepsAll"); // token and parts
        const auto row = [](const char* tag, MessagingUI::OperationType operation,
                            Event::EventDirection direction, const char* stored,
                            const char* expected, bool keepsAll = false) {
            QTest::newRow(tag) << operation << direction << stored << expected << keepsAll;
        };
        const auto in = Event::Inbound;
        const auto all = MessagingUI::ReplyToAll;
        row("forward clears recipients, keeps parts", MessagingUI::Forward, in, "r/a/c", "//");
        row("reply goes to the sender only", MessagingUI::Reply, in, "r/ab/c", "r/r/");
        row("reply all, received, two in To", all, in, "r/ab/", "r/rab/");
        row("reply all, received, To and Cc", all, in, "r/a/c", "r/ra/c");
        row("reply all, received, one address", all, in, "r/a/", "r/r/");
        row("reply all, received, no remote uid", all, in, "/ab/", "/ab/");
        row("reply all, sent, To as stored", all, Event::Outbound, "r/ab/c", "r/ab/c");
        row("unknown operation keeps everything", MessagingUI::OperationType(0), in, "r/a/c",
            "r/a/c", true);
    }
    void recipientsTokenAndParts()
    {
        QFETCH(MessagingUI::OperationType, operation);
        QFETCH(Event::EventDirection, direction);
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        QFETCH(bool, keepsAll);
        Event event;
        event.setType(Event::MMSEvent);
        event.setDirection(direction);
        event.setRemoteUid(addresses(stored.section('/', 0, 0)).value(0));
        event.setToList(addresses(stored.section('/', 1, 1)));
        event.setCcList(addresses(stored.section('/', 2)));
        event.setMessageToken(QStringLiteral("stored-token"));
        event.setMessageParts({Chronel::MessagePart("a.txt", "text/plain", "", "Hi"),
                               Chronel::MessagePart("b.png", "image/png", "", "")});
        QVERIFY(Chronel::HistoryStore::instance()->addEvent(event));
        // Only the id counts: the editor opens on what the store holds now.
        Event handed;
        handed.setId(event.id());
        const Event copy = MMSMessagingPlugin::eventForOperation(handed, operation);
        QCOMPARE(QVariantList({copy.remoteUid(), copy.toList(), copy.ccList(), copy.messageToken(),
                               copy.messageParts().size()}),
                 QVariantList({addresses(expected.section('/', 0, 0)).value(0),
                               addresses(expected.section('/', 1, 1)),
                               addresses(expected.section('/', 2)), keepsAll ? "stored-token" : "",
                               keepsAll || operation == MessagingUI::Forward ? 2 : 0}));
    }

    void goneEventGivesAnEmptyEvent()
    {
        Event gone;
        gone.setId(987654);
        gone.setSubject(QStringLiteral("Hello"));
        gone.setToList({QStringLiteral("+358401000000")});
        const Event copy =
            MMSMessagingPlugin::eventForOperation(gone, MessagingUI::OperationType(0));
        QCOMPARE(copy, Event());
    }

    // Both ways of opening give the composer, a page of type 8.
    void createsTheEditor()
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

    void deletion_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("reports");
        const int yes = TkQueryDialog::Yes;
        const int no = TkQueryDialog::No;
        const QString single = qtTrId("qtn_mms_allow_deleted_receipt_single");
        const QString plural = qtTrId("qtn_mms_allow_read_receipt_multiple");
        const QStringList all{"m1 to +123", "m2 to +456", "m3 to +789"};
        const auto row = [](const char* name, int mode, const QList<int>& groups,
                            const QString& question, int answer, const QStringList& reports) {
            QTest::newRow(name) << mode << groups << question << answer << reports;
        };
        row("never send", 2, {1, 2, 3}, "", kNoQuestion, {});
        row("three, ask, yes", 0, {1, 2, 3}, plural, yes, all);
        row("three, ask, no", 0, {1, 2, 3}, plural, no, {});
        row("one, ask, yes", 0, {2}, single, yes, {"m2 to +456"});
        row("tel: removed", 1, {1}, "", kNoQuestion, {"m1 to +123"});
        row("every conversation", 1, {}, "", kNoQuestion, all);
        row("nothing to report", 0, {4}, "", kNoQuestion, {});
    }
    void deletion()
    {
        QFETCH(int, mode);
        QFETCH(QList<int>, groups);
        QFETCH(QString, question);
        QFETCH(int, answer);
        QFETCH(QStringList, reports);
        setReadReportMode(mode);
        ChatSessionManager::instance()->reset();
        const int reportsBefore = m_control->ReadReports().value().size();
        MMSMessagingPlugin plugin;
        if (mode == 2)
            QTest::ignoreMessage(QtDebugMsg, "[MMS-PLUGIN] Read Report sinding is disabled");
        else if (reports.isEmpty() && question.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, "[MMS-PLUGIN] Needn't to send Delete Reports");
        if (groups.isEmpty())
            QTest::ignoreMessage(QtDebugMsg,
                                 "[MMS-PLUGIN] Deleting group -1: got 3 messages to report");
        plugin.notifyDeleteGroups(groups);
        if (!question.isEmpty()) {
            QVERIFY(QTest::qWaitFor([] { return openQuestion(); }));
            QCOMPARE(openQuestion()->text(), question);
            openQuestion()->done(answer);
            // A refusal drops the reports with their sender.
            QCOMPARE(plugin.findChild<ReadReportSender*>() != nullptr,
                     answer == TkQueryDialog::Yes);
        }
        // Deleted unread: no report may say "read".
        const auto sent = [&] {
            QStringList lines;
            for (const ReadReport& report : m_control->ReadReports().value().mid(reportsBefore))
                lines << report.messageId + " to " + report.to + (report.isRead ? " (read)" : "");
            lines.sort();
            return lines;
        };
        QTRY_COMPARE(sent(), reports);
        QVERIFY(!openQuestion());
    }

private:
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
};

QTEST_MAIN(TestMmsMessagingPlugin)
#include "tst_mmsmessagingplugin.moc"
