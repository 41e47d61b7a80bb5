#include "imagemedia.h"
#include "mmscmtest.h"
#include "viewertest.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// Received messages come from strangers. Each case is generated here and
// written straight into the history store (the connection manager would
// refuse some of them): the page opens, shows what it can and does not
// crash (the suite also runs under the sanitizers).

Q_DECLARE_METATYPE(Chronel::MessagePart)

namespace {

using Part = Chronel::MessagePart;
using Parts = QList<Part>;

Part smil(const QByteArray& presentation)
{
    return Part("<0.smil>", "application/smil", "0.smil", QString::fromUtf8(presentation));
}

QByteArray repeated(const QByteArray& text, int times)
{
    QByteArray all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

QByteArray jpeg()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG");
    return buffer.data();
}

QByteArray contactCards(int count)
{
    QByteArray cards;
    for (int i = 0; i < count; ++i) {
        cards += "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Friend;Number " + QByteArray::number(i) +
                 "\r\nTEL:+35840" + QByteArray::number(1000000 + i) + "\r\nEND:VCARD\r\n";
    }
    return cards;
}

} // namespace

class TestMmsViewerBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pageShowsWhatItCan_data();
    void pageShowsWhatItCan();

private:
    QString file(const QString& name, const QByteArray& content)
    {
        return imagemedia::writeBytes(m_files.filePath(name), content);
    }

    QTemporaryDir m_files;
};

void TestMmsViewerBadInput::initTestCase()
{
    forgetUserData();
    installCatalogue();
    setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND);
    QVERIFY(m_files.isValid());
}

void TestMmsViewerBadInput::pageShowsWhatItCan_data()
{
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QStringList>("slides");

    const Part picture("<a.png>", "image/png",
                       imagemedia::writePicture(m_files.filePath("a.png"), 32, 24, Qt::blue));
    const Part note("<b.txt>", "text/plain", file("b.txt", "B"), "B");

    Parts many;
    QStringList manySlides;
    for (int i = 0; i < 500; ++i) {
        many << Part(QString("<t%1>").arg(i, 3, 10, QChar('0')), "text/plain", QString(),
                     QString("slide %1").arg(i));
        manySlides << QString("slide %1").arg(i);
    }
    QTest::newRow("500 parts") << many << manySlides;

    QTest::newRow("presentation names missing parts")
        << Parts{smil("<smil><body><par><img src=\"a.png\"/><text src=\"gone.txt\"/></par>"
                      "<par><img src=\"cid:gone.png\"/></par></body></smil>"),
                 picture, note}
        << QStringList{"a.png", "B"};
    // Repeats beyond one per part of the message are left out.
    QTest::newRow("presentation names one part 3000 times")
        << Parts{smil("<smil><body>" + repeated("<par><img src=\"a.png\"/></par>", 3000) +
                      "</body></smil>"),
                 picture, note}
        << QStringList{"a.png", "a.png", "a.png", "a.png", "B"};

    const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
    QTest::newRow("10 MB text part")
        << Parts{Part("<big.txt>", "text/plain", file("big.txt", tenMegabytes),
                      QString::fromLatin1(tenMegabytes))}
        << QStringList{"big.txt"};
    QTest::newRow("corrupt picture")
        << Parts{Part("<c.jpg>", "image/jpeg", file("corrupt.jpg", repeated("\xff\xd8 junk", 99)))}
        << QStringList{"corrupt.jpg"};
    QTest::newRow("truncated picture")
        << Parts{Part("<t.jpg>", "image/jpeg", file("truncated.jpg", jpeg().left(700)))}
        << QStringList{"truncated.jpg"};
    QTest::newRow("1,000 contact cards")
        << Parts{Part("<cards.vcf>", "text/x-vcard", file("cards.vcf", contactCards(1000)))}
        << QStringList{"cards.vcf"};
    QTest::newRow("part file missing")
        << Parts{Part("<x.jpg>", "image/jpeg", m_files.filePath("nowhere/x.jpg"))}
        << QStringList{"x.jpg"};
    // Every part in message order, the presentation too.
    QTest::newRow("presentation not well-formed")
        << Parts{smil("<smil><body><par><img src=\"a.png\""), picture}
        << QStringList{"0.smil", "a.png"};
}

void TestMmsViewerBadInput::pageShowsWhatItCan()
{
    QFETCH(Parts, parts);
    QFETCH(QStringList, slides);
    ViewerHost host;
    QPointer<MmsViewerPage> page = host.open(storedMessage(Chronel::Event::Inbound, parts));
    QTRY_VERIFY_WITH_TIMEOUT(!shownSlides(page).isEmpty(), 60000);
    QCOMPARE(shownSlides(page), slides);
    QVERIFY(!page->isBuildingSlides());
}

QTEST_MAIN(TestMmsViewerBadInput)
#include "tst_mmsviewerbadinput.moc"
