#include "timestampcache.h"

#include <QtTest>

namespace {

const QLocale kLocale(QLocale::English, QLocale::UnitedKingdom);
const QDateTime kNow(QDate(2026, 12, 6), QTime(15, 30)); // a Sunday

} // namespace

class TestTimestampCache : public QObject
{
    Q_OBJECT
private slots:
    void text_data()
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
    void text()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, expected);
        TimestampCache cache(kLocale);
        QCOMPARE(cache.timestamp(time.addSecs(59), kNow.addDays(-1)).isEmpty(), !time.isValid());
        QCOMPARE(cache.timestamp(time, kNow), expected);
        QCOMPARE(cache.size(), time.isValid() ? 1 : 0);
    }
};

QTEST_MAIN(TestTimestampCache)
#include "tst_timestampcache.moc"
