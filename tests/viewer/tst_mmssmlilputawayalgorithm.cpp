#include "mmssmlilputawayalgorithm.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Part = Chronel::MessagePart;
using Parts = QList<Part>;

// A page that records its slides as "file" or "file + text"; long texts by their length.
template <bool LimitsInlineText>
class SlideRecorder : public MMSSmlilPutAwayAlgorithm<SlideRecorder<LimitsInlineText>>
{
public:
    static constexpr bool limitsInlineText = LimitsInlineText;

    explicit SlideRecorder(const Parts& parts)
        : m_parts(parts)
    {
        this->addAttachmentsWithSmil();
    }

    Parts attachments() { return m_parts; }

    void addSlide(const Part* part, const QString& text)
    {
        QString slide = part->contentLocation();
        if (text.size() > 40)
            slide += QStringLiteral(" + %1 characters").arg(text.size());
        else if (!text.isEmpty())
            slide += QStringLiteral(" + ") + text;
        slides << slide;
    }

    QStringList slides;

private:
    Parts m_parts;
};

using ViewerPage = SlideRecorder<true>;
using EditorPage = SlideRecorder<false>;

Part image(const QString& name)
{
    return Part(QStringLiteral("<%1>").arg(name), QStringLiteral("image/jpeg"), name + ".jpg");
}

Part text(const QString& name, const QString& content)
{
    return Part(QStringLiteral("<%1>").arg(name), QStringLiteral("text/plain"), name + ".txt",
                content);
}

Part smil(const QString& body)
{
    return Part(QStringLiteral("<0.smil>"), QStringLiteral("application/smil"), "0.smil",
                QStringLiteral("<smil><head/><body>%1</body></smil>").arg(body));
}

Part smilFile(const QString& name)
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/smil/data/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return Part(QStringLiteral("<smil>"), QStringLiteral("application/smil"), "0.smil",
                QString::fromUtf8(file.readAll()));
}

// A par of media written "kind:id", each referring to its part by content id: par("img:a text:t").
QString par(const QString& media)
{
    QString xml;
    for (const QString& item : media.split(' '))
        xml += QStringLiteral("<%1 src=\"cid:%2\"/>")
                   .arg(item.section(':', 0, 0), item.section(':', 1));
    return "<par>" + xml + "</par>";
}

QString failedToFind(const QString& source)
{
    return QStringLiteral("[MMS_SMIL] failed to find \"%1\" in attachments").arg(source);
}

const QString kPaired = par("img:a text:t");

} // namespace

Q_DECLARE_METATYPE(Chronel::MessagePart)

// Turning a message's parts into slides from its presentation, in the viewer and the editor.
class TestMmsSmlilPutAwayAlgorithm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // The debug lines asserted here must show even when the test runs outside ctest.
    void initTestCase() { QLoggingCategory::setFilterRules("dravel.smil.debug=true"); }

    // Log lines starting with "D: " are debug lines, the others warnings; each page logs them.
    void placesSlides_data()
    {
        QTest::addColumn<Parts>("parts");
        QTest::addColumn<QStringList>("slides");
        QTest::addColumn<QStringList>("log");
        const auto row = [](const char* name, const Parts& parts, const QStringList& slides,
                            const QStringList& log = {}) {
            QTest::addRow("%s", name) << parts << slides << log;
        };
        const QString stored = m_dir.filePath("text_001.txt");
        QFile file(stored);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("Gr\u00fc\u00dfe\nfrom file").toUtf8());
        file.close();
        const QString unreadable = QStringLiteral("/nonexistent/text_001.txt");
        Part unparsable = smil(QString());
        unparsable.setPlainTextContent("<smil><body><par>");

        row("one image and one text", {smil(kPaired), image("a"), text("t", "Hello")},
            {"a.jpg + Hello"}, {"D: [MMS_SMIL] addAttachmentsWithSmil"});
        row("text written before the image",
            {smil(par("text:t img:a")), text("t", "Hi"), image("a")}, {"a.jpg + Hi"});
        row("two images and one text",
            {smil(par("img:a img:b text:t")), image("a"), image("b"), text("t", "Hi")},
            {"a.jpg + Hi", "b.jpg"});
        row("text goes to the first resolvable image",
            {smil(par("img:gone img:b text:t")), image("b"), text("t", "Hi")}, {"b.jpg + Hi"},
            {failedToFind("cid:gone")});
        row("text only", {smil(par("text:t")), text("t", "Just words")}, {"t.txt"});
        row("unresolvable reference skipped, its part last",
            {smil(par("img:typo") + par("img:b")), image("a"), image("b")}, {"b.jpg", "a.jpg"},
            {failedToFind("cid:typo")});
        row("unreferenced parts last, by content id",
            {smil(par("img:b")), image("c"), image("d"), image("a"), image("b")},
            {"b.jpg", "a.jpg", "c.jpg", "d.jpg"});
        row("two parts with one content id, referenced",
            {smil(par("img:d")), Part("<d>", "image/jpeg", "first.jpg"),
             Part("<d>", "image/jpeg", "second.jpg")},
            {"first.jpg"});
        row("two parts with one content id, unreferenced",
            {smil(par("img:a")), Part("<d>", "image/jpeg", "first.jpg"),
             Part("<d>", "image/jpeg", "second.jpg"), image("a")},
            {"a.jpg", "second.jpg", "first.jpg"});
        row("the SMIL part never shows when the presentation parses",
            {smil(QString()), image("b"), text("a", "Hi")}, {"a.txt", "b.jpg"});
        row("no presentation: message order", {image("b"), image("a")}, {"b.jpg", "a.jpg"},
            {"D: [MMS_SMIL] addAttachmentsNoSmil attachments.size() = 2"});
        row("empty presentation text: message order, SMIL part included",
            {image("b"), Part("<s>", "application/smil", "0.smil"), image("a")},
            {"b.jpg", "0.smil", "a.jpg"});
        row("unparsable presentation: message order, SMIL part included",
            {image("b"), unparsable, text("a", "Hi")}, {"b.jpg", "0.smil", "a.txt"},
            {R"([MMS_SMIL] failed to parse smil: "Premature end of document.")"});
        row("text reference that names nothing", {smil(par("img:a text:none")), image("a")},
            {"a.jpg"}, {failedToFind("cid:none"), failedToFind("cid:none")});
        row("nested nodes come before the node's own media",
            {smil(R"(<par><img src="cid:a"/><par><img src="cid:b"/></par></par>)"), image("a"),
             image("b")},
            {"b.jpg", "a.jpg"});
        row("media standing in the body are not visited",
            {smil(R"(<img src="cid:a"/><par><img src="cid:b"/></par>)"), image("b"), image("a")},
            {"b.jpg", "a.jpg"});
        row("plain names and a contact card beside its text",
            {smil(R"(<par><text src="t"/><ref src="cid:card.vcf"/></par>)"), text("t", "Call me"),
             Part("card.vcf", "text/x-vcard", "card.vcf")},
            {"card.vcf + Call me"});
        row("a second text of a node is a slide of its own",
            {smil(par("text:t1 text:t2")), text("t1", "One"), text("t2", "Two")}, {"t2.txt + One"});
        row("text read from its file",
            {smil(kPaired), image("a"), Part("<t>", "text/plain", stored)},
            {"a.jpg + Gr\u00fc\u00dfe\nfrom file"},
            {R"(D: [MMS_SMIL] Attach text is empty, try to read it from file ")" + stored +
             R"(")"});
        row("unreadable text file: the picture alone",
            {smil(kPaired), image("a"), Part("<t>", "text/plain", unreadable)}, {"a.jpg"},
            {R"([MMS-EDITOR] Failed to read text from file ")" + unreadable + R"(" !)"});
        // Identifiers as the composing side gives them: sindex:<n>1;<n> for part n.
        row("written by the editor",
            {smilFile("golden/image-with-text.smil"),
             Part("sindex:0011;<1>", "text/plain", "text_001.txt", "Hi"),
             Part("sindex:0021;<2>", "image/jpeg", "photo.jpg")},
            {"photo.jpg + Hi"});
        row("a phone's image and text slides",
            {smilFile("presentations/phone-image-text.smil"),
             Part("<text_1.txt>", "text/plain", "text_1.txt", "Second"),
             Part("<IMG_0002.jpg>", "image/jpeg", "IMG_0002.jpg"),
             Part("<text_0.txt>", "text/plain", "text_0.txt", "First"),
             Part("<IMG_0001.jpg>", "image/jpeg", "IMG_0001.jpg")},
            {"IMG_0001.jpg + First", "IMG_0002.jpg + Second"});
        row("a SMIL 2.0 seq of pars",
            {smilFile("presentations/seq-of-pars.smil"),
             Part("<beach.jpg>", "image/jpeg", "beach.jpg"),
             Part("<caption1.txt>", "text/plain", "caption1.txt", "Sea"),
             Part("<waves.amr>", "audio/amr", "waves.amr"),
             Part("<clip.3gp>", "video/3gpp", "clip.3gp"),
             Part("<caption2.txt>", "text/plain", "caption2.txt", "Sun")},
            {"beach.jpg + Sea", "waves.amr", "clip.3gp + Sun"});
    }

    void placesSlides()
    {
        QFETCH(Parts, parts);
        QFETCH(QStringList, slides);
        QFETCH(QStringList, log);
        for (const QString& line : log + log) {
            const bool debug = line.startsWith("D: ");
            QTest::ignoreMessage(debug ? QtDebugMsg : QtWarningMsg, qPrintable(line));
        }
        QCOMPARE(ViewerPage(parts).slides, slides);
        QCOMPARE(EditorPage(parts).slides, slides);
    }

    // The viewer shows a text of 10240 characters or more as a slide of its own.
    void inlineTextLimit_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("viewerSlides");
        QTest::addRow("10239") << 10239 << QStringList{"a.jpg + 10239 characters"};
        QTest::addRow("10240") << 10240 << QStringList{"t.txt", "a.jpg"};
    }

    void inlineTextLimit()
    {
        QFETCH(int, length);
        QFETCH(QStringList, viewerSlides);
        const Parts parts{smil(kPaired), image("a"), text("t", QString(length, 'x'))};
        QCOMPARE(ViewerPage(parts).slides, viewerSlides);
        QCOMPARE(EditorPage(parts).slides,
                 QStringList{QString("a.jpg + %1 characters").arg(length)});
    }

    void resolvesReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("contentIds");
        QTest::addColumn<int>("found");
        const auto row = [](const char* tag, const char* reference, const QStringList& ids,
                            int found) {
            QTest::addRow("%s", tag) << QString(reference) << ids << found;
        };
        row("cid: against angle brackets", "cid:photo.jpg", {"<photo.jpg>"}, 0);
        row(".dm suffix dropped", "photo.dm", {"photo"}, 0);
        row("first id of a list", "a", {"a;<b>"}, 0);
        row("cid: against a later id of a list", "cid:b", {"a;<b>"}, 0);
        row("empty pieces ignored", "b", {";;b;"}, 0);
        row("angle brackets in the reference", "<a>", {"a"}, 0);
        row("earlier of two equal ids", "cid:b", {"<a>", "<b>", "<b>"}, 1);
        row("cid: is case-sensitive", "CID:x", {"<x>"}, -1);
        row("ids are case-sensitive", "cid:X", {"<x>"}, -1);
        row("cid: inside brackets stays", "<cid:a>", {"<a>"}, -1);
        row("no parts", "cid:a", {}, -1);
    }

    void resolvesReferences()
    {
        QFETCH(QString, reference);
        QFETCH(QStringList, contentIds);
        QFETCH(int, found);
        Parts parts;
        for (int i = 0; i < contentIds.size(); ++i)
            parts << Part(contentIds.at(i), "image/png", QStringLiteral("%1.png").arg(i));
        Part result;
        QCOMPARE(ViewerPage::getAttachmentByContentId(parts, reference, result), found >= 0);
        QCOMPARE(result, found >= 0 ? parts.at(found) : Part());
    }
};

QTEST_GUILESS_MAIN(TestMmsSmlilPutAwayAlgorithm)
#include "tst_mmssmlilputawayalgorithm.moc"
