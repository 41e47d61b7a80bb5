#include "chatsessionmanager.h"
#include "historystore.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kRemote = QStringLiteral("+358401234567");

} // namespace

// MMSDownloader against the real connection manager program on the test's bus.
class TestMMSDownloader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folders;
    MmscmControl* m_control = nullptr;
    // The connection manager and the downloaders of one test.
    QObject* m_scope = nullptr;
    MmscmProcess* m_connectionManager = nullptr;

    // Queues the standard message; its content location, empty on failure.
    QString queue(const QString& token)
    {
        const QDBusReply<int> queued = m_control->QueueMessage(
            writeMessageFolder(m_folders.path(), token), messageHeaders(kRemote, token));
        Chronel::Event event;
        return queued.isValid() &&
                       Chronel::HistoryStore::instance()->getEvent(queued.value(), event)
                   ? event.contentLocation()
                   : QString();
    }

    MMSDownloader* readyDownloader()
    {
        auto* downloader = new MMSDownloader(kRemote, Mmscm::accountPath, m_scope);
        QSignalSpy ready(downloader, &MMSDownloader::ready);
        downloader->init();
        return (!ready.isEmpty() || ready.wait()) && ready.first().first().toBool() ? downloader
                                                                                    : nullptr;
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
        m_scope = new QObject(this);
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), m_scope);
        m_connectionManager->setStepInterval(10);
    }

    void cleanup() { delete m_scope; }

    void downloadBeforeReadySendsNothing()
    {
        QVERIFY(m_connectionManager->start());
        const QString location = queue(QStringLiteral("early"));
        MMSDownloader downloader(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&downloader, &MMSDownloader::ready);
        downloader.init();
        QCOMPARE(downloader.download(QStringLiteral("early"), location), MMSDownloader::NotReady);
        QCOMPARE(downloader.cancel(QStringLiteral("early")), MMSDownloader::NotReady);
        QTest::ignoreMessage(QtDebugMsg, "[DOWNLOADER] Send Read report is requested while "
                                         "downloader is not ready!");
        downloader.sendReadReport(QStringLiteral("mms-early"), kRemote, true);
        QVERIFY(ready.wait());
        QCOMPARE(m_control->DownloadRequests().value(), QStringList());
        QCOMPARE(m_control->ReadReports().value(), ReadReportList());
    }

    void sessionOfAnotherPartyIsIgnored()
    {
        QVERIFY(m_connectionManager->start());
        MMSDownloader downloader(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&downloader, &MMSDownloader::ready);
        downloader.init();
        ChatSessionManager::instance()->requestChatSession(QStringLiteral("+358509999999"),
                                                           Mmscm::accountPath);
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Ignoring session constructor");
        QVERIFY(ready.wait());
        QCOMPARE(ready.first().first().toBool(), true);
    }

    void readySessionIsReadyWithinInit()
    {
        QVERIFY(m_connectionManager->start());
        QVERIFY(readyDownloader());
        MMSDownloader second(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&second, &MMSDownloader::ready);
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Session already exists");
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Session is ready");
        second.init();
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.first().first().toBool(), true);
    }

    // Each downloader's request announces the session to both: neither binds twice.
    void sessionAnnouncedTwiceBindsOnce()
    {
        QVERIFY(m_connectionManager->start());
        const QString location = queue(QStringLiteral("twice"));
        MMSDownloader first(kRemote, Mmscm::accountPath);
        MMSDownloader second(kRemote, Mmscm::accountPath);
        QSignalSpy firstReady(&first, &MMSDownloader::ready);
        QSignalSpy secondReady(&second, &MMSDownloader::ready);
        first.init();
        second.init();
        QVERIFY(firstReady.wait());
        QCOMPARE(first.download(QStringLiteral("twice"), location), 0u);
        QSignalSpy completed(&first, &MMSDownloader::downloadCompleted);
        QVERIFY(completed.wait());
        QCOMPARE((QList<int>{firstReady.count(), secondReady.count(), completed.count()}),
                 (QList<int>{1, 1, 1}));
    }

    // The progress and the outcome reach the downloader's user, the history has the result.
    void completionIsForwarded_data()
    {
        QTest::addColumn<uint>("status");
        QTest::addColumn<int>("storedStatus");
        QTest::addRow("fetched") << 0u << int(Chronel::Event::UnknownStatus);
        QTest::addRow("fail") << 5u << int(Chronel::Event::TemporarilyFailedStatus);
        QTest::addRow("cancel") << 3u << int(Chronel::Event::UnknownStatus);
        QTest::addRow("unknown") << 2u << -1;
    }

    void completionIsForwarded()
    {
        QFETCH(uint, status);
        QFETCH(int, storedStatus);
        const QString token = QTest::currentDataTag();
        QVERIFY(m_connectionManager->start());
        const QString location = token == "unknown" ? "http://nowhere/" : queue(token);
        if (token == "fail")
            QVERIFY(QDBusReply<void>(m_control->FailNextDownload(5)).isValid());
        else if (token == "cancel")
            QVERIFY(QDBusReply<void>(m_control->StallNextDownload()).isValid());
        MMSDownloader* downloader = readyDownloader();
        QVERIFY(downloader);
        QSignalSpy started(downloader, &MMSDownloader::downloadStarted);
        QSignalSpy progress(downloader, &MMSDownloader::progress);
        QSignalSpy completed(downloader, &MMSDownloader::downloadCompleted);
        QCOMPARE(downloader->download(token, location), token == "unknown" ? 2u : 0u);
        if (token == "cancel") {
            QVERIFY(started.wait());
            QCOMPARE(downloader->cancel(token), 0u);
        }
        QVERIFY(completed.wait());
        QCOMPARE(completed.takeFirst(), (QVariantList{token, status}));
        if (status == 0u)
            QVERIFY(progress.contains(QVariantList{2u, 40u, token}));

        Chronel::Event stored;
        for (const Chronel::Event& event : Chronel::HistoryStore::instance()->events()) {
            if (event.messageToken() == token)
                stored = event;
        }
        QCOMPARE(stored.isValid() ? int(stored.status()) : -1, storedStatus);
        QCOMPARE(stored.isValid() && stored.contentLocation().isEmpty(), status == 0u);
        QCOMPARE(stored.messageParts().size(), status == 0u ? 3 : 0);
    }

    void missingConnectionManagerIsASessionError()
    {
        MMSDownloader downloader(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&downloader, &MMSDownloader::ready);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[CHAT-SESSION\\] "));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMSDownloader\\] Chat session "
                                                            "error: 2 \".* is not on the bus\"$"));
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Unable to receive prepare ChatSession");
        downloader.init();
        QVERIFY(ready.wait());
        QCOMPARE(ready.first().first().toBool(), false);
        QCOMPARE(downloader.download("t", "u"), MMSDownloader::NotReady);
    }
};

QTEST_GUILESS_MAIN(TestMMSDownloader)
#include "tst_mmsdownloader.moc"
