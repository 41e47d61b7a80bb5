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
    void sessionIsReadyWhenTheServiceIsThere_data();
    void sessionIsReadyWhenTheServiceIsThere();
    void sameSessionIsHandedOutAgain();
    void channelLocation_data();
    void channelLocation();
    void escapedPathElements_data();
    void escapedPathElements();

private:
    ChatSessionPtr requestedSession();

    ChatSessionManager* m_manager = nullptr;
};

void TestChatSessionManager::initTestCase()
{
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

ChatSessionPtr TestChatSessionManager::requestedSession()
{
    QSignalSpy prepared(m_manager, &ChatSessionManager::prepareChatSession);
    m_manager->requestChatSession(kRemote, kAccount);
    return prepared.wait() ? prepared.last().first().value<ChatSessionPtr>() : ChatSessionPtr();
}

void TestChatSessionManager::readyOnceTheBusIsFound()
{
    QSignalSpy ready(m_manager, &ChatSessionManager::managerReady);
    m_manager->initialize();
    m_manager->initialize();
    QVERIFY(!m_manager->isReady());
    QVERIFY(ready.wait());
    QVERIFY(m_manager->isReady());
    QCoreApplication::processEvents();
    QCOMPARE(ready.count(), 1);
}

void TestChatSessionManager::sessionIsReadyWhenTheServiceIsThere_data()
{
    QTest::addColumn<bool>("onTheBus");
    QTest::newRow("service on the bus") << true;
    QTest::newRow("service missing") << false;
}

void TestChatSessionManager::sessionIsReadyWhenTheServiceIsThere()
{
    QFETCH(bool, onTheBus);
    if (onTheBus) {
        QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    } else {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "^\\[CHAT-SESSION\\] .* is not on the bus")));
    }
    const ChatSessionPtr session = requestedSession();
    QVERIFY(session);
    int errorType = 0;
    connect(session.data(), &ChatSession::chatSessionError, this,
            [&](ChatSessionError& error) { errorType = error.type(); });
    QSignalSpy ready(session.data(), &ChatSession::chatSessionReady);
    QSignalSpy failed(session.data(), &ChatSession::chatSessionError);
    QVERIFY(onTheBus ? ready.wait() : failed.wait());
    QCOMPARE(session->isReady(), onTheBus);
    QCOMPARE(errorType, onTheBus ? 0 : int(ChatSessionError::ServiceNotFound));
    QCOMPARE(m_manager->getReadyChatSession(ChatContext(kRemote, kAccount)).isNull(), !onTheBus);
    QVERIFY(m_manager->getReadyChatSession(ChatContext(QStringLiteral("112"), kAccount)).isNull());
}

void TestChatSessionManager::sameSessionIsHandedOutAgain()
{
    QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    const ChatSessionPtr first = requestedSession();
    QSignalSpy ready(first.data(), &ChatSession::chatSessionReady);
    QVERIFY(ready.wait());
    QCOMPARE(requestedSession(), first);
    // A ready session does not look itself up again.
    QCoreApplication::processEvents();
    QCOMPARE(ready.count(), 1);
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
