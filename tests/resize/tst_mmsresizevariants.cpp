#include "mmsresizer.h"

#include <QtTest>

// The two searches over the variant table.
class TestMmsResizeVariants : public QObject
{
    Q_OBJECT

private slots:
    void findResizeVariant_data();
    void findResizeVariant();
    void findSmallerResizeVariant_data();
    void findSmallerResizeVariant();
    void stepDownChainFrom1024Quality85();
    void noSmallerVariant_data();
    void noSmallerVariant();

private:
    MmsResizer resizer;
};

void TestMmsResizeVariants::findResizeVariant_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("quality");

    QTest::newRow("exactly the largest") << 368640 << true << 1024 << 90;
    QTest::newRow("far above the largest") << 5000000 << true << 1024 << 90;
    QTest::newRow("one byte below the largest") << 368639 << true << 1024 << 85;
    // The first fitting row wins: 1024/50 (184320) comes before 640/90 (199680).
    QTest::newRow("190000 keeps 1024 wide") << 190000 << true << 1024 << 50;
    QTest::newRow("row 6 exactly") << 184320 << true << 1024 << 50;
    QTest::newRow("below row 6 skips 640/90") << 184319 << true << 640 << 85;
    // 35840 is 240/90, which comes after 320/70 (34816).
    QTest::newRow("240/90 is never picked") << 35840 << true << 320 << 70;
    QTest::newRow("smallest row") << 14336 << true << 240 << 50;
    QTest::newRow("below the smallest") << 14335 << false << -1 << -1;
    QTest::newRow("zero") << 0 << false << -1 << -1;
    QTest::newRow("negative") << -300000 << false << -1 << -1;
}

void TestMmsResizeVariants::findResizeVariant()
{
    QFETCH(int, size);
    QFETCH(bool, found);
    QFETCH(int, width);
    QFETCH(int, quality);

    int foundWidth = -1;
    int foundQuality = -1;
    QCOMPARE(resizer.findResizeVariant(size, foundWidth, foundQuality), found);
    QCOMPARE(foundWidth, width);
    QCOMPARE(foundQuality, quality);
}

void TestMmsResizeVariants::findSmallerResizeVariant_data()
{
    QTest::addColumn<int>("oldWidth");
    QTest::addColumn<int>("oldQuality");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("quality");

    QTest::newRow("1024/90 keeps quality") << 1024 << 90 << 640 << 90;
    QTest::newRow("640/90") << 640 << 90 << 320 << 90;
    QTest::newRow("320/90") << 320 << 90 << 240 << 90;
    QTest::newRow("1024/50") << 1024 << 50 << 640 << 50;
    QTest::newRow("320/50") << 320 << 50 << 240 << 50;
    QTest::newRow("240/90 lowers quality") << 240 << 90 << 240 << 85;
    QTest::newRow("240/60") << 240 << 60 << 240 << 50;
}

void TestMmsResizeVariants::findSmallerResizeVariant()
{
    QFETCH(int, oldWidth);
    QFETCH(int, oldQuality);
    QFETCH(int, width);
    QFETCH(int, quality);

    if (oldWidth == 240) {
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QString("Failed to find record for old width & quality: "
                                                "%1 , %2")
                                            .arg(oldWidth)
                                            .arg(oldQuality)));
    }
    int newWidth = 0;
    int newQuality = 0;
    QVERIFY(resizer.findSmallerResizeVariant(oldWidth, oldQuality, newWidth, newQuality));
    QCOMPARE(newWidth, width);
    QCOMPARE(newQuality, quality);
}

void TestMmsResizeVariants::stepDownChainFrom1024Quality85()
{
    const QList<QPair<int, int>> expected = {{640, 85}, {320, 85}, {240, 85}, {240, 80},
                                             {240, 70}, {240, 60}, {240, 50}};
    QList<QPair<int, int>> chain;
    int width = 1024;
    int quality = 85;
    // Every step at width 240 first misses a smaller width.
    for (int step = 0; step < 5; ++step) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to find record"));
    }
    while (resizer.findSmallerResizeVariant(width, quality, width, quality)) {
        chain.append({width, quality});
        QVERIFY(chain.size() <= expected.size());
    }
    QCOMPARE(chain, expected);
}

// An unknown pair and the last row have no successor; the outputs stay untouched.
void TestMmsResizeVariants::noSmallerVariant_data()
{
    QTest::addColumn<int>("oldWidth");
    QTest::addColumn<int>("oldQuality");
    QTest::addColumn<QString>("warning");
    QTest::newRow("unknown pair") << 1024 << 75 << "Wrong old width & quality: 1024 , 75";
    QTest::newRow("last row") << 240 << 50
                              << "Failed to find record for old width & quality: 240 , 50";
}

void TestMmsResizeVariants::noSmallerVariant()
{
    QFETCH(int, oldWidth);
    QFETCH(int, oldQuality);
    QFETCH(QString, warning);
    int width = 7;
    int quality = 7;
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(!resizer.findSmallerResizeVariant(oldWidth, oldQuality, width, quality));
    QCOMPARE(width, 7);
    QCOMPARE(quality, 7);
}

QTEST_GUILESS_MAIN(TestMmsResizeVariants)
#include "tst_mmsresizevariants.moc"
