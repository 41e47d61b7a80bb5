#include "timestampcache.h"

#include <QtTest>

class TestTimestampCache : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void cachesPerMinute();
    void forgetsWhenTheDayChanges();
    void invalidTimeGivesNothing();
};

namespace {

const QLocale kLocale(QLocale::English, QLocale::UnitedKingdom);
const QDateTime kNow(QDate(2026, 12, 6), QTime(15, 30)); // a Sunday

} // namespace

void TestTimestampCache::text_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("today") << QDateTime(QDate(2026, 12, 6), QTime(9, 5)) << "09:05";
    QTest::newRow("yesterday") << QDateTime(QDate(2026, 12, 5), QTime(23, 59)) << "Yesterday 23:59";
    QTest::newRow("two days ago") << QDateTime(QDate(2026, 12, 4), QTime(8, 0)) << "Friday";
    QTest::newRow("six days ago") << QDateTime(QDate(2026, 11, 30), QTime(8, 0)) << "Monday";
    QTest::newRow("a week ago") << QDateTime(QDate(2026, 11, 29), QTime(8, 0)) << "29/11/2026";
    QTest::newRow("in the future") << QDateTime(QDate(2026, 12, 7), QTime(8, 0)) << "07/12/2026";
}

void TestTimestampCache::text()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, expected);
    TimestampCache cache(kLocale);
    QCOMPARE(cache.timestamp(time, kNow), expected);
}

void TestTimestampCache::cachesPerMinute()
{
    TimestampCache cache(kLocale);
    cache.timestamp(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 1)), kNow);
    cache.timestamp(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 59)), kNow);
    QCOMPARE(cache.size(), 1);
    cache.timestamp(QDateTime(QDate(2026, 12, 6), QTime(9, 6)), kNow);
    QCOMPARE(cache.size(), 2);
}

void TestTimestampCache::forgetsWhenTheDayChanges()
{
    TimestampCache cache(kLocale);
    const QDateTime time(QDate(2026, 12, 6), QTime(9, 5));
    QCOMPARE(cache.timestamp(time, kNow), QStringLiteral("09:05"));
    QCOMPARE(cache.timestamp(time, kNow.addDays(1)), QStringLiteral("Yesterday 09:05"));
    QCOMPARE(cache.size(), 1);
}

void TestTimestampCache::invalidTimeGivesNothing()
{
    TimestampCache cache(kLocale);
    QVERIFY(cache.timestamp(QDateTime(), kNow).isEmpty());
    QCOMPARE(cache.size(), 0);
    QVERIFY(TimestampCache::instance() == TimestampCache::instance());
}

QTEST_MAIN(TestTimestampCache)
#include "tst_timestampcache.moc"
