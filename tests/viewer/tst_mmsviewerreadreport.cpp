#include "chatsessionmanager.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"
#include "tkquerydialog.h"
#include "viewertest.h"

#include <QtTest>

// The viewer's read-report decision for a fetched message, by the settings'
// mode and the event's flags; the connection manager program records what
// was sent.

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const int kNoQuestion = -1;

int downloaderCount()
{
    return QCoreApplication::instance()->findChildren<MMSDownloader*>().size();
}

} // namespace

class TestMmsViewerReadReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void decision_data();
    void decision();

private:
    // Opens the message and waits until its slides are built and the
    // decision, which follows them, has run; null when they never are.
    MmsViewerPage* open(const Chronel::Event& event);

    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
    ViewerHost* m_host = nullptr;
};

void TestMmsViewerReadReport::initTestCase()
{
    forgetUserData();
    installCatalogue();
    m_control = newControl(this);
}

void TestMmsViewerReadReport::init()
{
    // Every page's downloader gets ready later than the decision.
    ChatSessionManager::instance()->reset();
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    QVERIFY(m_connectionManager->start());
    m_host = new ViewerHost;
}

void TestMmsViewerReadReport::cleanup()
{
    delete m_host;
    delete m_connectionManager;
}

MmsViewerPage* TestMmsViewerReadReport::open(const Chronel::Event& event)
{
    MmsViewerPage* page = m_host->open(event);
    return QTest::qWaitFor([page] { return shownSlides(page).size() == 1; }) ? page : nullptr;
}

void TestMmsViewerReadReport::decision_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("requested");
    QTest::addColumn<bool>("alreadySent");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("sent");

    const int in = Chronel::Event::Inbound;
    const int out = Chronel::Event::Outbound;
    const int yes = TkQueryDialog::Yes;
    const int no = TkQueryDialog::No;
    QTest::newRow("sent message") << 1 << out << true << false << kNoQuestion << false << false;
    QTest::newRow("no report asked") << 1 << in << false << false << kNoQuestion << false << false;
    QTest::newRow("report sent before") << 0 << in << true << true << kNoQuestion << true << false;
    QTest::newRow("ask, yes") << 0 << in << true << false << yes << true << true;
    QTest::newRow("ask, no") << 0 << in << true << false << no << true << false;
    QTest::newRow("always send") << 1 << in << true << false << kNoQuestion << true << true;
    QTest::newRow("never send") << 2 << in << true << false << kNoQuestion << false << false;
}

void TestMmsViewerReadReport::decision()
{
    QFETCH(int, mode);
    QFETCH(int, direction);
    QFETCH(bool, requested);
    QFETCH(bool, alreadySent);
    QFETCH(int, answer);
    QFETCH(bool, marked);
    QFETCH(bool, sent);
    setReadReportMode(mode);
    const Chronel::MessagePart part("<note.txt>", "text/plain", QString(), "See you");
    Chronel::Event event =
        storedMessage(Chronel::Event::EventDirection(direction), {part}, kRemote);
    event.setMmsId(QStringLiteral("mms-%1").arg(event.id()));
    event.setReportReadRequested(requested);
    event.setReportRead(alreadySent);
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));
    const int downloadersBefore = downloaderCount();
    QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);
    if (mode == 1 && sent) {
        // The downloader is not ready when the decision is made.
        QTest::ignoreMessage(QtDebugMsg,
                             "[MMS_VIEW] Download is not ready yet. Pospone read report sending");
        QTest::ignoreMessage(QtDebugMsg, "[MMS_VIEW] Downloader is ready. Sending read report");
    }

    MmsViewerPage* page = open(event);
    QVERIFY(page);
    auto* question = page->findChild<TkQueryDialog*>();
    QCOMPARE(question != nullptr, answer != kNoQuestion);
    if (question) {
        QCOMPARE(question->title(), QString("The sender asks for a read report. Send it?"));
        question->done(answer);
    }

    QCOMPARE(storedEvent(event.id()).reportRead(), marked);
    if (sent) {
        QVERIFY(received.wait());
        QCOMPARE(m_control->ReadReports().value().last(),
                 (ReadReport{event.mmsId(), kRemote, true}));
    } else {
        // Without a report to send the page makes no downloader.
        QCOMPARE(downloaderCount(), downloadersBefore);
    }
    // Asked or sent once: opening the message again asks nothing.
    MmsViewerPage* again = open(storedEvent(event.id()));
    QVERIFY(again && !again->findChild<TkQueryDialog*>());
}

QTEST_MAIN(TestMmsViewerReadReport)
#include "tst_mmsviewerreadreport.moc"
