#include "chatsessionmanager.h"
#include "sendvalidator.h"

#include <QtTest>

namespace {

const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
const QString kRemote = QStringLiteral("+358401234567");

} // namespace

// The accounts of the host: which account may send what, and where an account's chat sessions
// live (sessions themselves are driven against the connection manager by the downloader's tests).
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

    // By the naming rule, or where the account's configuration says.
    void channelLocation()
    {
        const auto location = [this] {
            return m_manager->serviceName(kAccount) + ' ' +
                   m_manager->channelPath(kAccount, kRemote);
        };
        QCOMPARE(location(), QString("org.freedesktop.Telepathy.Connection.mmscm.mms.mms0 "
                                     "/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0/channel/"
                                     "_2b358401234567"));
        m_manager->setChannelLocation(kAccount, "com.example.FakeMms", "/fake/connection");
        QCOMPARE(location(),
                 QString("com.example.FakeMms /fake/connection/channel/_2b358401234567"));
    }

    void escapedPathElements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
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

    void sendValidation_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("multimedia");
        QTest::addColumn<int>("error");
        const QString mms = kAccount;
        const QString ring = QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring");
        const int unknown = SendValidator::UnknownAccount;
        QTest::addRow("mms account") << mms << true << 0;
        QTest::addRow("text through ring") << ring << false << 0;
        QTest::addRow("text through mms") << mms << false << 0;
        QTest::addRow("multimedia through ring")
            << ring << true << int(SendValidator::MultimediaNotSupported);
        QTest::addRow("empty") << QString() << true << int(SendValidator::NoAccount);
        QTest::addRow("not an account path")
            << "/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0" << true << unknown;
        QTest::addRow("too short")
            << "/org/freedesktop/Telepathy/Account/mmscm/mms" << true << unknown;
        QTest::addRow("bad characters")
            << "/org/freedesktop/Telepathy/Account/mmscm/mms/mms-0" << true << unknown;
    }

    // The verdict never arrives inside validate().
    void sendValidation()
    {
        QFETCH(QString, account);
        QFETCH(bool, multimedia);
        QFETCH(int, error);
        SendValidator validator(account, multimedia);
        QSignalSpy completed(&validator, &SendValidator::validationCompleted);
        QSignalSpy failed(&validator, &SendValidator::validationFailed);
        if (error != 0) {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^\\[SEND-VALIDATOR\\] cannot send through"));
        }
        validator.validate();
        QCOMPARE(completed.count() + failed.count(), 0);
        QVERIFY(error == 0 ? completed.wait() : failed.wait());
        QCOMPARE(completed.count() + failed.count(), 1);
        if (error != 0)
            QCOMPARE(failed.at(0).at(0).toInt(), error);
    }
};

QTEST_MAIN(TestChatSessionManager)
#include "tst_chatsessionmanager.moc"
