#include "mmssmlilputawayalgorithm.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Parts = QList<Chronel::MessagePart>;

// A page that records its slides as "file" or "file + text"; long texts by their length.
template <bool LimitsInlineText>
class SlideRecorder : public MMSSmlilPutAwayAlgorithm<SlideRecorder<LimitsInlineText>>
{
public:
    static constexpr bool limitsInlineText = LimitsInlineText;

    explicit SlideRecorder(const Parts& parts)
        : m_parts(parts)
    {
    }

    Parts attachments() { return m_parts; }

    void addSlide(const Chronel::MessagePart* part, const QString& text)
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

using Part = Chronel::MessagePart;

Chronel::MessagePart image(const QString& name)
{
    return Part(QStringLiteral("<%1>").arg(name), QStringLiteral("image/jpeg"), name + ".jpg");
}

Chronel::MessagePart text(const QString& name, const QString& content)
{
    return Part(QStringLiteral("<%1>").arg(name), QStringLiteral("text/plain"), name + ".txt",
                content);
}

Chronel::MessagePart smil(const QString& body)
{
    return Part(QStringLiteral("<0.smil>"), QStringLiteral("application/smil"), "0.smil",
                QStringLiteral("<smil><head/><body>%1</body></smil>").arg(body));
}

Chronel::MessagePart smilFile(const QString& name)
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/tests/smil/data/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return Part(QStringLiteral("<smil>"), QStringLiteral("application/smil"), "0.smil",
                QString::fromUtf8(file.readAll()));
}

QString failedToFind(const QString& source)
{
    return QStringLiteral("[MMS_SMIL] failed to find \"%1\" in attachments").arg(source);
}

QString longText(int length)
{
    return QString(length, QLatin1Char('x'));
}

} // namespace

Q_DECLARE_METATYPE(Chronel::MessagePart)

// Turning a message's parts into slides from its presentation, in the viewer and the editor.
class TestMmsSmlilPutAwayAlgorithm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void placesSlides_data();
    void placesSlides();
    void placesStoredPresentations_data();
    void placesStoredPresentations();
    void resolvesReferences_data();
    void resolvesReferences();
    void reportsAnUnparsablePresentation();
    void logsItsEntryAndFallback();
    void readsStoredTextFromItsFile();
    void showsAttachmentAloneWhenTextFileIsUnreadable();
};

// The debug lines asserted here must show even when the test runs outside ctest.
void TestMmsSmlilPutAwayAlgorithm::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("dravel.smil.debug=true"));
}

void TestMmsSmlilPutAwayAlgorithm::placesSlides_data()
{
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QStringList>("viewerSlides");
    QTest::addColumn<QStringList>("editorSlides");
    QTest::addColumn<QStringList>("warnings");

    const QString pairedImageText = "<par><img src=\"cid:a\"/><text src=\"cid:t\"/></par>";

    QTest::newRow("one image and one text")
        << Parts{smil(pairedImageText), image("a"), text("t", "Hello")}
        << QStringList{"a.jpg + Hello"} << QStringList{"a.jpg + Hello"} << QStringList();
    QTest::newRow("text written before the image")
        << Parts{smil("<par><text src=\"cid:t\"/><img src=\"cid:a\"/></par>"), text("t", "Hi"),
                 image("a")}
        << QStringList{"a.jpg + Hi"} << QStringList{"a.jpg + Hi"} << QStringList();
    QTest::newRow("two images and one text")
        << Parts{smil("<par><img src=\"cid:a\"/><img src=\"cid:b\"/><text src=\"cid:t\"/></par>"),
                 image("a"), image("b"), text("t", "Hi")}
        << QStringList{"a.jpg + Hi", "b.jpg"} << QStringList{"a.jpg + Hi", "b.jpg"}
        << QStringList();
    QTest::newRow("text goes to the first resolvable image")
        << Parts{smil("<par><img src=\"cid:gone\"/><img src=\"cid:b\"/><text src=\"cid:t\"/>"
                      "</par>"),
                 image("b"), text("t", "Hi")}
        << QStringList{"b.jpg + Hi"} << QStringList{"b.jpg + Hi"}
        << QStringList{failedToFind("cid:gone")};
    QTest::newRow("text only") << Parts{smil("<par><text src=\"cid:t\"/></par>"),
                                        text("t", "Just words")}
                               << QStringList{"t.txt"} << QStringList{"t.txt"} << QStringList();
    QTest::newRow("10239 characters stay inline")
        << Parts{smil(pairedImageText), image("a"), text("t", longText(10239))}
        << QStringList{"a.jpg + 10239 characters"} << QStringList{"a.jpg + 10239 characters"}
        << QStringList();
    QTest::newRow("10240 characters become a file slide in the viewer")
        << Parts{smil(pairedImageText), image("a"), text("t", longText(10240))}
        << QStringList{"t.txt", "a.jpg"} << QStringList{"a.jpg + 10240 characters"}
        << QStringList();
    QTest::newRow("cid:x.dm resolves to <x>")
        << Parts{smil("<par><img src=\"cid:x.dm\"/></par>"), image("x")} << QStringList{"x.jpg"}
        << QStringList{"x.jpg"} << QStringList();
    QTest::newRow("unresolvable reference skipped, its part last")
        << Parts{smil("<par><img src=\"cid:typo\"/></par><par><img src=\"cid:b\"/></par>"),
                 image("a"), image("b")}
        << QStringList{"b.jpg", "a.jpg"} << QStringList{"b.jpg", "a.jpg"}
        << QStringList{failedToFind("cid:typo")};
    QTest::newRow("unreferenced parts last, by content id")
        << Parts{smil("<par><img src=\"cid:b\"/></par>"), image("c"), image("d"), image("a"),
                 image("b")}
        << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"}
        << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"} << QStringList();
    QTest::newRow("two parts with one content id, referenced")
        << Parts{smil("<par><img src=\"cid:d\"/></par>"), Part("<d>", "image/jpeg", "first.jpg"),
                 Part("<d>", "image/jpeg", "second.jpg")}
        << QStringList{"first.jpg"} << QStringList{"first.jpg"} << QStringList();
    QTest::newRow("two parts with one content id, unreferenced")
        << Parts{smil("<par><img src=\"cid:a\"/></par>"), Part("<d>", "image/jpeg", "first.jpg"),
                 Part("<d>", "image/jpeg", "second.jpg"), image("a")}
        << QStringList{"a.jpg", "second.jpg", "first.jpg"}
        << QStringList{"a.jpg", "second.jpg", "first.jpg"} << QStringList();
    QTest::newRow("the SMIL part never shows when the presentation parses")
        << Parts{smil(QString()), image("b"), text("a", "Hi")} << QStringList{"a.txt", "b.jpg"}
        << QStringList{"a.txt", "b.jpg"} << QStringList();
    QTest::newRow("no presentation: message order")
        << Parts{image("b"), image("a")} << QStringList{"b.jpg", "a.jpg"}
        << QStringList{"b.jpg", "a.jpg"} << QStringList();
    QTest::newRow("empty presentation text: message order, SMIL part included")
        << Parts{image("b"), Part("<s>", "application/smil", "0.smil"), image("a")}
        << QStringList{"b.jpg", "0.smil", "a.jpg"} << QStringList{"b.jpg", "0.smil", "a.jpg"}
        << QStringList();
    QTest::newRow("text reference that names nothing")
        << Parts{smil("<par><img src=\"cid:a\"/><text src=\"cid:none\"/></par>"), image("a")}
        << QStringList{"a.jpg"} << QStringList{"a.jpg"}
        << QStringList{failedToFind("cid:none"), failedToFind("cid:none")};
    QTest::newRow("seq of pars")
        << Parts{smil("<seq><par><img src=\"cid:a\"/><text src=\"cid:t1\"/></par>"
                      "<par><img src=\"cid:b\"/><text src=\"cid:t2\"/></par></seq>"),
                 image("a"), image("b"), text("t1", "One"), text("t2", "Two")}
        << QStringList{"a.jpg + One", "b.jpg + Two"} << QStringList{"a.jpg + One", "b.jpg + Two"}
        << QStringList();
    QTest::newRow("nested nodes come before the node's own media")
        << Parts{smil("<par><img src=\"cid:a\"/><par><img src=\"cid:b\"/></par></par>"), image("a"),
                 image("b")}
        << QStringList{"b.jpg", "a.jpg"} << QStringList{"b.jpg", "a.jpg"} << QStringList();
    QTest::newRow("media standing in the body are not visited")
        << Parts{smil("<img src=\"cid:a\"/><par><img src=\"cid:b\"/></par>"), image("b"),
                 image("a")}
        << QStringList{"b.jpg", "a.jpg"} << QStringList{"b.jpg", "a.jpg"} << QStringList();
    QTest::newRow("plain names and a contact card beside its text")
        << Parts{smil("<par><text src=\"t\"/><ref src=\"cid:card.vcf\"/></par>"),
                 text("t", "Call me"), Part("card.vcf", "text/x-vcard", "card.vcf")}
        << QStringList{"card.vcf + Call me"} << QStringList{"card.vcf + Call me"} << QStringList();
    QTest::newRow("a second text of a node is a slide of its own")
        << Parts{smil("<par><text src=\"cid:t1\"/><text src=\"cid:t2\"/></par>"), text("t1", "One"),
                 text("t2", "Two")}
        << QStringList{"t2.txt + One"} << QStringList{"t2.txt + One"} << QStringList();
}

void TestMmsSmlilPutAwayAlgorithm::placesSlides()
{
    QFETCH(Parts, parts);
    QFETCH(QStringList, viewerSlides);
    QFETCH(QStringList, editorSlides);
    QFETCH(QStringList, warnings);

    for (const QString& warning : warnings + warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    ViewerPage viewer(parts);
    viewer.addAttachmentsWithSmil();
    EditorPage editor(parts);
    editor.addAttachmentsWithSmil();

    QCOMPARE(viewer.slides, viewerSlides);
    QCOMPARE(editor.slides, editorSlides);
}

void TestMmsSmlilPutAwayAlgorithm::placesStoredPresentations_data()
{
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QStringList>("slides");

    // Identifiers as the composing side gives them: sindex:<n>1;<n> for part n.
    QTest::newRow("written by the editor")
        << Parts{smilFile("golden/image-with-text.smil"),
                 Part("sindex:0011;<1>", "text/plain", "text_001.txt", "Hi"),
                 Part("sindex:0021;<2>", "image/jpeg", "photo.jpg")}
        << QStringList{"photo.jpg + Hi"};
    QTest::newRow("a phone's image and text slides")
        << Parts{smilFile("presentations/phone-image-text.smil"),
                 Part("<text_1.txt>", "text/plain", "text_1.txt", "Second"),
                 Part("<IMG_0002.jpg>", "image/jpeg", "IMG_0002.jpg"),
                 Part("<text_0.txt>", "text/plain", "text_0.txt", "First"),
                 Part("<IMG_0001.jpg>", "image/jpeg", "IMG_0001.jpg")}
        << QStringList{"IMG_0001.jpg + First", "IMG_0002.jpg + Second"};
    QTest::newRow("a SMIL 2.0 seq of pars")
        << Parts{smilFile("presentations/seq-of-pars.smil"),
                 Part("<beach.jpg>", "image/jpeg", "beach.jpg"),
                 Part("<caption1.txt>", "text/plain", "caption1.txt", "Sea"),
                 Part("<waves.amr>", "audio/amr", "waves.amr"),
                 Part("<clip.3gp>", "video/3gpp", "clip.3gp"),
                 Part("<caption2.txt>", "text/plain", "caption2.txt", "Sun")}
        << QStringList{"beach.jpg + Sea", "waves.amr", "clip.3gp + Sun"};
}

void TestMmsSmlilPutAwayAlgorithm::placesStoredPresentations()
{
    QFETCH(Parts, parts);
    QFETCH(QStringList, slides);

    ViewerPage viewer(parts);
    viewer.addAttachmentsWithSmil();

    QCOMPARE(viewer.slides, slides);
}

void TestMmsSmlilPutAwayAlgorithm::resolvesReferences_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QStringList>("contentIds");
    QTest::addColumn<int>("found");

    QTest::newRow("cid: against angle brackets")
        << "cid:photo.jpg" << QStringList{"<photo.jpg>"} << 0;
    QTest::newRow(".dm suffix dropped") << "photo.dm" << QStringList{"photo"} << 0;
    QTest::newRow("cid:x.dm against <x>") << "cid:x.dm" << QStringList{"<x>"} << 0;
    QTest::newRow("first id of a list") << "a" << QStringList{"a;<b>"} << 0;
    QTest::newRow("second id of a list") << "b" << QStringList{"a;<b>"} << 0;
    QTest::newRow("cid: against a list") << "cid:b" << QStringList{"a;<b>"} << 0;
    QTest::newRow("empty pieces ignored") << "b" << QStringList{";;b;"} << 0;
    QTest::newRow("angle brackets in the reference") << "<a>" << QStringList{"a"} << 0;
    QTest::newRow("later part") << "cid:b" << QStringList{"<a>", "<b>"} << 1;
    QTest::newRow("earlier of two equal ids") << "cid:b" << QStringList{"<a>", "<b>", "<b>"} << 1;
    QTest::newRow("cid: is case-sensitive") << "CID:x" << QStringList{"<x>"} << -1;
    QTest::newRow(".dm is case-sensitive") << "x.DM" << QStringList{"x"} << -1;
    QTest::newRow("ids are case-sensitive") << "cid:X" << QStringList{"<x>"} << -1;
    QTest::newRow("cid: inside brackets stays") << "<cid:a>" << QStringList{"<a>"} << -1;
    QTest::newRow("no parts") << "cid:a" << QStringList() << -1;
}

void TestMmsSmlilPutAwayAlgorithm::resolvesReferences()
{
    QFETCH(QString, reference);
    QFETCH(QStringList, contentIds);
    QFETCH(int, found);

    Parts parts;
    for (int i = 0; i < contentIds.size(); ++i)
        parts << Part(contentIds.at(i), "image/png", QStringLiteral("%1.png").arg(i));
    Chronel::MessagePart result;

    const bool resolved = ViewerPage::getAttachmentByContentId(parts, reference, result);

    QCOMPARE(resolved, found >= 0);
    QCOMPARE(result, found >= 0 ? parts.at(found) : Chronel::MessagePart());
}

void TestMmsSmlilPutAwayAlgorithm::reportsAnUnparsablePresentation()
{
    Chronel::MessagePart broken = smil(QString());
    broken.setPlainTextContent(QStringLiteral("<smil><body><par>"));
    ViewerPage viewer(Parts{image("b"), broken, text("a", "Hi")});

    QTest::ignoreMessage(QtWarningMsg,
                         "[MMS_SMIL] failed to parse smil: \"Premature end of document.\"");
    viewer.addAttachmentsWithSmil();

    QCOMPARE(viewer.slides, (QStringList{"b.jpg", "0.smil", "a.txt"}));
}

void TestMmsSmlilPutAwayAlgorithm::logsItsEntryAndFallback()
{
    ViewerPage viewer(Parts{image("a"), image("b")});

    QTest::ignoreMessage(QtDebugMsg, "D: [MMS_SMIL] addAttachmentsWithSmil");
    QTest::ignoreMessage(QtDebugMsg, "D: [MMS_SMIL] addAttachmentsNoSmil attachments.size() = 2");
    viewer.addAttachmentsWithSmil();
}

void TestMmsSmlilPutAwayAlgorithm::readsStoredTextFromItsFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("text_001.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Gr\u00fc\u00dfe\nfrom file").toUtf8());
    file.close();
    EditorPage editor(Parts{smil("<par><img src=\"cid:a\"/><text src=\"cid:t\"/></par>"),
                            image("a"), Part("<t>", "text/plain", path)});

    QTest::ignoreMessage(QtDebugMsg,
                         qPrintable(QStringLiteral("D: [MMS_SMIL] Attach text is empty, try to "
                                                   "read it from file \"%1\"")
                                        .arg(path)));
    editor.addAttachmentsWithSmil();

    QCOMPARE(editor.slides, QStringList{QStringLiteral("a.jpg + Gr\u00fc\u00dfe\nfrom file")});
}

void TestMmsSmlilPutAwayAlgorithm::showsAttachmentAloneWhenTextFileIsUnreadable()
{
    const QString path = QStringLiteral("/nonexistent/text_001.txt");
    ViewerPage viewer(Parts{smil("<par><img src=\"cid:a\"/><text src=\"cid:t\"/></par>"),
                            image("a"), Part("<t>", "text/plain", path)});

    QTest::ignoreMessage(
        QtWarningMsg, "[MMS-EDITOR] Failed to read text from file \"/nonexistent/text_001.txt\" !");
    viewer.addAttachmentsWithSmil();

    QCOMPARE(viewer.slides, QStringList{"a.jpg"});
}

QTEST_GUILESS_MAIN(TestMmsSmlilPutAwayAlgorithm)
#include "tst_mmssmlilputawayalgorithm.moc"
