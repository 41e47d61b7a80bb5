#include "chatsessionmanager.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"
#include "readreportsender.h"

#include <QtTest>

// ReadReportSender against the real connection manager program on the test's bus.

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const QString kOther = QStringLiteral("+358409999999");
const char* kCreating =
    "[MMS-READREPORT] Creating new downloader iface sender for  \"+358401234567\"";

} // namespace

class TestReadReportSender : public QObject
{
    Q_OBJECT

    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;

    // What the connection manager recorded once it received `count` reports.
    ReadReportList receivedReports(int count)
    {
        QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);
        while (m_control->ReadReports().value().size() < count && received.wait()) {
        }
        return m_control->ReadReports().value();
    }

private slots:
    void initTestCase()
    {
        forgetUserData();
        m_control = newControl(this);
    }

    void init()
    {
        ChatSessionManager::instance()->reset();
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    }

    void cleanup() { delete m_connectionManager; }

    void reportsQueuedBeforeReadinessGoOutInOrder()
    {
        QVERIFY(m_connectionManager->start());
        ReadReportSender sender(kRemote);
        sender.queueReport(QStringLiteral("m1"), kRemote, false);
        sender.sendReports();
        // Queued while the downloader gets ready: the same batch.
        sender.queueReport(QStringLiteral("m2"), kOther, true);
        QCOMPARE(sender.reportsCount(), 2);
        QTest::ignoreMessage(QtDebugMsg, "[MMS-READREPORT] Sending pending reports "
                                         "(PendingReadReport(mmsId:\"m1\", to:\"+358401234567\", "
                                         "read:false), PendingReadReport(mmsId:\"m2\", "
                                         "to:\"+358409999999\", read:true))");
        // Every report of the sender is one of a message deleted unread.
        QCOMPARE(receivedReports(2), (ReadReportList{{QStringLiteral("m1"), kRemote, false},
                                                     {QStringLiteral("m2"), kOther, false}}));
        QCOMPARE(sender.reportsCount(), 0);
    }

    void failedDownloaderDropsTheBatch()
    {
        ReadReportSender sender(kRemote);
        sender.queueReport(QStringLiteral("lost"), kRemote, false);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^\\[CHAT-SESSION\\] ")));
        QTest::ignoreMessage(QtWarningMsg, "[MMS-READREPORT] Downloaded failed to get ready. Drop "
                                           "reports (PendingReadReport(mmsId:\"lost\", "
                                           "to:\"+358401234567\", read:false))");
        sender.sendReports();
        QSignalSpy ready(sender.findChild<MMSDownloader*>(), &MMSDownloader::ready);
        QVERIFY(ready.wait());
        QCOMPARE(sender.reportsCount(), 0);

        // The failed downloader is not asked again: the next batch gets a new one.
        QVERIFY(m_connectionManager->start());
        sender.queueReport(QStringLiteral("next"), kRemote, false);
        QTest::ignoreMessage(QtDebugMsg, kCreating);
        sender.sendReports();
        QCOMPARE(receivedReports(1), (ReadReportList{{QStringLiteral("next"), kRemote, false}}));
    }

    void everyBatchHasItsOwnDownloader()
    {
        QVERIFY(m_connectionManager->start());
        ReadReportSender sender(kRemote);
        const QStringList batches{QStringLiteral("first"), QStringLiteral("second")};
        for (int i = 0; i < batches.size(); ++i) {
            QTest::ignoreMessage(QtDebugMsg, kCreating);
            sender.queueReport(batches.at(i), kRemote, false);
            sender.sendReports();
            QCOMPARE(receivedReports(i + 1).size(), i + 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestReadReportSender)
#include "tst_readreportsender.moc"
