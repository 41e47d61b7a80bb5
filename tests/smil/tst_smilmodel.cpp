#include "smilref.h"
#include "smilregion.h"
#include "smilunit.h"

#include <QtTest>

// The value types of the SMIL model: lengths and reference kinds, read and written.
class TestSmilModel : public QObject
{
    Q_OBJECT

private slots:
    // An invalid length is unspecified, 0, and writes nothing.
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("written");
        const int none = SmilUnit::Unspecified;
        QTest::newRow("empty") << QString() << none << 0.0 << QString();
        QTest::newRow("percent") << "100%" << int(SmilUnit::Percent) << 100.0 << "100%";
        QTest::newRow("bare number is pixels") << "176" << int(SmilUnit::Pixel) << 176.0 << "176";
        QTest::newRow("pixels lose their suffix")
            << "144px" << int(SmilUnit::Pixel) << 144.0 << "144";
        QTest::newRow("fraction") << "12.5pt" << int(SmilUnit::Point) << 12.5 << "12.5pt";
        QTest::newRow("millimetres") << "3mm" << int(SmilUnit::Millimetre) << 3.0 << "3mm";
        QTest::newRow("centimetres") << "2cm" << int(SmilUnit::Centimetre) << 2.0 << "2cm";
        QTest::newRow("inches") << "1in" << int(SmilUnit::Inch) << 1.0 << "1in";
        QTest::newRow("negative offset") << "-5" << int(SmilUnit::Pixel) << -5.0 << "-5";
        QTest::newRow("surrounding blanks") << " 30% " << int(SmilUnit::Percent) << 30.0 << "30%";
        QTest::newRow("every digit kept")
            << "1234567.25" << int(SmilUnit::Pixel) << 1234567.25 << "1234567.25";
        QTest::newRow("unit alone") << "%" << none << 0.0 << QString();
        QTest::newRow("words") << "auto" << none << 0.0 << QString();
        QTest::newRow("unknown unit") << "5em" << none << 0.0 << QString();
        QTest::newRow("infinite") << "1e999%" << none << 0.0 << QString();
        QTest::newRow("not a number") << "nan" << none << 0.0 << QString();
    }
    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(int, unit);
        QFETCH(double, value);
        QFETCH(QString, written);
        const SmilUnit length = SmilUnit::convert(text);
        QCOMPARE(length.valid, unit != SmilUnit::Unspecified);
        QCOMPARE(length.unit, unit);
        QCOMPARE(length.value, value);
        QCOMPARE(length.toString(), written);
    }

    // An element read as its kind (-1: none), and the kind written as an element (none when empty).
    void kinds_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("written");
        QTest::newRow("text") << "text" << 0 << "text";
        QTest::newRow("img") << "img" << 1 << "img";
        QTest::newRow("image") << "image" << 1 << "img";
        QTest::newRow("animation") << "animation" << 1 << "img";
        QTest::newRow("audio") << "audio" << 2 << "audio";
        QTest::newRow("video") << "video" << 3 << "video";
        QTest::newRow("ref") << "ref" << int(SmilRef::Other) << "ref";
        QTest::newRow("container") << "par" << -1 << "";
        QTest::newRow("case matters") << "IMG" << -1 << "";
        QTest::newRow("kind out of range") << "" << 17 << "ref";
    }
    void kinds()
    {
        QFETCH(QString, element);
        QFETCH(int, kind);
        QFETCH(QString, written);
        if (!element.isEmpty())
            QCOMPARE(SmilRef::kindOfElement(element), kind);
        if (!written.isEmpty())
            QCOMPARE(SmilRef::elementName(kind), written);
    }
};

QTEST_GUILESS_MAIN(TestSmilModel)
#include "tst_smilmodel.moc"
