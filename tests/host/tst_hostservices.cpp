#include "chatsessionmanager.h"
#include "sendvalidator.h"
#include "timestampcache.h"

#include <QtTest>

namespace {

const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
const QString kRemote = QStringLiteral("+358401234567");
const QLocale kLocale(QLocale::English, QLocale::UnitedKingdom);
const QDateTime kNow(QDate(2026, 12, 6), QTime(15, 30)); // a Sunday

} // namespace

// The host's small services: which account may send what, where an account's chat sessions
// live (sessions themselves are driven against the connection manager by its test) and the
// conversation list's timestamps.
class TestHostServices : public QObject
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
        const QString ring = QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring");
        const int unknown = SendValidator::UnknownAccount;
        QTest::addRow("mms account") << kAccount << true << 0;
        QTest::addRow("text through ring") << ring << false << 0;
        QTest::addRow("text through mms") << kAccount << false << 0;
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

    void timestamps_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::addRow("today") << QDateTime(QDate(2026, 12, 6), QTime(9, 5)) << "09:05";
        QTest::addRow("yesterday")
            << QDateTime(QDate(2026, 12, 5), QTime(23, 59)) << "Yesterday 23:59";
        QTest::addRow("two days ago") << QDateTime(QDate(2026, 12, 4), QTime(8, 0)) << "Friday";
        QTest::addRow("six days ago") << QDateTime(QDate(2026, 11, 30), QTime(8, 0)) << "Monday";
        QTest::addRow("a week ago") << QDateTime(QDate(2026, 11, 29), QTime(8, 0)) << "29/11/2026";
        QTest::addRow("in the future")
            << QDateTime(QDate(2026, 12, 7), QTime(8, 0)) << "07/12/2026";
        QTest::addRow("no time") << QDateTime() << "";
    }

    // The same minute is cached; a cached text is not kept past the day it was made for.
    void timestamps()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, expected);
        TimestampCache cache(kLocale);
        QCOMPARE(cache.timestamp(time.addSecs(59), kNow.addDays(-1)).isEmpty(), !time.isValid());
        QCOMPARE(cache.timestamp(time, kNow), expected);
        QCOMPARE(cache.size(), time.isValid() ? 1 : 0);
    }
};

QTEST_MAIN(TestHostServices)
#include "tst_hostservices.moc"
