#include "remoteaddressmatch.h"

#include <QtTest>

class TestRemoteAddressMatch : public QObject
{
    Q_OBJECT
private slots:
    void match_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("expected");

        const int phone = Chronel::NormalizeFlagPhoneNumber;
        const auto row = [](const char* name, const QString& first, const QString& second,
                            int flags, bool expected) {
            QTest::newRow(name) << first << second << flags << expected;
        };
        row("same text", "+358401234567", "+358401234567", 0, true);
        row("formatted, plain compare", "+358 40 123 4567", "+358401234567", 0, false);
        row("formatted, phone aware", "+358 40 123 4567", "+358401234567", phone, true);
        row("national and international", "0401234567", "+358401234567", phone, true);
        row("different numbers", "+358401234567", "+358401234568", phone, false);
        row("e-mail case", "Anna@Example.com", "anna@example.com", 0, true);
        row("e-mail vs number", "anna@example.com", "+358401234567", phone, false);
        row("empty vs empty", "", "", phone, true);
        row("empty vs number", "", "+358401234567", phone, false);
    }
    void match()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, flags);
        QFETCH(bool, expected);
        QCOMPARE(Chronel::remoteAddressMatch(first, second, flags), expected);
        QCOMPARE(Chronel::remoteAddressMatch(second, first, flags), expected);
    }
};

QTEST_MAIN(TestRemoteAddressMatch)
#include "tst_remoteaddressmatch.moc"
