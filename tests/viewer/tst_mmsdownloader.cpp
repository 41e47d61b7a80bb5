#include "chatsessionmanager.h"
#include "historystore.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"

#include <QTemporaryDir>
#include <QtTest>

// MMSDownloader against the real connection manager program on the test's bus.

namespace {

const QString kRemote = QStringLiteral("+358401234567");

} // namespace

class TestMMSDownloader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void downloadBeforeReadySendsNothing();
    void sessionOfAnotherPartyIsIgnored();
    void readySessionIsReadyWithinInit();
    void sessionAnnouncedTwiceBindsOnce();
    void completionIsForwarded_data();
    void completionIsForwarded();
    void progressIsForwarded();
    void lostConnectionManagerFailsTheDownload_data();
    void lostConnectionManagerFailsTheDownload();
    void missingConnectionManagerIsASessionError();

private:
    // Queues the standard message; its content location, empty on failure.
    QString queue(const QString& token);
    MMSDownloader* readyDownloader();

    QTemporaryDir m_folders;
    MmscmControl* m_control = nullptr;
    // The connection manager and the downloaders of one test.
    QObject* m_scope = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
};

void TestMMSDownloader::initTestCase()
{
    forgetUserData();
    m_control = newControl(this);
}

void TestMMSDownloader::init()
{
    ChatSessionManager::instance()->reset();
    m_scope = new QObject(this);
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), m_scope);
    m_connectionManager->setStepInterval(10);
}

void TestMMSDownloader::cleanup()
{
    delete m_scope;
}

QString TestMMSDownloader::queue(const QString& token)
{
    const QDBusReply<int> queued = m_control->QueueMessage(
        writeMessageFolder(m_folders.path(), token), messageHeaders(kRemote, token));
    Chronel::Event event;
    return queued.isValid() && Chronel::HistoryStore::instance()->getEvent(queued.value(), event)
               ? event.contentLocation()
               : QString();
}

MMSDownloader* TestMMSDownloader::readyDownloader()
{
    auto* downloader = new MMSDownloader(kRemote, Mmscm::accountPath, m_scope);
    QSignalSpy ready(downloader, &MMSDownloader::ready);
    downloader->init();
    return (!ready.isEmpty() || ready.wait()) && ready.first().first().toBool() ? downloader
                                                                                : nullptr;
}

void TestMMSDownloader::downloadBeforeReadySendsNothing()
{
    QVERIFY(m_connectionManager->start());
    const QString location = queue(QStringLiteral("early"));
    MMSDownloader downloader(kRemote, Mmscm::accountPath);
    QSignalSpy ready(&downloader, &MMSDownloader::ready);
    downloader.init();

    QCOMPARE(downloader.download(QStringLiteral("early"), location), MMSDownloader::NotReady);
    QCOMPARE(downloader.cancel(QStringLiteral("early")), MMSDownloader::NotReady);
    QTest::ignoreMessage(
        QtDebugMsg, "[DOWNLOADER] Send Read report is requested while downloader is not ready!");
    downloader.sendReadReport(QStringLiteral("mms-early"), kRemote, true);
    QVERIFY(ready.wait());
    QCOMPARE(m_control->DownloadRequests().value(), QStringList());
    QCOMPARE(m_control->ReadReports().value(), ReadReportList());
}

void TestMMSDownloader::sessionOfAnotherPartyIsIgnored()
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

void TestMMSDownloader::readySessionIsReadyWithinInit()
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
void TestMMSDownloader::sessionAnnouncedTwiceBindsOnce()
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
    QCOMPARE(firstReady.count(), 1);
    QCOMPARE(secondReady.count(), 1);
    QCOMPARE(completed.count(), 1);
}

void TestMMSDownloader::completionIsForwarded_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("script");
    QTest::addColumn<uint>("status");
    QTest::addColumn<int>("storedStatus");

    QTest::newRow("fetched") << "fetched"
                             << "" << 0u << int(Chronel::Event::UnknownStatus);
    QTest::newRow("failing with 5") << "failing"
                                    << "fail" << 5u << int(Chronel::Event::TemporarilyFailedStatus);
    QTest::newRow("cancelled") << "cancelled"
                               << "cancel" << 3u << int(Chronel::Event::UnknownStatus);
    QTest::newRow("unknown message") << "unknown"
                                     << "unknown" << 2u << -1;
}

void TestMMSDownloader::completionIsForwarded()
{
    QFETCH(QString, token);
    QFETCH(QString, script);
    QFETCH(uint, status);
    QFETCH(int, storedStatus);

    QVERIFY(m_connectionManager->start());
    const QString location =
        script == QLatin1String("unknown") ? QStringLiteral("http://nowhere/") : queue(token);
    if (script == QLatin1String("fail")) {
        QVERIFY(QDBusReply<void>(m_control->FailNextDownload(5)).isValid());
    } else if (script == QLatin1String("cancel")) {
        QVERIFY(QDBusReply<void>(m_control->StallNextDownload()).isValid());
    }
    MMSDownloader* downloader = readyDownloader();
    QVERIFY(downloader);
    QSignalSpy started(downloader, &MMSDownloader::downloadStarted);
    QSignalSpy completed(downloader, &MMSDownloader::downloadCompleted);
    QCOMPARE(downloader->download(token, location), script == QLatin1String("unknown") ? 2u : 0u);
    if (script == QLatin1String("cancel")) {
        QVERIFY(started.wait());
        QCOMPARE(downloader->cancel(token), 0u);
    }
    QVERIFY(completed.wait());
    QCOMPARE(completed.takeFirst(), (QVariantList{token, status}));

    Chronel::Event stored;
    const QList<Chronel::Event> events = Chronel::HistoryStore::instance()->events();
    for (const Chronel::Event& event : events) {
        if (event.messageToken() == token) {
            stored = event;
        }
    }
    QCOMPARE(stored.isValid() ? int(stored.status()) : -1, storedStatus);
    QCOMPARE(stored.isValid() && stored.contentLocation().isEmpty(), status == 0u);
    QCOMPARE(stored.messageParts().size(), status == 0u ? 3 : 0);
}

void TestMMSDownloader::progressIsForwarded()
{
    QVERIFY(m_connectionManager->start());
    const QString location = queue(QStringLiteral("t1"));
    MMSDownloader* downloader = readyDownloader();
    QVERIFY(downloader);
    QSignalSpy progress(downloader, &MMSDownloader::progress);
    QSignalSpy completed(downloader, &MMSDownloader::downloadCompleted);
    QCOMPARE(downloader->download(QStringLiteral("t1"), location), 0u);
    QVERIFY(completed.wait());
    QVERIFY(progress.contains(QVariantList{2u, 40u, QStringLiteral("t1")}));
}

void TestMMSDownloader::lostConnectionManagerFailsTheDownload_data()
{
    QTest::addColumn<bool>("midDownload");
    QTest::newRow("killed mid-download") << true;
    QTest::newRow("gone before the call") << false;
}

void TestMMSDownloader::lostConnectionManagerFailsTheDownload()
{
    QFETCH(bool, midDownload);
    const QString token = midDownload ? QStringLiteral("lost-mid") : QStringLiteral("lost-before");
    QVERIFY(m_connectionManager->start());
    const QString location = queue(token);
    MMSDownloader* downloader = readyDownloader();
    QVERIFY(downloader);
    QSignalSpy started(downloader, &MMSDownloader::downloadStarted);
    QSignalSpy completed(downloader, &MMSDownloader::downloadCompleted);
    if (midDownload) {
        QVERIFY(QDBusReply<void>(m_control->StallNextDownload()).isValid());
        QCOMPARE(downloader->download(token, location), 0u);
        QVERIFY(started.wait());
        QVERIFY(m_connectionManager->kill());
    } else {
        QVERIFY(m_connectionManager->kill());
        QCOMPARE(downloader->download(token, location), 0u);
    }
    QVERIFY(!completed.isEmpty() || completed.wait());
    QCOMPARE(completed.takeFirst(), (QVariantList{token, MMSDownloader::ConnectionManagerLost}));

    // Back again, the connection manager still holds the message: a retry fetches it.
    QVERIFY(m_connectionManager->start());
    QCOMPARE(downloader->download(token, location), 0u);
    QVERIFY(completed.wait());
    QCOMPARE(completed.takeFirst(), (QVariantList{token, 0u}));
}

void TestMMSDownloader::missingConnectionManagerIsASessionError()
{
    MMSDownloader downloader(kRemote, Mmscm::accountPath);
    QSignalSpy ready(&downloader, &MMSDownloader::ready);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^\\[CHAT-SESSION\\] ")));
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^\\[MMSDownloader\\] Chat session "
                                                           "error: 2 \".* is not on the bus\"$")));
    QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Unable to receive prepare ChatSession");
    downloader.init();
    QVERIFY(ready.wait());
    QCOMPARE(ready.first().first().toBool(), false);
    QCOMPARE(downloader.download(QStringLiteral("t"), QStringLiteral("u")),
             MMSDownloader::NotReady);
}

QTEST_GUILESS_MAIN(TestMMSDownloader)
#include "tst_mmsdownloader.moc"
