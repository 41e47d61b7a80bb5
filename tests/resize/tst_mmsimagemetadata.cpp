#include "mmsimagemetadata.h"
#include "testpictures.h"

#include <QtTest>

// The exiv2 wrapper: reading the orientation, and copying metadata into another file.
class TestMmsImageMetadata : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void orientation_data();
    void orientation();
    void pictureWithoutExifIsNotValid();
    void unreadableFilesAreNotValid_data();
    void unreadableFilesAreNotValid();
    void writeCopiesMetadataWithNewOrientation();
    void writeIntoUnreadableTargetFails();

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestMmsImageMetadata::init()
{
    m_dir.reset(new QTemporaryDir);
}

void TestMmsImageMetadata::orientation_data()
{
    QTest::addColumn<int>("orientation");
    for (int orientation = 1; orientation <= 8; ++orientation) {
        QTest::addRow("%d", orientation) << orientation;
    }
}

void TestMmsImageMetadata::orientation()
{
    QFETCH(int, orientation);
    const QString path = TestPictures::writeJpeg(m_dir->filePath("a.jpg"), QSize(40, 30));
    TestPictures::setExifOrientation(path, orientation);

    const MmsImageMetadata metadata(path);
    QVERIFY(metadata.isValid());
    QCOMPARE(metadata.orientation(), orientation);
}

void TestMmsImageMetadata::pictureWithoutExifIsNotValid()
{
    const MmsImageMetadata metadata(
        TestPictures::writeJpeg(m_dir->filePath("a.jpg"), QSize(40, 30)));
    QVERIFY(!metadata.isValid());
    QCOMPARE(metadata.orientation(), 0);
}

void TestMmsImageMetadata::unreadableFilesAreNotValid_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("garbage") << QByteArray(500, 'q');
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("JPEG start only") << QByteArray("\xFF\xD8\xFF\xE1\x7F\xFF", 6);
}

void TestMmsImageMetadata::unreadableFilesAreNotValid()
{
    QFETCH(QByteArray, data);
    const QString path = m_dir->filePath("bad.jpg");
    TestPictures::writeFile(path, data);

    MmsImageMetadata metadata(path);
    QVERIFY(!metadata.isValid());
    QCOMPARE(metadata.orientation(), 0);
    metadata.setOrientation(1);
    QVERIFY(!metadata.write(m_dir->filePath("other.jpg")));
    QVERIFY(!MmsImageMetadata(m_dir->filePath("missing.jpg")).isValid());
}

void TestMmsImageMetadata::writeCopiesMetadataWithNewOrientation()
{
    const QString source = TestPictures::writeJpeg(m_dir->filePath("a.jpg"), QSize(40, 30));
    TestPictures::setExifOrientation(source, 6);
    TestPictures::setExifDescription(source, 10);
    const QString target = TestPictures::writeJpeg(m_dir->filePath("b.jpg"), QSize(30, 40));

    MmsImageMetadata metadata(source);
    metadata.setOrientation(1);
    QVERIFY(metadata.write(target));

    QCOMPARE(TestPictures::exifOrientation(target), 1);
    QCOMPARE(TestPictures::exifOrientation(source), 6);
    const MmsImageMetadata copied(target);
    QVERIFY(copied.isValid());
    QCOMPARE(QImage(target).size(), QSize(30, 40));
}

void TestMmsImageMetadata::writeIntoUnreadableTargetFails()
{
    const QString source = TestPictures::writeJpeg(m_dir->filePath("a.jpg"), QSize(40, 30));
    TestPictures::setExifOrientation(source, 3);
    const QString target = m_dir->filePath("b.jpg");
    TestPictures::writeFile(target, "not a picture");

    QVERIFY(!MmsImageMetadata(source).write(target));
    QVERIFY(!MmsImageMetadata(source).write(m_dir->filePath("missing/c.jpg")));
}

QTEST_GUILESS_MAIN(TestMmsImageMetadata)
#include "tst_mmsimagemetadata.moc"
