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

} // namespace

using Chronel::Event;

class TestMmscm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folders;
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;

private slots:
    void initTestCase()
    {
        forgetUserData();
        m_control = newControl(this);
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
        m_connectionManager->setStepInterval(5);
        QVERIFY2(m_connectionManager->start(), qPrintable(m_connectionManager->errorString()));
        const QDBusReply<int> taken = m_control->QueueMessage(
            writeMessageFolder(m_folders.path(), "taken"), messageHeaders(kRemote, "taken"));
        QVERIFY(taken.isValid());
    }

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
            const QByteArray smil =
                body.isEmpty() ? body : "<smil><body>" + body + "</body></smil>";
            QTest::addRow("%s", tag) << smil << addition << headers << QString(error);
        };
        row("missing part file", "<par><img src=\"gone.jpg\"/></par>", "", {},
            "reference gone.jpg names no part file");
        QTest::addRow("unreadable presentation")
            << QByteArray("<smil><body><par>") << "" << QVariantMap()
            << "SMIL presentation .* cannot be read";
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
        for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
            if (it.value().isValid())
                allHeaders.insert(it.key(), it.value());
            else
                allHeaders.remove(it.key());
        }
        const int before = Chronel::HistoryStore::instance()->events().size();
        const QDBusReply<int> reply = m_control->QueueMessage(folder, allHeaders);
        QVERIFY(!reply.isValid());
        QCOMPARE(reply.error().name(), QStringLiteral("com.quenda.Mmscm.Error.InvalidMessage"));
        QVERIFY2(reply.error().message().contains(QRegularExpression(error)),
                 qPrintable(reply.error().message()));
        QCOMPARE(Chronel::HistoryStore::instance()->events().size(), before);
    }

    // A notification waiting in the spool is still there for a connection manager started anew;
    // the fetched message reaches the history of another process with its parts and size.
    void waitingMessageSurvivesARestart()
    {
        Chronel::SingleEventModel model;
        const QDBusReply<int> queued = m_control->QueueMessage(
            writeMessageFolder(m_folders.path(), "kept"), messageHeaders(kRemote, "kept"));
        QSignalSpy ready(&model, &Chronel::SingleEventModel::modelReady);
        QVERIFY(queued.isValid() && model.getEventByUri(Event::idToUrl(queued.value())));
        QVERIFY(ready.wait());
        const Event notification = model.event(model.index(0));
        QVERIFY(m_connectionManager->stop());
        QVERIFY(m_connectionManager->start());
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QDBusInterface channel(Mmscm::serviceName,
                               ChatSessionManager::instance()->channelPath(
                                   Mmscm::accountPath, notification.remoteUid()),
                               "org.freedesktop.Telepathy.Channel.Interface.Download");
        const QDBusReply<uint> reply =
            channel.call("Download", notification.messageToken(), notification.contentLocation());
        QCOMPARE(reply.value(), 0u);
        QVERIFY(changed.wait());
        const Event fetched = model.event(model.index(0));
        QCOMPARE(fetched.messageParts().size(), 3);
        QCOMPARE(fetched.bytesReceived(),
                 2048 + 14 + fetched.messageParts().at(0).plainTextContent().size());
    }
};

QTEST_GUILESS_MAIN(TestMmscm)
#include "tst_mmscm.moc"
