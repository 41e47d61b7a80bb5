#include "chatsessionmanager.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "viewertest.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// A received notification in the viewer page, fetched through the real
// connection manager program: progress, the slides that follow, and every
// way a download can go wrong.

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const QStringList kSlides{QStringLiteral("photo.jpg + See you at six")};

} // namespace

class TestMmsViewerDownload : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void notificationDownloadsWithProgressAndShowsItsSlides();
    void troubleOffersReloadAndRetryWorks_data();
    void troubleOffersReloadAndRetryWorks();
    void completionOfAnotherMessageChangesNothing();

private:
    // Queues the standard message and opens its notification.
    MmsViewerPage* openNotification(const QString& token);
    QString bodyText() const { return m_page->findChild<QLabel*>("mmsViewerBody")->text(); }
    QPushButton* button() const
    {
        return m_page->findChild<QPushButton*>("mmsViewerDownloadButton");
    }
    QProgressBar* progress() const
    {
        return m_page->findChild<QProgressBar*>("mmsViewerDownloadProgress");
    }

    QTemporaryDir m_folders;
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
    ViewerHost* m_host = nullptr;
    MmsViewerPage* m_page = nullptr;
    int m_eventId = -1;
};

void TestMmsViewerDownload::initTestCase()
{
    forgetUserData();
    installCatalogue();
    setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND);
    m_control = newControl(this);
}

void TestMmsViewerDownload::init()
{
    ChatSessionManager::instance()->reset();
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    m_connectionManager->setStepInterval(150);
    QVERIFY(m_connectionManager->start());
    m_host = new ViewerHost;
}

void TestMmsViewerDownload::cleanup()
{
    delete m_host;
    delete m_connectionManager;
}

MmsViewerPage* TestMmsViewerDownload::openNotification(const QString& token)
{
    const QDBusReply<int> queued = m_control->QueueMessage(
        writeMessageFolder(m_folders.path(), token), messageHeaders(kRemote, token));
    m_eventId = queued.isValid() ? queued.value() : -1;
    m_page = m_eventId < 0 ? nullptr : m_host->open(storedEvent(m_eventId));
    return m_page;
}

void TestMmsViewerDownload::notificationDownloadsWithProgressAndShowsItsSlides()
{
    QVERIFY(openNotification("harbour"));
    QTRY_VERIFY(m_page->findChild<QLabel*>("mmsViewerBody"));
    QCOMPARE(bodyText(), QString("Retrieving message"));
    QCOMPARE(button()->text(), QString("Cancel"));
    QVERIFY(!m_page->findChild<QAction*>("mmsViewReplyAllTollbarAction")->isVisible());

    QTRY_VERIFY(progress()->isVisible() && progress()->value() > 0 && progress()->value() < 100);
    QTRY_COMPARE(shownSlides(m_page), kSlides);
    QCOMPARE(m_control->DownloadRequests().value(), QStringList{"harbour"});
    QCOMPARE(m_page->downloadState(), uint(MmsViewerPage::Idle));
    QVERIFY(m_page->findChild<QAction*>("mmsViewReplyAllTollbarAction")->isVisible());
}

void TestMmsViewerDownload::troubleOffersReloadAndRetryWorks_data()
{
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<uint>("state");
    QTest::newRow("download fails") << "fails"
                                    << "Retrieving the message failed" << 4u;
    QTest::newRow("user cancels") << "cancel"
                                  << "Retrieval stopped" << 3u;
    QTest::newRow("connection manager leaves mid-way") << "lost"
                                                       << "Retrieving the message failed" << 4u;
    QTest::newRow("connection manager away at opening") << "away"
                                                        << "Retrieving the message failed" << 4u;
}

void TestMmsViewerDownload::troubleOffersReloadAndRetryWorks()
{
    QFETCH(QString, trouble);
    QFETCH(QString, shown);
    QFETCH(uint, state);
    const QString token = "trouble-" + trouble;
    if (trouble == "fails") {
        m_control->FailNextDownload(5);
    } else if (trouble != "away") {
        m_control->StallNextDownload();
    }
    const QDBusReply<int> queued = m_control->QueueMessage(
        writeMessageFolder(m_folders.path(), token), messageHeaders(kRemote, token));
    QVERIFY(queued.isValid());
    if (trouble == "away") {
        QVERIFY(m_connectionManager->stop());
    }
    m_page = m_host->open(storedEvent(queued.value()));
    QTRY_VERIFY(button());
    if (trouble == "cancel" || trouble == "lost") {
        // Stalled after its first data.
        QTRY_COMPARE(progress()->value(), 20);
        if (trouble == "cancel") {
            button()->click();
        } else {
            QVERIFY(m_connectionManager->kill());
        }
    }
    QTRY_COMPARE(button()->text(), QString("Retrieve again"));
    QCOMPARE(bodyText(), shown);
    QCOMPARE(m_page->downloadState(), state);
    if (trouble == "cancel") {
        QTRY_COMPARE(storedEvent(queued.value()).status(), Chronel::Event::DeliveredStatus);
    }

    if (trouble == "lost" || trouble == "away") {
        QVERIFY(m_connectionManager->start());
    }
    button()->click();
    QCOMPARE(bodyText(), QString("Retrieving message"));
    QTRY_COMPARE(shownSlides(m_page), kSlides);
}

void TestMmsViewerDownload::completionOfAnotherMessageChangesNothing()
{
    m_control->StallNextDownload();
    QVERIFY(openNotification("stalled"));
    QTRY_VERIFY(progress());
    QTRY_COMPARE(progress()->value(), 20);
    m_page->onDownloadingCompleted("another", 0);
    m_page->onDownloadingCompleted("another", 5);
    QCOMPARE(m_page->downloadState(), uint(MmsViewerPage::Downloading));
    QCOMPARE(bodyText(), QString("Retrieving message"));
    QVERIFY(progress()->isVisible());
}

QTEST_MAIN(TestMmsViewerDownload)
#include "tst_mmsviewerdownload.moc"
