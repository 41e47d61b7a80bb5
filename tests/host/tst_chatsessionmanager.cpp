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

    ChatSessionManager* m_manager = ChatSessionManager::instance();

    ChatSessionPtr requestedSession()
    {
        QSignalSpy prepared(m_manager, &ChatSessionManager::prepareChatSession);
        m_manager->requestChatSession(kRemote, kAccount);
        return prepared.wait() ? prepared.last().first().value<ChatSessionPtr>() : ChatSessionPtr();
    }

private slots:
    void init() { m_manager->reset(); }
    void cleanup() { QDBusConnection::sessionBus().unregisterService(kService); }

    void readyOnceTheBusIsFound()
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

    void sessionIsReadyWhenTheServiceIsThere_data()
    {
        QTest::addColumn<bool>("onTheBus");
        QTest::addRow("service on the bus") << true;
        QTest::addRow("service missing") << false;
    }

    void sessionIsReadyWhenTheServiceIsThere()
    {
        QFETCH(bool, onTheBus);
        if (onTheBus) {
            QVERIFY(QDBusConnection::sessionBus().registerService(kService));
        } else {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^\\[CHAT-SESSION\\] .* is not on the bus"));
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
        QCOMPARE(m_manager->getReadyChatSession(ChatContext(kRemote, kAccount)).isNull(),
                 !onTheBus);
        QVERIFY(m_manager->getReadyChatSession(ChatContext("112", kAccount)).isNull());
    }

    void channelLocation_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("channel");
        QTest::addRow("by naming rule")
            << false << kService
            << "/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0/channel/_2b358401234567";
        QTest::addRow("configured") << true << "com.example.FakeMms"
                                    << "/fake/connection/channel/_2b358401234567";
    }

    void channelLocation()
    {
        QFETCH(bool, configured);
        QFETCH(QString, service);
        QFETCH(QString, channel);
        if (configured)
            m_manager->setChannelLocation(kAccount, "com.example.FakeMms", "/fake/connection");
        QCOMPARE(m_manager->serviceName(kAccount), service);
        QCOMPARE(m_manager->channelPath(kAccount, kRemote), channel);
    }

    void escapedPathElements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::addRow("digits") << "0401112223" << QString("0401112223");
        QTest::addRow("plus") << "+358" << QString("_2b358");
        QTest::addRow("e-mail") << "ann@ex.com" << QString("ann_40ex_2ecom");
        QTest::addRow("underscore") << "a_b" << QString("a_5fb");
        QTest::addRow("non-ASCII") << QString::fromUtf8("\xc3\xa4") << QString("_c3_a4");
        QTest::addRow("empty") << "" << QString("_");
    }

    void escapedPathElements()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(ChatSessionManager::escapePathElement(text), escaped);
    }
};

QTEST_MAIN(TestChatSessionManager)
#include "tst_chatsessionmanager.moc"
