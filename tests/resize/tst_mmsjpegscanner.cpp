#include "mmsjpegscanner.h"
#include "testpictures.h"

#include <QtTest>

namespace {

// An APP1 segment whose payload holds an end-of-image marker, as an embedded thumbnail does.
QByteArray withThumbnailSegment(const QByteArray& jpeg)
{
    const QByteArray payload =
        QByteArray("Exif\0\0", 6) + QByteArray("\xFF\xD8\x01\x02\xFF\xD9", 6);
    const int length = payload.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace

// Whether a JPEG file reaches its end-of-image marker.
class TestMmsJpegScanner : public QObject
{
    Q_OBJECT

private slots:
    void isComplete_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");

        const QByteArray baseline = TestPictures::jpegData(QSize(300, 200));
        const QByteArray progressive = TestPictures::jpegData(QSize(300, 200), true);
        const QByteArray thumbnailed = withThumbnailSegment(baseline);
        const QByteArray trailer(300, '\0');

        QTest::newRow("baseline") << baseline << true;
        QTest::newRow("progressive") << progressive << true;
        QTest::newRow("trailer after the image") << baseline + trailer << true;
        QTest::newRow("thumbnail and trailer") << thumbnailed + trailer << true;
        QTest::newRow("last byte missing") << baseline.chopped(1) << false;
        QTest::newRow("cut in the middle") << baseline.left(baseline.size() / 2) << false;
        QTest::newRow("progressive cut") << progressive.left(progressive.size() * 2 / 3) << false;
        QTest::newRow("cut, zeros appended")
            << baseline.left(baseline.size() / 2) + trailer << false;
        QTest::newRow("cut after a thumbnail")
            << thumbnailed.left(thumbnailed.size() / 2) + trailer << false;
        QTest::newRow("start of image only") << QByteArray("\xFF\xD8", 2) << false;
        QTest::newRow("segment length past the end")
            << QByteArray("\xFF\xD8\xFF\xE0\x40\x00", 6) << false;
        QTest::newRow("not a JPEG") << QByteArray(1000, 'z') << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void isComplete()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QTemporaryDir dir;
        const QString path = dir.filePath("picture.jpg");
        if (!data.isNull())
            TestPictures::writeFile(path, data);
        QCOMPARE(MmsJpegScanner::isComplete(path), complete);
    }
};

QTEST_GUILESS_MAIN(TestMmsJpegScanner)
#include "tst_mmsjpegscanner.moc"
