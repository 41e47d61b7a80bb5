#include "mmsrecipientcleaner.h"
#include "pipelinetestdata.h"

#include <QtTest>

class TestMmsRecipientCleaner : public QObject
{
    Q_OBJECT
private slots:
    void removeDuplicates_data();
    void removeDuplicates();
};

// Each list as addresses joined with ","; the lists of a send as "to / cc / bcc".
void TestMmsRecipientCleaner::removeDuplicates_data()
{
    QTest::addColumn<QString>("lists");
    QTest::addColumn<bool>("clean");
    QTest::addColumn<QString>("cleaned");
    QTest::addColumn<QString>("counted");
    QTest::newRow("distinct") << "+358401234567,ann@example.com / 0401112223 / " << false
                              << "+358401234567,ann@example.com / 0401112223 / "
                              << "+358401234567,ann@example.com,0401112223";
    QTest::newRow("same number in To and Bcc")
        << "+358401234567 / / 040-123 4567" << false << "+358401234567 /  / "
        << "+358401234567,0401234567";
    QTest::newRow("repeated within a list, first wins")
        << "0401112223,(040) 111 2223,0401112223 / / " << true << "0401112223 /  / "
        << "0401112223,0401112223";
    QTest::newRow("punctuated number") << "+1 (555) 123-45.67 / / " << true << "+15551234567 /  / "
                                       << "+15551234567";
    QTest::newRow("punctuation kept unless cleaned")
        << "+1 (555) 123-45.67 / / " << false << "+1 (555) 123-45.67 /  / "
        << "+15551234567";
    QTest::newRow("name and address") << "Ann <ann@example.com> / ANN@example.com / " << true
                                      << "ann@example.com / ANN@example.com / "
                                      << "ann@example.com,ANN@example.com";
    QTest::newRow("e-mail in Cc and To")
        << "ann@example.com / Ann@Example.com / " << false << "ann@example.com /  / "
        << "ann@example.com,Ann@Example.com";
}

void TestMmsRecipientCleaner::removeDuplicates()
{
    QFETCH(QString, lists);
    QFETCH(bool, clean);
    QFETCH(QString, cleaned);
    QFETCH(QString, counted);
    QList<QStringList> split;
    for (const QString& list : lists.split(QLatin1Char('/')))
        split << list.trimmed().split(QLatin1Char(','), Qt::SkipEmptyParts);
    QCOMPARE(MmsRecipientCleaner::countedAddresses(split.at(0), split.at(1), split.at(2))
                 .join(QLatin1Char(',')),
             counted);
    MmsRecipientCleaner::removeDuplicates(MmsPipelineFlavour::editor(), split[0], split[1],
                                          split[2], clean);
    QCOMPARE(QStringLiteral("%1 / %2 / %3")
                 .arg(split.at(0).join(','), split.at(1).join(','), split.at(2).join(',')),
             cleaned);
}

QTEST_MAIN(TestMmsRecipientCleaner)
#include "tst_mmsrecipientcleaner.moc"
