#include "chatsessionmanager.h"
#include "historystore.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"
#include "readreportsender.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const QString kOther = QStringLiteral("+358409999999");

} // namespace

// The connection manager program on the test's bus: the messages it refuses, and the plug-in's
// clients of it, MMSDownloader and the read report sender that uses one per batch.
class TestMmscm : public QObject
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
        m_scope = new QObject(this);
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), m_scope);
        m_connectionManager->setStepInterval(10);
        QVERIFY(m_connectionManager->start());
    }

    void cleanup() { delete m_scope; }

    void refusesBadMessages_data()
    {
        QTest::addColumn<QByteArray>("smil");
        // "link:<name>" a link to a file outside the folder, "folder:<name>", "file:<name>".
        QTest::addColumn<QString>("addition");
        // Over the standard headers; an invalid value takes the header away.
        QTest::addColumn<QVariantMap>("headers");
        QTest::addColumn<QString>("error");
        const auto row = [](const char* tag, const QByteArray& body, const QString& addition,
                            const QVariantMap& headers, const char* error) {
            const QByteArray smil = body.isEmpty() || body.startsWith("<smil>")
                                        ? body
                                        : "<smil><body>" + body + "</body></smil>";
            QTest::addRow("%s", tag) << smil << addition << headers << QString(error);
        };
        row("missing part file", "<par><img src=\"gone.jpg\"/></par>", "", {},
            "reference gone.jpg names no part file");
        row("unreadable presentation", "<smil><body><par>", "", {},
            "SMIL presentation .* cannot be read");
        row("reference leaving the folder", "<par><img src=\"../secret.jpg\"/></par>", "", {},
            "reference ../secret.jpg leaves the message folder");
        row("part linked from outside", "", "link:outside.jpg", {},
            "part file outside.jpg leaves the message folder");
        row("sub-folder", "", "folder:nested", {}, "nested is not a part file");
        row("second presentation", "", "file:other.smil", {}, "more than one SMIL presentation");
        row("no sender", "", "", {{"message-from", QVariant()}}, "no sender");
        row("unknown header", "", "", {{"message-colour", "red"}},
            "unknown header or wrong type: message-colour");
        row("token that is a path", "", "", {{"message-token", "../escape"}},
            "is not a plain name");
        row("token taken", "", "", {{"message-token", "taken"}}, "message token taken is taken");
    }

    void refusesBadMessages()
    {
        QFETCH(QByteArray, smil);
        QFETCH(QString, addition);
        QFETCH(QVariantMap, headers);
        QFETCH(QString, error);
        if (QByteArray(QTest::currentDataTag()) == "token taken")
            QVERIFY(!queue("taken").isEmpty());
        const QString folder = writeMessageFolder(m_folders.path(), QTest::currentDataTag(), smil);
        const QString name = addition.section(':', 1);
        if (addition.startsWith("link:")) {
            QVERIFY(writeFile(m_folders.filePath(name), "secret"));
            QVERIFY(QFile::link(m_folders.filePath(name), QDir(folder).filePath(name)));
        } else if (addition.startsWith("folder:")) {
            QVERIFY(QDir(folder).mkdir(name));
        } else if (addition.startsWith("file:")) {
            QVERIFY(writeFile(QDir(folder).filePath(name), "<smil/>"));
        }
        QVariantMap allHeaders = messageHeaders(kRemote, "refused");
        allHeaders.insert(headers);
        for (const QString& key : headers.keys(QVariant()))
            allHeaders.remove(key);
        const int before = Chronel::HistoryStore::instance()->events().size();
        const QDBusReply<int> reply = m_control->QueueMessage(folder, allHeaders);
        QVERIFY(!reply.isValid());
        QCOMPARE(reply.error().name(), QStringLiteral("com.quenda.Mmscm.Error.InvalidMessage"));
        QVERIFY2(reply.error().message().contains(QRegularExpression(error)),
                 qPrintable(reply.error().message()));
        QCOMPARE(Chronel::HistoryStore::instance()->events().size(), before);
    }

    void downloadBeforeReadySendsNothing()
    {
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
        MMSDownloader downloader(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&downloader, &MMSDownloader::ready);
        downloader.init();
        ChatSessionManager::instance()->requestChatSession(kOther, Mmscm::accountPath);
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Ignoring session constructor");
        QVERIFY(ready.wait());
        QCOMPARE(ready.first().first().toBool(), true);
    }

    void readySessionIsReadyWithinInit()
    {
        QVERIFY(readyDownloader());
        MMSDownloader second(kRemote, Mmscm::accountPath);
        QSignalSpy ready(&second, &MMSDownloader::ready);
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Session already exists");
        QTest::ignoreMessage(QtDebugMsg, "[MMSDownloader] Session is ready");
        second.init();
        QCOMPARE(QList<QVariantList>(ready), QList<QVariantList>{{true}});
    }

    // Each downloader's request announces the session to both: neither binds twice.
    void sessionAnnouncedTwiceBindsOnce()
    {
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

    // The progress and the outcome reach the downloader's user, the history has the result;
    // the fetched message waited in the spool for a connection manager started anew.
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
        const QString location = token == "unknown" ? "http://nowhere/" : queue(token);
        if (token == "fetched") {
            QVERIFY(m_connectionManager->stop());
            QVERIFY(m_connectionManager->start());
        }
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
        Chronel::Event event;
        for (const Chronel::Event& each : Chronel::HistoryStore::instance()->events())
            event = each.messageToken() == token ? each : event;
        QCOMPARE(event.isValid() ? int(event.status()) : -1, storedStatus);
        QCOMPARE(event.isValid() && event.contentLocation().isEmpty(), status == 0u);
        const QList<Chronel::MessagePart> parts = event.messageParts();
        QCOMPARE(parts.size(), status == 0u ? 3 : 0);
        if (status == 0u)
            QCOMPARE(event.bytesReceived(), 2048 + 14 + parts.at(0).plainTextContent().size());
    }

    void missingConnectionManagerIsASessionError()
    {
        QVERIFY(m_connectionManager->stop());
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

    void reportsQueuedBeforeReadinessGoOutInOrder()
    {
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

    // The failed downloader is not asked again: every batch gets a new one.
    void failedDownloaderDropsTheBatch()
    {
        QVERIFY(m_connectionManager->stop());
        ReadReportSender sender(kRemote);
        sender.queueReport(QStringLiteral("lost"), kRemote, false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[CHAT-SESSION\\] "));
        QTest::ignoreMessage(QtWarningMsg, "[MMS-READREPORT] Downloaded failed to get ready. Drop "
                                           "reports (PendingReadReport(mmsId:\"lost\", "
                                           "to:\"+358401234567\", read:false))");
        sender.sendReports();
        QSignalSpy ready(sender.findChild<MMSDownloader*>(), &MMSDownloader::ready);
        QVERIFY(ready.wait());
        QCOMPARE(sender.reportsCount(), 0);
        QVERIFY(m_connectionManager->start());
        const QStringList batches{QStringLiteral("first"), QStringLiteral("second")};
        for (int i = 0; i < batches.size(); ++i) {
            QTest::ignoreMessage(
                QtDebugMsg,
                "[MMS-READREPORT] Creating new downloader iface sender for  \"+358401234567\"");
            sender.queueReport(batches.at(i), kRemote, false);
            sender.sendReports();
            QCOMPARE(receivedReports(i + 1).value(i), (ReadReport{batches.at(i), kRemote, false}));
        }
    }
};

QTEST_GUILESS_MAIN(TestMmscm)
#include "tst_mmscm.moc"
