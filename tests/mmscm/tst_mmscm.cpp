#include "chatsessionmanager.h"
#include "historystore.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "singleeventmodel.h"

#include <QDBusInterface>
#include <QTemporaryDir>
#include <QtTest>

// The connection manager program: what it takes, and what it writes into the
// history store from its own process.

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const QString kDownload = QStringLiteral("org.freedesktop.Telepathy.Channel.Interface.Download");

} // namespace

using Chronel::Event;

class TestMmscm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void refusesBadMessages_data();
    void refusesBadMessages();
    void fetchedMessageReachesAnotherProcess();
    void waitingMessageSurvivesARestart();

private:
    // The notification of a newly queued standard message, followed by `model`.
    Event queueAndFollow(const QString& token, Chronel::SingleEventModel& model);
    uint download(const Event& notification);

    QTemporaryDir m_folders;
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
};

void TestMmscm::initTestCase()
{
    forgetUserData();
    m_control = newControl(this);
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    m_connectionManager->setStepInterval(5);
    QVERIFY2(m_connectionManager->start(), qPrintable(m_connectionManager->errorString()));
    const QDBusReply<int> taken =
        m_control->QueueMessage(writeMessageFolder(m_folders.path(), QStringLiteral("taken")),
                                messageHeaders(kRemote, QStringLiteral("taken")));
    QVERIFY(taken.isValid());
}

void TestMmscm::refusesBadMessages_data()
{
    QTest::addColumn<QByteArray>("smil");
    // "link:<name>" a link to a file outside the folder, "folder:<name>", "file:<name>".
    QTest::addColumn<QString>("addition");
    // Over the standard headers; an invalid value takes the header away.
    QTest::addColumn<QVariantMap>("headers");
    QTest::addColumn<QString>("error");

    const QByteArray standard;
    const QVariantMap none;
    QTest::newRow("missing part file")
        << QByteArray("<smil><body><par><img src=\"gone.jpg\"/></par></body></smil>") << "" << none
        << "reference gone.jpg names no part file";
    QTest::newRow("unreadable presentation")
        << QByteArray("<smil><body><par>") << "" << none << "SMIL presentation .* cannot be read";
    QTest::newRow("reference leaving the folder")
        << QByteArray("<smil><body><par><img src=\"../secret.jpg\"/></par></body></smil>") << ""
        << none << "reference ../secret.jpg leaves the message folder";
    QTest::newRow("part linked from outside") << standard << "link:outside.jpg" << none
                                              << "part file outside.jpg leaves the message folder";
    QTest::newRow("sub-folder") << standard << "folder:nested" << none
                                << "nested is not a part file";
    QTest::newRow("second presentation")
        << standard << "file:other.smil" << none << "more than one SMIL presentation";
    QTest::newRow("no sender") << standard << ""
                               << QVariantMap{{QStringLiteral("message-from"), QVariant()}}
                               << "no sender";
    QTest::newRow("unknown header")
        << standard << "" << QVariantMap{{QStringLiteral("message-colour"), QStringLiteral("red")}}
        << "unknown header or wrong type: message-colour";
    QTest::newRow("token that is a path")
        << standard << ""
        << QVariantMap{{QStringLiteral("message-token"), QStringLiteral("../escape")}}
        << "is not a plain name";
    QTest::newRow("token taken") << standard << ""
                                 << QVariantMap{{QStringLiteral("message-token"),
                                                 QStringLiteral("taken")}}
                                 << "message token taken is taken";
}

void TestMmscm::refusesBadMessages()
{
    QFETCH(QByteArray, smil);
    QFETCH(QString, addition);
    QFETCH(QVariantMap, headers);
    QFETCH(QString, error);

    const QString folder =
        writeMessageFolder(m_folders.path(), QString::fromLatin1(QTest::currentDataTag()), smil);
    const QString name = addition.section(QLatin1Char(':'), 1);
    if (addition.startsWith(QLatin1String("link:"))) {
        QVERIFY(writeFile(m_folders.filePath(name), "secret"));
        QVERIFY(QFile::link(m_folders.filePath(name), QDir(folder).filePath(name)));
    } else if (addition.startsWith(QLatin1String("folder:"))) {
        QVERIFY(QDir(folder).mkdir(name));
    } else if (addition.startsWith(QLatin1String("file:"))) {
        QVERIFY(writeFile(QDir(folder).filePath(name), "<smil/>"));
    }
    QVariantMap allHeaders = messageHeaders(kRemote, QStringLiteral("refused"));
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        if (it.value().isValid()) {
            allHeaders.insert(it.key(), it.value());
        } else {
            allHeaders.remove(it.key());
        }
    }
    const int before = Chronel::HistoryStore::instance()->events().size();

    const QDBusReply<int> reply = m_control->QueueMessage(folder, allHeaders);
    QVERIFY(!reply.isValid());
    QCOMPARE(reply.error().name(), QStringLiteral("com.quenda.Mmscm.Error.InvalidMessage"));
    QVERIFY2(reply.error().message().contains(QRegularExpression(error)),
             qPrintable(reply.error().message()));
    QCOMPARE(Chronel::HistoryStore::instance()->events().size(), before);
}

Event TestMmscm::queueAndFollow(const QString& token, Chronel::SingleEventModel& model)
{
    const QDBusReply<int> queued = m_control->QueueMessage(
        writeMessageFolder(m_folders.path(), token), messageHeaders(kRemote, token));
    QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
    if (!queued.isValid() || !model.getEventByUri(Event::idToUrl(queued.value())) ||
        !ready.wait()) {
        return Event();
    }
    return model.event(model.index(0));
}

uint TestMmscm::download(const Event& notification)
{
    QDBusInterface channel(
        Mmscm::serviceName,
        ChatSessionManager::instance()->channelPath(Mmscm::accountPath, notification.remoteUid()),
        kDownload);
    const QDBusReply<uint> reply = channel.call(
        QStringLiteral("Download"), notification.messageToken(), notification.contentLocation());
    return reply.isValid() ? reply.value() : 99u;
}

void TestMmscm::fetchedMessageReachesAnotherProcess()
{
    Chronel::SingleEventModel model;
    const Event notification = queueAndFollow(QStringLiteral("fetch"), model);
    QCOMPARE(notification.type(), Event::MMSEvent);
    QCOMPARE(notification.direction(), Event::Inbound);
    QCOMPARE(notification.remoteUid(), kRemote);
    QCOMPARE(notification.subject(), QStringLiteral("Harbour"));
    QVERIFY(notification.reportReadRequested());
    QVERIFY(!notification.contentLocation().isEmpty());
    QVERIFY(notification.messageParts().isEmpty());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QCOMPARE(download(notification), 0u);
    QVERIFY(changed.wait());
    const Event fetched = model.event(model.index(0));
    QVERIFY(fetched.contentLocation().isEmpty());
    const QList<Chronel::MessagePart> parts = fetched.messageParts();
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0).contentType(), QStringLiteral("application/smil"));
    QVERIFY(parts.at(0).plainTextContent().contains(QStringLiteral("cid:note.txt")));
    QCOMPARE(parts.at(1).contentId(), QStringLiteral("<note.txt>"));
    QCOMPARE(parts.at(1).plainTextContent(), QStringLiteral("See you at six"));
    QCOMPARE(parts.at(2).contentId(), QStringLiteral("<photo.jpg>"));
    QCOMPARE(QFileInfo(parts.at(2).contentLocation()).size(), 2048);
    QCOMPARE(fetched.bytesReceived(), 2048 + 14 + parts.at(0).plainTextContent().size());
}

void TestMmscm::waitingMessageSurvivesARestart()
{
    Chronel::SingleEventModel model;
    const Event notification = queueAndFollow(QStringLiteral("kept"), model);
    QVERIFY(m_connectionManager->stop());
    QVERIFY(m_connectionManager->start());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QCOMPARE(download(notification), 0u);
    QVERIFY(changed.wait());
    QCOMPARE(model.event(model.index(0)).messageParts().size(), 3);
}

QTEST_GUILESS_MAIN(TestMmscm)
#include "tst_mmscm.moc"
