#include "smilparser.h"
#include "smilref.h"
#include "smiltreedump.h"
#include "smilunit.h"

#include <QDir>
#include <QtTest>

namespace {

const QString dataPath = QStringLiteral(DRAVEL_SOURCE_DIR "/tests/smil/data/");

QByteArray readData(const QString& name)
{
    QFile file(dataPath + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return file.readAll();
}

QByteArray nestedPars(int depth)
{
    return "<smil><body>" + QByteArray("<par>").repeated(depth) + "<img src=\"cid:a\"/>" +
           QByteArray("</par>").repeated(depth) + "</body></smil>";
}

QByteArray manyRefs(int count)
{
    return "<smil><body><par>" + QByteArray("<img src=\"cid:a\"/>").repeated(count) +
           "</par></body></smil>";
}

// The tree read from the content; "error" alone when reading failed.
QStringList read(const QByteArray& content)
{
    QString error;
    const QStringList tree =
        SmilTreeDump::describe(SmilParser(content).parse(&error, nullptr, nullptr));
    return error.isEmpty() ? tree : QStringList{"error"} + tree;
}

} // namespace

// The SMIL library: the model's value types, reading presentations as phones write them, refusing
// what is broken or hostile, and writing a document model as SMIL text, byte for byte, that reads
// back unchanged.
class TestSmilParser : public QObject
{
    Q_OBJECT

private slots:
    void readsRealWorldPresentations_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("phone, one image and one text per slide")
            << "presentations/phone-image-text.smil"
            << QStringList{"region Image width=320 height=320 top=0 left=0 fit=meet",
                           "region Text width=320 height=160 top=320 left=0 fit=scroll",
                           "par dur=5000ms",
                           " image IMG_0001.jpg @Image",
                           " text text_0.txt @Text",
                           "par dur=5000ms",
                           " image IMG_0002.jpg @Image",
                           " text text_1.txt @Text"};
        QTest::newRow("SMIL 2.0 seq of pars")
            << "presentations/seq-of-pars.smil"
            << QStringList{"meta title=Holiday",
                           "region Image width=100% height=70% top=0% left=0% fit=meet",
                           "region Text width=100% height=30% top=70% left=0% fit=scroll",
                           "seq dur=15s",
                           " par dur=10s",
                           "  image cid:beach.jpg @Image",
                           "  text cid:caption1.txt @Text",
                           "  audio cid:waves.amr",
                           " par dur=5s",
                           "  video cid:clip.3gp @Image",
                           "  text cid:caption2.txt @Text"};
        QTest::newRow("cid and plain names, nesting, loose media")
            << "presentations/cid-and-plain-names.smil"
            << QStringList{"region Text width=176 height=44 top=0 left=0",
                           "par dur=8s",
                           " par",
                           "  image cid:nested.gif @Image",
                           " text cid:<t1> @Text",
                           " other contact.vcf",
                           "par",
                           " audio cid:song.mp3.dm",
                           "image cid:loose.jpg"};
        QTest::newRow("declared Latin-1 encoding")
            << "presentations/latin1-names.smil"
            << QStringList{"par", QStringLiteral(" image caf\u00e9.jpg @Image")};
    }
    // Written again, each reads back as the same tree.
    void readsRealWorldPresentations()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tree);
        QString error;
        int line = 0, column = 0;
        const SmilDocument document = SmilParser(readData(file)).parse(&error, &line, &column);
        QCOMPARE(error + QString::number(line + column), QString("0"));
        QCOMPARE(SmilTreeDump::describe(document), tree);
        QCOMPARE(read(SmilParser(document).getContent()), tree);
    }

    // A refused document (-1 references) comes back empty with an error and its line.
    void limitsAndMalformedDocuments_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("references");
        QTest::newRow("deepest nesting") << nestedPars(32) << 1;
        QTest::newRow("most elements") << manyRefs(9999) << 9999;
        QTest::newRow("one level too deep") << nestedPars(33) << -1;
        QTest::newRow("one element too many") << manyRefs(10000) << -1;
        QTest::newRow("a million pars") << nestedPars(1000000) << -1;
        QTest::newRow("entity expansion") << readData("regressions/entity-expansion.smil") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("truncated") << QByteArray("<smil><body><par><img src=\"cid:a\"/>") << -1;
        QTest::newRow("not SMIL") << QByteArray("<html><body><par/></body></html>") << -1;
        QTest::newRow("text after the document") << QByteArray("<smil/>trailing") << -1;
        QTest::newRow("undeclared entity")
            << QByteArray("<smil><body><par><text src=\"&x;\"/></par></body></smil>") << -1;
    }
    void limitsAndMalformedDocuments()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, references);
        if (references >= 0) {
            QCOMPARE(read(content).filter("image cid:a").size(), references);
            return;
        }
        SmilParser parser(content);
        QString error;
        int line = 0;
        QVERIFY(SmilTreeDump::describe(parser.parse(&error, &line, nullptr)).isEmpty());
        QVERIFY(!error.isEmpty() && line > 0);
        QVERIFY(SmilTreeDump::describe(parser.parse(nullptr, nullptr, nullptr)).isEmpty());
    }

    void reportsWhereReadingStopped()
    {
        SmilParser parser("<smil>\n <body>\n  <par>\n   <img src=\"a\">\n  </par>\n");
        int line = 0;
        parser.parse(nullptr, &line, nullptr);
        QCOMPARE(line, 5);
    }

    // Inputs that once broke the reader, most of them found by the fuzz target.
    void survivesRegressionInputs_data()
    {
        QTest::addColumn<QString>("file");
        const QDir folder(dataPath + "regressions");
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << QStringLiteral("regressions/") + name;
    }
    void survivesRegressionInputs()
    {
        QFETCH(QString, file);
        const QStringList tree = read(readData(file));
        QVERIFY(tree.value(0) != "error" || tree.size() == 1);
    }

    // Documents as the editor composes them (a text band and media regions, every medium, nesting,
    // metadata and characters to escape, nothing): read, then written again byte for byte.
    void writesGoldenDocuments_data()
    {
        QTest::addColumn<QString>("file");
        const QDir folder(dataPath + "golden");
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << QStringLiteral("golden/") + name;
    }
    void writesGoldenDocuments()
    {
        QFETCH(QString, file);
        const QByteArray golden = readData(file);
        QString error;
        const SmilDocument document = SmilParser(golden).parse(&error, nullptr, nullptr);
        QCOMPARE(error, QString());
        QCOMPARE(SmilParser(document).getContent(), golden);
    }

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

QTEST_GUILESS_MAIN(TestSmilParser)
#include "tst_smilparser.moc"
