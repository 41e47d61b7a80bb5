#include "chatsessionmanager.h"
#include "contentindexer.h"
#include "freshdatafolder.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsmessagingplugin.h"
#include "qsparqlconnection.h"
#include "readreportsender.h"
#include "trackerhelper.h"
#include "viewertest.h"

#include "tkquerydialog.h"

#include <QApplication>
#include <QtTest>

// Deleted conversations and the read reports for their unread messages,
// against the connection manager program, which records what was sent.

namespace {

const int kNoQuestion = -1;

// The question on screen; answered ones linger until deleted.
TkQueryDialog* openQuestion()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* question = qobject_cast<TkQueryDialog*>(window);
        if (question && question->isVisible())
            return question;
    }
    return nullptr;
}

} // namespace

class TestDeleteGroups : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void deletion_data();
    void deletion();

private:
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
};

void TestDeleteGroups::initTestCase()
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

void TestDeleteGroups::deletion_data()
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
    QTest::newRow("never send") << 2 << QList<int>{1, 2, 3} << QString() << kNoQuestion
                                << QStringList();
    QTest::newRow("three, ask, yes") << 0 << QList<int>{1, 2, 3} << plural << yes << all;
    QTest::newRow("three, ask, no") << 0 << QList<int>{1, 2, 3} << plural << no << QStringList();
    QTest::newRow("one, ask, yes") << 0 << QList<int>{2} << single << yes
                                   << QStringList{"m2 to +456"};
    QTest::newRow("tel: removed") << 1 << QList<int>{1} << QString() << kNoQuestion
                                  << QStringList{"m1 to +123"};
    QTest::newRow("every conversation") << 1 << QList<int>() << QString() << kNoQuestion << all;
    QTest::newRow("nothing to report")
        << 0 << QList<int>{4} << QString() << kNoQuestion << QStringList();
}

void TestDeleteGroups::deletion()
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
        QCOMPARE(plugin.findChild<ReadReportSender*>() != nullptr, answer == TkQueryDialog::Yes);
    }
    QStringList sent;
    QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);
    while (sent.size() < reports.size() && (!received.isEmpty() || received.wait())) {
        received.clear();
        const ReadReportList recorded = m_control->ReadReports().value().mid(reportsBefore);
        sent.clear();
        for (const ReadReport& report : recorded) {
            QVERIFY(!report.isRead);
            sent << report.messageId + QStringLiteral(" to ") + report.to;
        }
    }
    sent.sort();
    QCOMPARE(sent, reports);
    QVERIFY(!openQuestion());
}

QTEST_MAIN(TestDeleteGroups)
#include "tst_deletegroups.moc"
