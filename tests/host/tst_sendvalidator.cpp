#include "sendvalidator.h"

#include <QtTest>

class TestSendValidator : public QObject
{
    Q_OBJECT
private slots:
    void outcome_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("multimedia");
        QTest::addColumn<int>("error");
        const QString mms = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
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
    void outcome()
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

QTEST_MAIN(TestSendValidator)
#include "tst_sendvalidator.moc"
