#include "mmsimagemetadata.h"
#include "testpictures.h"

#include <QtTest>

// The exiv2 wrapper: reading the orientation, and copying metadata into another file.
class TestMmsImageMetadata : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir.reset(new QTemporaryDir); }

    // 0: a picture without Exif, which is not valid either.
    void orientation_data()
    {
        QTest::addColumn<int>("orientation");
        for (int orientation = 0; orientation <= 8; ++orientation)
            QTest::addRow("%d", orientation) << orientation;
    }
    void orientation()
    {
        QFETCH(int, orientation);
        const QString path = TestPictures::writeJpeg(m_dir->filePath("a.jpg"), QSize(40, 30));
        if (orientation > 0)
            TestPictures::setExifOrientation(path, orientation);
        const MmsImageMetadata metadata(path);
        QCOMPARE(metadata.isValid(), orientation > 0);
        QCOMPARE(metadata.orientation(), orientation);
    }

    void unreadableFilesAreNotValid_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("garbage") << QByteArray(500, 'q');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("JPEG start only") << QByteArray("\xFF\xD8\xFF\xE1\x7F\xFF", 6);
        QTest::newRow("missing") << QByteArray("-");
    }
    void unreadableFilesAreNotValid()
    {
        QFETCH(QByteArray, data);
        const QString path = m_dir->filePath("bad.jpg");
        if (data != "-")
            TestPictures::writeFile(path, data);
        MmsImageMetadata metadata(path);
        QVERIFY(!metadata.isValid());
        QCOMPARE(metadata.orientation(), 0);
        metadata.setOrientation(1);
        QVERIFY(!metadata.write(TestPictures::writeJpeg(m_dir->filePath("b.jpg"), QSize(30, 40))));
    }

    // Into a picture; a file that is none, or none at all, cannot take it.
    void writeCopiesMetadataWithNewOrientation()
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
        QCOMPARE(QImage(target).size(), QSize(30, 40));

        TestPictures::writeFile(m_dir->filePath("c.jpg"), "not a picture");
        QVERIFY(!metadata.write(m_dir->filePath("c.jpg")));
        QVERIFY(!metadata.write(m_dir->filePath("missing/d.jpg")));
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestMmsImageMetadata)
#include "tst_mmsimagemetadata.moc"
