#include "chatsessionmanager.h"

#include <QtTest>

namespace {

const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
const QString kService = QStringLiteral("org.freedesktop.Telepathy.Connection.mmscm.mms.mms0");
const QString kRemote = QStringLiteral("+358401234567");

} // namespace

// Sessions themselves are driven against the connection manager by the downloader's tests.
class TestChatSessionManager : public QObject
{
    Q_OBJECT

    ChatSessionManager* m_manager = ChatSessionManager::instance();

private slots:
    void init() { m_manager->reset(); }

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
