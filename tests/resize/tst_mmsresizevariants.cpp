#include "mmsresizer.h"
#include "mmsresizevarianttable.h"

#include <QtTest>

// The variant table and the two searches over it.
class TestMmsResizeVariants : public QObject
{
    Q_OBJECT

private slots:
    void tableRows_data();
    void tableRows();
    void tableHasNoOtherRows();
    void missingKeyReadsAsZero();
    void findResizeVariant_data();
    void findResizeVariant();
    void findSmallerResizeVariant_data();
    void findSmallerResizeVariant();
    void stepDownChainFrom1024Quality85();
    void unknownPairWarnsAndFails();
    void lastVariantHasNoSuccessor();

private:
    MmsResizer resizer;
};

void TestMmsResizeVariants::tableRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("quality");

    const int rows[24][3] = {
        {368640, 1024, 90}, {296960, 1024, 85}, {266240, 1024, 80}, {245760, 1024, 70},
        {225280, 1024, 60}, {184320, 1024, 50}, {199680, 640, 90},  {163840, 640, 85},
        {137216, 640, 80},  {108544, 640, 70},  {91136, 640, 60},   {78848, 640, 50},
        {59392, 320, 90},   {51200, 320, 85},   {41984, 320, 80},   {34816, 320, 70},
        {29696, 320, 60},   {27648, 320, 50},   {35840, 240, 90},   {28672, 240, 85},
        {24576, 240, 80},   {18432, 240, 70},   {16384, 240, 60},   {14336, 240, 50},
    };
    for (int row = 0; row < 24; ++row) {
        QTest::addRow("row %d", row + 1) << row << rows[row][0] << rows[row][1] << rows[row][2];
    }
}

void TestMmsResizeVariants::tableRows()
{
    QFETCH(int, row);
    QFETCH(int, size);
    QFETCH(int, width);
    QFETCH(int, quality);

    const MmsResizeVariant variant = mmsResizeVariantTable().at(row);
    QCOMPARE(variant.keys(), (QStringList{"quality", "size", "width"}));
    QCOMPARE(variant.value("size"), size);
    QCOMPARE(variant.value("width"), width);
    QCOMPARE(variant.value("quality"), quality);
}

void TestMmsResizeVariants::tableHasNoOtherRows()
{
    QCOMPARE(mmsResizeVariantTable().size(), 24);
}

void TestMmsResizeVariants::missingKeyReadsAsZero()
{
    QCOMPARE(mmsResizeVariantTable().first().value("height"), 0);
}

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

void TestMmsResizeVariants::unknownPairWarnsAndFails()
{
    int width = 7;
    int quality = 7;
    QTest::ignoreMessage(QtWarningMsg, "Wrong old width & quality: 1024 , 75");
    QVERIFY(!resizer.findSmallerResizeVariant(1024, 75, width, quality));
    QCOMPARE(width, 7);
    QCOMPARE(quality, 7);
}

void TestMmsResizeVariants::lastVariantHasNoSuccessor()
{
    int width = 7;
    int quality = 7;
    QTest::ignoreMessage(QtWarningMsg, "Failed to find record for old width & quality: 240 , 50");
    QVERIFY(!resizer.findSmallerResizeVariant(240, 50, width, quality));
    QCOMPARE(width, 7);
    QCOMPARE(quality, 7);
}

QTEST_GUILESS_MAIN(TestMmsResizeVariants)
#include "tst_mmsresizevariants.moc"
