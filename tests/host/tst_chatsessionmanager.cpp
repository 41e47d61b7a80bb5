#include "chatsessionerror.h"
#include "chatsessionmanager.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QtTest>

namespace {

const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
const QString kService = QStringLiteral("org.freedesktop.Telepathy.Connection.mmscm.mms.mms0");
const QString kRemote = QStringLiteral("+358401234567");

} // namespace

class TestChatSessionManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void readyOnceTheBusIsFound();
    void sessionOfAServiceOnTheBusGetsReady();
    void sameSessionIsHandedOutAgain();
    void missingServiceIsAnError();
    void channelLocation_data();
    void channelLocation();
    void escapedPathElements_data();
    void escapedPathElements();

private:
    ChatSessionManager* m_manager = nullptr;
};

void TestChatSessionManager::initTestCase()
{
    if (!QDBusConnection::sessionBus().isConnected()) {
        QSKIP("needs a session bus (run inside dbus-run-session)");
    }
    qRegisterMetaType<ChatSessionPtr>();
    m_manager = ChatSessionManager::instance();
    QVERIFY(m_manager == ChatSessionManager::instance(this));
}

void TestChatSessionManager::init()
{
    m_manager->reset();
}

void TestChatSessionManager::cleanup()
{
    QDBusConnection::sessionBus().unregisterService(kService);
}

void TestChatSessionManager::readyOnceTheBusIsFound()
{
    QSignalSpy ready(m_manager, &ChatSessionManager::managerReady);
    QVERIFY(!m_manager->isReady());
    m_manager->initialize();
    m_manager->initialize();
    QVERIFY(!m_manager->isReady());
    QVERIFY(ready.wait());
    QVERIFY(m_manager->isReady());
    QCoreApplication::processEvents();
    QCOMPARE(ready.count(), 1);
}

void TestChatSessionManager::sessionOfAServiceOnTheBusGetsReady()
{
    QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    QVERIFY(m_manager->getReadyChatSession(ChatContext(kRemote, kAccount, 0, -1)).isNull());
    QSignalSpy prepared(m_manager, &ChatSessionManager::prepareChatSession);
    m_manager->requestChatSession(kRemote, kAccount);
    QVERIFY(prepared.wait());
    const ChatSessionPtr session = prepared.at(0).at(0).value<ChatSessionPtr>();
    QVERIFY(session);
    QVERIFY(prepared.at(0).at(1).toBool());
    QCOMPARE(session->remoteUid(), kRemote);
    QCOMPARE(session->accountPath(), kAccount);
    QCOMPARE(session->serviceName(), kService);
    QCOMPARE(session->channelPath(),
             QStringLiteral("/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0/channel/"
                            "_2b358401234567"));
    QVERIFY(session->connection().isConnected());
    QVERIFY(!session->isReady());
    QSignalSpy sessionReady(session.data(), &ChatSession::chatSessionReady);
    QVERIFY(sessionReady.wait());
    QVERIFY(session->isReady());
    QCOMPARE(m_manager->getReadyChatSession(ChatContext(kRemote, kAccount, 0, -1)), session);
    QVERIFY(m_manager->getReadyChatSession(ChatContext(QStringLiteral("112"), kAccount)).isNull());
}

void TestChatSessionManager::sameSessionIsHandedOutAgain()
{
    QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    QSignalSpy prepared(m_manager, &ChatSessionManager::prepareChatSession);
    m_manager->requestChatSession(kRemote, kAccount);
    QVERIFY(prepared.wait());
    const ChatSessionPtr first = prepared.at(0).at(0).value<ChatSessionPtr>();
    QSignalSpy ready(first.data(), &ChatSession::chatSessionReady);
    QVERIFY(ready.wait());
    m_manager->requestChatSession(kRemote, kAccount);
    QVERIFY(prepared.wait());
    QCOMPARE(prepared.at(1).at(0).value<ChatSessionPtr>(), first);
    QVERIFY(!prepared.at(1).at(1).toBool());
    // A ready session does not look itself up again.
    QCoreApplication::processEvents();
    QCOMPARE(ready.count(), 1);
}

void TestChatSessionManager::missingServiceIsAnError()
{
    QSignalSpy prepared(m_manager, &ChatSessionManager::prepareChatSession);
    m_manager->requestChatSession(kRemote, kAccount);
    QVERIFY(prepared.wait());
    const ChatSessionPtr session = prepared.at(0).at(0).value<ChatSessionPtr>();
    int type = 0;
    QString message;
    connect(session.data(), &ChatSession::chatSessionError, this, [&](ChatSessionError& error) {
        type = error.type();
        message = error.message();
    });
    QSignalSpy failed(session.data(), &ChatSession::chatSessionError);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^\\[CHAT-SESSION\\] .* is not on "
                                                           "the bus")));
    QVERIFY(failed.wait());
    QCOMPARE(type, int(ChatSessionError::ServiceNotFound));
    QVERIFY(message.contains(kService));
    QVERIFY(!session->isReady());
    QVERIFY(m_manager->getReadyChatSession(ChatContext(kRemote, kAccount)).isNull());

    // Once the connection manager is there, asking again succeeds.
    QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    QSignalSpy ready(session.data(), &ChatSession::chatSessionReady);
    m_manager->requestChatSession(kRemote, kAccount);
    QVERIFY(ready.wait());
}

void TestChatSessionManager::channelLocation_data()
{
    QTest::addColumn<bool>("configured");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("channel");
    QTest::newRow("by naming rule")
        << false << kService
        << "/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0/channel/_2b358401234567";
    QTest::newRow("configured") << true << "com.example.FakeMms"
                                << "/fake/connection/channel/_2b358401234567";
}

void TestChatSessionManager::channelLocation()
{
    QFETCH(bool, configured);
    QFETCH(QString, service);
    QFETCH(QString, channel);
    if (configured) {
        m_manager->setChannelLocation(kAccount, QStringLiteral("com.example.FakeMms"),
                                      QStringLiteral("/fake/connection"));
    }
    QCOMPARE(m_manager->serviceName(kAccount), service);
    QCOMPARE(m_manager->channelPath(kAccount, kRemote), channel);
}

void TestChatSessionManager::escapedPathElements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("digits") << "0401112223"
                            << "0401112223";
    QTest::newRow("plus") << "+358"
                          << "_2b358";
    QTest::newRow("e-mail") << "ann@ex.com"
                            << "ann_40ex_2ecom";
    QTest::newRow("underscore") << "a_b"
                                << "a_5fb";
    QTest::newRow("non-ASCII") << QString::fromUtf8("\xc3\xa4") << "_c3_a4";
    QTest::newRow("empty") << ""
                           << "_";
}

void TestChatSessionManager::escapedPathElements()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(ChatSessionManager::escapePathElement(text), escaped);
}

QTEST_MAIN(TestChatSessionManager)
#include "tst_chatsessionmanager.moc"
