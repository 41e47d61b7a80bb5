#include "smilref.h"
#include "smilregion.h"
#include "smilunit.h"

#include <QtTest>

// The value types of the SMIL model: lengths, regions and reference kinds.
class TestSmilModel : public QObject
{
    Q_OBJECT

private slots:
    void convertReadsLengths_data();
    void convertReadsLengths();
    void lengthsAreWrittenBack_data();
    void lengthsAreWrittenBack();
    void regionStartsWithUnspecifiedLengths();
    void elementsMapToKinds_data();
    void elementsMapToKinds();
    void kindsAreWrittenAsElements_data();
    void kindsAreWrittenAsElements();
};

void TestSmilModel::convertReadsLengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("value");

    QTest::newRow("empty") << QString() << false << int(SmilUnit::Unspecified) << 0.0;
    QTest::newRow("percent") << "100%" << true << int(SmilUnit::Percent) << 100.0;
    QTest::newRow("bare number is pixels") << "176" << true << int(SmilUnit::Pixel) << 176.0;
    QTest::newRow("pixels") << "144px" << true << int(SmilUnit::Pixel) << 144.0;
    QTest::newRow("fraction") << "12.5pt" << true << int(SmilUnit::Point) << 12.5;
    QTest::newRow("millimetres") << "3mm" << true << int(SmilUnit::Millimetre) << 3.0;
    QTest::newRow("centimetres") << "2cm" << true << int(SmilUnit::Centimetre) << 2.0;
    QTest::newRow("inches") << "1in" << true << int(SmilUnit::Inch) << 1.0;
    QTest::newRow("negative offset") << "-5" << true << int(SmilUnit::Pixel) << -5.0;
    QTest::newRow("surrounding blanks") << " 30% " << true << int(SmilUnit::Percent) << 30.0;
    QTest::newRow("unit alone") << "%" << false << int(SmilUnit::Unspecified) << 0.0;
    QTest::newRow("words") << "auto" << false << int(SmilUnit::Unspecified) << 0.0;
    QTest::newRow("unknown unit") << "5em" << false << int(SmilUnit::Unspecified) << 0.0;
    QTest::newRow("infinite") << "1e999%" << false << int(SmilUnit::Unspecified) << 0.0;
    QTest::newRow("not a number") << "nan" << false << int(SmilUnit::Unspecified) << 0.0;
}

void TestSmilModel::convertReadsLengths()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, unit);
    QFETCH(double, value);

    const SmilUnit length = SmilUnit::convert(text);

    QCOMPARE(length.valid, valid);
    QCOMPARE(length.unit, unit);
    QCOMPARE(length.value, value);
}

void TestSmilModel::lengthsAreWrittenBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");

    QTest::newRow("percent") << "30%"
                             << "30%";
    QTest::newRow("pixels lose their suffix") << "176px"
                                              << "176";
    QTest::newRow("fraction") << "12.5pt"
                              << "12.5pt";
    QTest::newRow("every digit kept") << "1234567.25"
                                      << "1234567.25";
    QTest::newRow("invalid writes nothing") << "auto" << QString();
}

void TestSmilModel::lengthsAreWrittenBack()
{
    QFETCH(QString, text);
    QFETCH(QString, written);

    QCOMPARE(SmilUnit::convert(text).toString(), written);
}

void TestSmilModel::regionStartsWithUnspecifiedLengths()
{
    const SmilRegion region(QStringLiteral("Image"));

    QCOMPARE(region.name, QStringLiteral("Image"));
    for (const SmilUnit& length :
         {region.width, region.height, region.bottom, region.top, region.left, region.right}) {
        QVERIFY(!length.valid);
        QCOMPARE(length.unit, 6);
        QCOMPARE(length.value, 0.0);
    }
    QVERIFY(region.fit.isEmpty());
}

void TestSmilModel::elementsMapToKinds_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("kind");

    QTest::newRow("text") << "text" << 0;
    QTest::newRow("img") << "img" << 1;
    QTest::newRow("image") << "image" << 1;
    QTest::newRow("animation") << "animation" << 1;
    QTest::newRow("audio") << "audio" << 2;
    QTest::newRow("video") << "video" << 3;
    QTest::newRow("ref") << "ref" << int(SmilRef::Other);
    QTest::newRow("container") << "par" << -1;
    QTest::newRow("case matters") << "IMG" << -1;
}

void TestSmilModel::elementsMapToKinds()
{
    QFETCH(QString, element);
    QFETCH(int, kind);

    QCOMPARE(SmilRef::kindOfElement(element), kind);
}

void TestSmilModel::kindsAreWrittenAsElements_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("element");

    QTest::newRow("text") << 0 << "text";
    QTest::newRow("image") << 1 << "img";
    QTest::newRow("audio") << 2 << "audio";
    QTest::newRow("video") << 3 << "video";
    QTest::newRow("other") << int(SmilRef::Other) << "ref";
    QTest::newRow("out of range") << 17 << "ref";
}

void TestSmilModel::kindsAreWrittenAsElements()
{
    QFETCH(int, kind);
    QFETCH(QString, element);

    QCOMPARE(SmilRef::elementName(kind), element);
}

QTEST_GUILESS_MAIN(TestSmilModel)
#include "tst_smilmodel.moc"
