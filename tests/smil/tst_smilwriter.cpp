#include "smilparser.h"
#include "smiltreedump.h"

#include <QDir>
#include <QtTest>

Q_DECLARE_METATYPE(SmilDocument)

namespace {

QByteArray readData(const QString& name)
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/smil/data/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return file.readAll();
}

SmilRegion region(const QString& name, const QString& width, const QString& height,
                  const QString& top, const QString& fit)
{
    SmilRegion result(name);
    result.width = SmilUnit::convert(width);
    result.height = SmilUnit::convert(height);
    result.top = SmilUnit::convert(top);
    result.left = SmilUnit::convert(QStringLiteral("0%"));
    result.fit = fit;
    return result;
}

// The regions a composed message uses: text band on top, media below.
SmilRegion textRegion()
{
    return region(QStringLiteral("Text"), "100%", "30%", "0%", "scroll");
}

SmilRegion mediaRegion(const QString& name)
{
    return region(name, "100%", "70%", "30%", "meet");
}

SmilRef ref(int kind, const QString& source, const QString& region)
{
    SmilRef result;
    result.kind = kind;
    result.source = source;
    result.region = region;
    return result;
}

SmilNode par(const QString& duration, const QList<SmilRef>& refs)
{
    SmilNode node;
    node.duration = duration;
    node.refs = refs;
    return node;
}

SmilDocument imageWithText()
{
    SmilDocument document;
    document.header.regions = {textRegion(), mediaRegion("Image")};
    document.body.nodes = {
        par("5s", {ref(SmilRef::Text, "cid:1", "Text"), ref(SmilRef::Image, "cid:2", "Image")})};
    return document;
}

SmilDocument contactCard()
{
    SmilDocument document;
    document.header.regions = {textRegion()};
    document.body.nodes = {par("5s", {ref(SmilRef::Text, "cid:1", "Text")})};
    return document;
}

SmilDocument everyMedium()
{
    SmilDocument document;
    document.header.regions = {textRegion(), mediaRegion("Image"), mediaRegion("Audio"),
                               mediaRegion("Video")};
    document.body.nodes = {
        par("5s", {ref(SmilRef::Text, "cid:1", "Text"), ref(SmilRef::Image, "cid:2", "Image")}),
        par("12s", {ref(SmilRef::Audio, "cid:3", "Audio")}),
        par("7s", {ref(SmilRef::Text, "cid:4", "Text"), ref(SmilRef::Video, "cid:5", "Video")}),
        par("5s", {ref(SmilRef::Text, "cid:6", "Text")})};
    return document;
}

SmilDocument nestedWithMetadata()
{
    SmilDocument document;
    document.header.metas = {SmilMeta{"title", "Tom & \"Jerry\" <3"}, SmilMeta{"author", "me"}};
    SmilRegion pixels(QStringLiteral("Picture"));
    pixels.width = SmilUnit::convert(QStringLiteral("176"));
    pixels.height = SmilUnit::convert(QStringLiteral("144px"));
    pixels.bottom = SmilUnit::convert(QStringLiteral("10"));
    pixels.right = SmilUnit::convert(QStringLiteral("2.5mm"));
    document.header.regions = {pixels};
    SmilNode sequence;
    sequence.kind = SmilNode::Seq;
    sequence.duration = QStringLiteral("20s");
    sequence.nodes = {par("10s", {ref(SmilRef::Image, "cid:<a&b>", "Picture")}),
                      par(QString(), {ref(SmilRef::Other, "card.vcf", QString())})};
    sequence.refs = {ref(SmilRef::Audio, "cid:tune.amr", QString())};
    document.body.nodes = {sequence};
    document.body.refs = {ref(SmilRef::Video, "cid:loose.3gp", QString())};
    return document;
}

} // namespace

// Writing a document model as SMIL text, byte for byte, and reading it back unchanged.
class TestSmilWriter : public QObject
{
    Q_OBJECT

private slots:
    void writesGoldenDocuments_data();
    void writesGoldenDocuments();
    void readsBackWhatItWrote_data();
    void readsBackWhatItWrote();
    void rewritesRealWorldPresentations_data();
    void rewritesRealWorldPresentations();
};

void TestSmilWriter::writesGoldenDocuments_data()
{
    QTest::addColumn<SmilDocument>("document");
    QTest::addColumn<QString>("golden");

    QTest::newRow("image with text") << imageWithText() << "image-with-text.smil";
    QTest::newRow("contact card") << contactCard() << "contact-card.smil";
    QTest::newRow("every medium") << everyMedium() << "every-medium.smil";
    QTest::newRow("nested with metadata") << nestedWithMetadata() << "nested-with-metadata.smil";
    QTest::newRow("empty") << SmilDocument() << "empty.smil";
}

void TestSmilWriter::writesGoldenDocuments()
{
    QFETCH(SmilDocument, document);
    QFETCH(QString, golden);

    QCOMPARE(SmilParser(document).getContent(), readData(QStringLiteral("golden/") + golden));
}

void TestSmilWriter::readsBackWhatItWrote_data()
{
    writesGoldenDocuments_data();
}

void TestSmilWriter::readsBackWhatItWrote()
{
    QFETCH(SmilDocument, document);

    SmilParser parser(SmilParser(document).getContent());
    QString error;
    const SmilDocument readBack = parser.parse(&error, nullptr, nullptr);

    QCOMPARE(error, QString());
    QCOMPARE(SmilTreeDump::describe(readBack), SmilTreeDump::describe(document));
}

void TestSmilWriter::rewritesRealWorldPresentations_data()
{
    QTest::addColumn<QString>("file");

    const QDir folder(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/smil/data/presentations"));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << QStringLiteral("presentations/") + name;
}

void TestSmilWriter::rewritesRealWorldPresentations()
{
    QFETCH(QString, file);

    SmilParser original(readData(file));
    const SmilDocument document = original.parse(nullptr, nullptr, nullptr);
    SmilParser rewritten(SmilParser(document).getContent());
    QString error;
    const SmilDocument readBack = rewritten.parse(&error, nullptr, nullptr);

    QCOMPARE(error, QString());
    QCOMPARE(SmilTreeDump::describe(readBack), SmilTreeDump::describe(document));
}

QTEST_GUILESS_MAIN(TestSmilWriter)
#include "tst_smilwriter.moc"
