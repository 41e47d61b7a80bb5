#include "mmsimagemetadata.h"
#include "mmsjpegscanner.h"
#include "mmsresizer.h"
#include "mmsresizethread.h"
#include "testpictures.h"

#include <QImageReader>
#include <QtTest>

// Stand-in for the editor page: the class name, signal and slot the resize thread looks for.
class MmsEditorPage : public QObject
{
    Q_OBJECT
public:
    QList<QVariantList> results;
signals:
    void startPictureResize(QStringList fileNames, int maxSize, QString tempFolder);
    void resultReceived();
public slots:
    void slotOnPictureResizeFinished(QStringList newFileNames, bool status)
    {
        results.append({newFileNames, status});
        emit resultReceived();
    }
};

namespace {
const char notEditorPage[] =
    "[MMS-RESIZE-THREAD] Parent is not MmsEditorPage. Need to connect signals";
const QString estimateLine = "[MMS-EDITOR] Estimate maximum size of each images: %1";
const QString tooSmall =
    "[MMS-EDITOR] The estimate size of each image is so small, resize is not possible!";
const QString noVariant = "[MMS-EDITOR] There are not apropriate resize variants, failed resize!";

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

// The resize library: whether a JPEG file is complete, its Exif metadata, then MmsResizer and its
// thread: the searches over the variant table, then real pictures made by the test: unique names,
// the reuse of fitting files, scaling, Exif rotation, the budget split and every failure path of
// a request.
class TestMmsResizer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_resizer.reset(new MmsResizer);
        m_root.reset(new QTemporaryDir);
        QDir root(m_root->path());
        QVERIFY(root.mkdir("sources") && root.mkdir("temp"));
        m_sources = QDir(root.filePath("sources"));
        m_targets = QDir(root.filePath("temp"));
    }

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
        const QString path = sourcePath("picture.jpg");
        if (!data.isNull())
            TestPictures::writeFile(path, data);
        QCOMPARE(MmsJpegScanner::isComplete(path), complete);
    }

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
        const QString path = TestPictures::writeJpeg(sourcePath("a.jpg"), QSize(40, 30));
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
        const QString path = sourcePath("bad.jpg");
        if (data != "-")
            TestPictures::writeFile(path, data);
        MmsImageMetadata metadata(path);
        QVERIFY(!metadata.isValid());
        QCOMPARE(metadata.orientation(), 0);
        metadata.setOrientation(1);
        QVERIFY(!metadata.write(TestPictures::writeJpeg(sourcePath("b.jpg"), QSize(30, 40))));
    }

    // Into a picture; a file that is none, or none at all, cannot take it.
    void writeCopiesMetadataWithNewOrientation()
    {
        const QString source = TestPictures::writeJpeg(sourcePath("a.jpg"), QSize(40, 30));
        TestPictures::setExifOrientation(source, 6);
        TestPictures::setExifDescription(source, 10);
        const QString target = TestPictures::writeJpeg(sourcePath("b.jpg"), QSize(30, 40));
        MmsImageMetadata metadata(source);
        metadata.setOrientation(1);
        QVERIFY(metadata.write(target));
        QCOMPARE(TestPictures::exifOrientation(target), 1);
        QCOMPARE(TestPictures::exifOrientation(source), 6);
        QCOMPARE(QImage(target).size(), QSize(30, 40));
        TestPictures::writeFile(sourcePath("c.jpg"), "not a picture");
        QVERIFY(!metadata.write(sourcePath("c.jpg")));
        QVERIFY(!metadata.write(sourcePath("missing/d.jpg")));
    }

    // The first fitting row wins: 1024/50 (184320) comes before 640/90 (199680), 320/70 (34816)
    // before 240/90 (35840).
    void findResizeVariant_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::newRow("exactly the largest") << 368640 << 1024 << 90;
        QTest::newRow("one byte below the largest") << 368639 << 1024 << 85;
        QTest::newRow("row 6 exactly") << 184320 << 1024 << 50;
        QTest::newRow("below row 6 skips 640/90") << 184319 << 640 << 85;
        QTest::newRow("240/90 is never picked") << 35840 << 320 << 70;
        QTest::newRow("smallest row") << 14336 << 240 << 50;
        QTest::newRow("below the smallest") << 14335 << -1 << -1;
    }
    void findResizeVariant()
    {
        QFETCH(int, size);
        QFETCH(int, width);
        QFETCH(int, quality);
        int found[2] = {-1, -1};
        QCOMPARE(m_resizer->findResizeVariant(size, found[0], found[1]), width > 0);
        QCOMPARE(QPoint(found[0], found[1]), QPoint(width, quality));
    }

    // Narrower at the same quality, then at width 240 lower quality; an unknown pair and the last
    // row have no successor and leave the outputs (7) untouched.
    void findSmallerResizeVariant_data()
    {
        QTest::addColumn<int>("oldWidth");
        QTest::addColumn<int>("oldQuality");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::addColumn<QString>("warning");
        const QString noNarrower = "Failed to find record for old width & quality: ";
        QTest::newRow("1024/90 keeps quality") << 1024 << 90 << 640 << 90 << "";
        QTest::newRow("320/50") << 320 << 50 << 240 << 50 << "";
        QTest::newRow("240/90 lowers quality") << 240 << 90 << 240 << 85 << noNarrower + "240 , 90";
        QTest::newRow("last row") << 240 << 50 << 7 << 7 << noNarrower + "240 , 50";
        QTest::newRow("unknown") << 1024 << 75 << 7 << 7 << "Wrong old width & quality: 1024 , 75";
    }
    void findSmallerResizeVariant()
    {
        QFETCH(int, oldWidth);
        QFETCH(int, oldQuality);
        QFETCH(int, width);
        QFETCH(int, quality);
        QFETCH(QString, warning);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        int found[2] = {7, 7};
        QCOMPARE(m_resizer->findSmallerResizeVariant(oldWidth, oldQuality, found[0], found[1]),
                 width != 7);
        QCOMPARE(QPoint(found[0], found[1]), QPoint(width, quality));
    }

    void uniqueName_data()
    {
        QTest::addColumn<int>("occupied");
        QTest::addColumn<QString>("expected");
        QTest::newRow("free") << 0 << "photo.jpg";
        QTest::newRow("plain taken") << 1 << "photo_001.jpg";
        QTest::newRow("last usable") << 1022 << "photo_1022.jpg";
        QTest::newRow("all usable taken") << 1023 << "";
    }
    void uniqueName()
    {
        QFETCH(int, occupied);
        QFETCH(QString, expected);
        const auto numbered = [this](int i) {
            return targetPath(i == 0 ? "photo.jpg"
                                     : QString("photo_%1.jpg").arg(i, 3, 10, QChar('0')));
        };
        for (int index = 0; index < occupied; ++index)
            TestPictures::writeFile(numbered(index), "x");
        useTargetDirectory();
        for (int counter = 1; counter <= occupied; ++counter)
            QTest::ignoreMessage(
                QtDebugMsg,
                qPrintable(QString("Try to use \"%1\" file name;").arg(numbered(counter))));
        if (expected.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, "Failed to prepare name for resized file!");
        QCOMPARE(m_resizer->generateUniqueFileName("photo"),
                 expected.isEmpty() ? QString() : targetPath(expected));
    }

    void uniqueNameForPngSource()
    {
        TestPictures::writeFile(targetPath("photo.jpg"), "x");
        TestPictures::writeFile(targetPath("photo_001.jpg"), "x");
        const QString source = TestPictures::writePng(sourcePath("photo.png"), QSize(2000, 1500));
        const QString result = targetPath("photo_002.jpg");
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QString("Resized file name is: \"%1\"").arg(result)));
        QCOMPARE(request({source}, 368640), answer({result}, true));
        QCOMPARE(QImageReader(result).format(), QByteArray("jpeg"));
    }

    void fittingPictureReturnedUntouched_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("small JPEG") << "small.jpg" << QSize(320, 240);
        QTest::newRow("JPEG of exactly 1600 x 1200") << "edge.jpg" << QSize(1600, 1200);
        QTest::newRow("small PNG") << "small.png" << QSize(320, 240);
    }
    void fittingPictureReturnedUntouched()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QString source = sourcePath(name);
        TestPictures::picture(size).save(source);
        const QByteArray before = TestPictures::readFile(source);
        QCOMPARE(request({source}, 368640), answer({source}, true));
        QCOMPARE(TestPictures::readFile(source), before);
        QVERIFY(targetFiles().isEmpty());
        int reached = 0;
        QString resultPath;
        QVERIFY(m_resizer->resize(source, 1024, 90, 368640, reached, resultPath));
        QCOMPARE(reached, before.size());
        QCOMPARE(resultPath, source);
    }

    void largePictureUnderBudgetBecomesMaximumResolution_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("landscape 2592 x 1944") << QSize(2592, 1944) << QSize(1600, 1200);
        QTest::newRow("portrait 1944 x 2592") << QSize(1944, 2592) << QSize(900, 1200);
        QTest::newRow("just too wide") << QSize(1601, 1000) << QSize(1600, 999);
    }
    // Encoded at the encoder's default quality, not at the variant's 90.
    void largePictureUnderBudgetBecomesMaximumResolution()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, expected);
        const QString source = TestPictures::writeJpeg(sourcePath("camera.jpg"), size);
        QVERIFY(QFileInfo(source).size() < 368640);
        QTest::ignoreMessage(QtDebugMsg, "Resizing image to maximum resolution");
        QCOMPARE(request({source}, 368640), answer({targetPath("camera.jpg")}, true));
        QImageReader reference(source);
        reference.setScaledSize(expected);
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        QVERIFY(reference.read().save(&encoded, "JPG", -1));
        QCOMPARE(TestPictures::readFile(targetPath("camera.jpg")), encoded.data());
    }

    // 1 is upright; mirrored ones are not rotated. The source keeps its own metadata.
    void exifOrientation_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("blue");
        const QSize landscape(400, 200), portrait(200, 400);
        const QPoint left(50, 100), right(350, 100), top(100, 50), bottom(100, 350);
        for (int orientation : {1, 2, 4, 5, 7})
            QTest::addRow("%d", orientation) << orientation << 0 << landscape << left << right;
        QTest::newRow("3 upside down") << 3 << 180 << landscape << right << left;
        QTest::newRow("6 turned clockwise") << 6 << 90 << portrait << top << bottom;
        QTest::newRow("8 turned anticlockwise") << 8 << -90 << portrait << bottom << top;
    }
    void exifOrientation()
    {
        QFETCH(int, orientation);
        QFETCH(int, angle);
        QFETCH(QSize, size);
        QFETCH(QPoint, red);
        QFETCH(QPoint, blue);
        const QString source = TestPictures::writeJpeg(sourcePath("turned.jpg"), QSize(400, 200));
        TestPictures::setExifOrientation(source, orientation);
        useTargetDirectory();
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("[MMS-ATTACHMENT] Exif orientation "
                                                            "angle %1")
                                                        .arg(angle)));
        int reached = 0;
        QString resultPath;
        QVERIFY(m_resizer->resize(source, 1024, 90, 1, reached, resultPath));
        QCOMPARE(resultPath, targetPath("turned.jpg"));
        QCOMPARE(reached, int(QFileInfo(resultPath).size()));
        const QImage result(resultPath);
        QCOMPARE(result.size(), size);
        QVERIFY(TestPictures::isReddish(result.pixel(red)));
        QVERIFY(TestPictures::isBluish(result.pixel(blue)));
        QCOMPARE(TestPictures::exifOrientation(resultPath), 1);
        QCOMPARE(TestPictures::exifOrientation(source), orientation);
    }

    // A noisy picture does not fit at 1024 / 50, so the next attempt shrinks what the first one
    // decoded.
    void stepDownKeepsRotationAndShape()
    {
        const QString source =
            TestPictures::writeJpeg(sourcePath("turned.jpg"), QSize(2000, 1500), 120);
        TestPictures::setExifOrientation(source, 6);
        QTest::ignoreMessage(QtDebugMsg,
                             "Resize variant selected: 184320 , width: 1024 , quality: 50");
        const QVariantList result = request({source}, 190000);
        QCOMPARE(result.value(1), QVariant(true));
        const QString path = result.value(0).toStringList().value(0);
        QVERIFY2(targetFiles().size() > 1, "no step-down happened");
        const QImage picture(path);
        QVERIFY(picture.height() <= 640);
        QCOMPARE(picture.size(), QSize(picture.height() * 3 / 4, picture.height()));
        QVERIFY(TestPictures::isReddish(picture.pixel(picture.width() / 2, picture.height() / 4)));
        QVERIFY(
            TestPictures::isBluish(picture.pixel(picture.width() / 2, picture.height() * 3 / 4)));
        QCOMPARE(TestPictures::exifOrientation(path), 1);
        QVERIFY(QFileInfo(path).size() <= 190000);
    }

    void twoPicturesShareTheBudget()
    {
        const QStringList sources = {
            TestPictures::writeJpeg(sourcePath("one.jpg"), QSize(2592, 1944), 40),
            TestPictures::writeJpeg(sourcePath("two.jpg"), QSize(2592, 1944), 40)};
        QTest::ignoreMessage(QtDebugMsg, qPrintable(estimateLine.arg(150000)));
        const QStringList result = {targetPath("one.jpg"), targetPath("two.jpg")};
        QCOMPARE(request(sources, 300000), answer(result, true));
        for (const QString& path : result) {
            QVERIFY(QFileInfo(path).size() <= 150000);
            QVERIFY(QImageReader(path).size().width() <= 640);
        }
    }

    // Fits at 1024 / 50 on its own; the grainy one must go down to 640 / 50.
    void stepDownCarriesOverToTheNextPicture()
    {
        const QString calm = TestPictures::writeJpeg(sourcePath("calm.jpg"), QSize(2000, 1500), 10);
        const QString grainy =
            TestPictures::writeJpeg(sourcePath("grainy.jpg"), QSize(2000, 1500), 120);
        const auto widths = [this](const QStringList& sources) {
            QList<int> found;
            const QVariantList result = request(sources, sources.size() * 190000);
            for (const QString& path : result.value(0).toStringList())
                found << QImageReader(path).size().width();
            return result.value(1).toBool() ? found : QList<int>();
        };
        QCOMPARE(widths({calm}), QList<int>{1024});
        QCOMPARE(widths({grainy, calm}), (QList<int>{640, 640}));
    }

    void requestFailsBeforeAnyFile_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("budget");
        QTest::addColumn<QString>("message");
        QTest::newRow("no pictures") << 0 << 300000 << "";
        QTest::newRow("estimate 0") << 2 << 1 << tooSmall;
        QTest::newRow("estimate below the smallest variant") << 2 << 2 * 14335 << noVariant;
        QTest::newRow("negative budget") << 2 << -1000 << noVariant;
    }
    void requestFailsBeforeAnyFile()
    {
        QFETCH(int, pictures);
        QFETCH(int, budget);
        QFETCH(QString, message);
        QStringList sources;
        for (int i = 0; i < pictures; ++i)
            sources << TestPictures::writeJpeg(sourcePath(QString("%1.jpg").arg(i)),
                                               QSize(320, 240));
        if (!message.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
        QCOMPARE(request(sources, budget), answer(sources, false));
        QVERIFY(targetFiles().isEmpty());
    }

    void fileFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("badFirst");
        for (const char* kind : {"missing", "not a picture", "truncated", "header only"}) {
            QTest::addRow("%s first", kind) << kind << true;
            QTest::addRow("%s second", kind) << kind << false;
        }
    }
    // A failing file ends the request with the results before it and false; its attempt leaves no
    // file behind.
    void fileFailure()
    {
        QFETCH(QString, kind);
        QFETCH(bool, badFirst);
        const QString good = TestPictures::writeJpeg(sourcePath("good.jpg"), QSize(320, 240));
        const QString bad = sourcePath("bad.jpg");
        const QByteArray camera = TestPictures::jpegData(QSize(2000, 1500));
        const QMap<QString, QByteArray> content{{"not a picture", QByteArray(4000, 'z')},
                                                {"truncated", camera.left(camera.size() * 3 / 5)},
                                                {"header only", camera.left(700)}};
        if (content.contains(kind))
            TestPictures::writeFile(bad, content.value(kind));
        QTest::ignoreMessage(QtDebugMsg, "[MMS-EDITOR] Failed to resize attachment");
        QCOMPARE(request(badFirst ? QStringList{bad, good} : QStringList{good, bad}, 368640),
                 answer(badFirst ? QStringList() : QStringList{good}, false));
        QVERIFY(targetFiles().isEmpty());
    }

    // A plain file where the folder should be cannot take files, even for root.
    void unwritableTargetFails()
    {
        const QString source = TestPictures::writeJpeg(sourcePath("camera.jpg"), QSize(2000, 1500));
        m_targets = QDir(sourcePath("not-a-folder"));
        TestPictures::writeFile(m_targets.path(), "x");
        QTest::ignoreMessage(QtDebugMsg, "Failed to create temporary file!");
        QCOMPARE(request({source}, 368640), answer({}, false));
    }

    // Its metadata alone is larger than the budget, and the metadata goes into every result:
    // 240/70, 240/60 and 240/50 are tried, each under a fresh name, and stay.
    void pictureThatCannotGetUnderSmallestVariant()
    {
        const QString source = TestPictures::writeJpeg(sourcePath("heavy.jpg"), QSize(400, 300));
        TestPictures::setExifDescription(source, 40000);
        QTest::ignoreMessage(QtDebugMsg,
                             "Resize variant selected: 18432 , width: 240 , quality: 70");
        QTest::ignoreMessage(
            QtDebugMsg, "[MMS-EDITOR] Failed to resize attachment, wrong new width & quality.");
        QCOMPARE(request({source}, 20000), answer({}, false));
        QCOMPARE(targetFiles(), (QStringList{"heavy.jpg", "heavy_001.jpg", "heavy_002.jpg"}));
    }

    // A headless sender may ask before the thread has made its resizer: the request waits. The
    // answers come to the owner's thread, once each, in order.
    void threadAnswersAPlainOwnerInOrder()
    {
        const QString picture = TestPictures::writeJpeg(sourcePath("small.jpg"), QSize(320, 240));
        QObject owner;
        MmsResizeThread thread(&owner);
        QSignalSpy finished(&thread, &MmsResizeThread::resizeFinished);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("[MMS-RESIZE-THREAD] Start resize "
                                                            "(\"%1\") 368640 \"%2\"")
                                                        .arg(picture, m_targets.path())));
        thread.startResize({picture}, 368640, m_targets.path());
        QTest::ignoreMessage(QtCriticalMsg, notEditorPage);
        thread.start();
        thread.startResize({}, 368640, m_targets.path());
        thread.startResize({picture}, 1, m_targets.path());
        while (finished.count() < 3)
            QVERIFY(finished.wait());
        QCOMPARE(finished, (QList<QVariantList>{answer({picture}, true), answer({}, false),
                                                answer({picture}, false)}));
        QVERIFY(!finished.wait(100));
        thread.quit();
        QVERIFY(thread.wait());
    }

    // The first answer shows the thread's loop runs, so the page's own signal is connected by then.
    void threadConnectsTheEditorPageDirectly()
    {
        const QString picture = TestPictures::writeJpeg(sourcePath("small.jpg"), QSize(320, 240));
        MmsEditorPage page;
        MmsResizeThread thread(&page);
        QSignalSpy pageResults(&page, &MmsEditorPage::resultReceived);
        QSignalSpy threadResults(&thread, &MmsResizeThread::resizeFinished);
        thread.start();
        thread.startResize({}, 368640, m_targets.path());
        QVERIFY(pageResults.wait());
        emit page.startPictureResize({picture, sourcePath("missing.jpg")}, 368640,
                                     m_targets.path());
        QVERIFY(pageResults.wait());
        QCOMPARE(page.results, (QList<QVariantList>{answer({}, false), answer({picture}, false)}));
        QCOMPARE(threadResults.count(), 0);
        thread.quit();
        QVERIFY(thread.wait());
    }

private:
    QString sourcePath(const QString& name) const { return m_sources.filePath(name); }
    QString targetPath(const QString& name) const { return m_targets.filePath(name); }
    QStringList targetFiles() const
    {
        return m_targets.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static QVariantList answer(const QStringList& files, bool status) { return {files, status}; }

    // Runs one request: the arguments of its one resizeFinished, empty when it came not once.
    QVariantList request(const QStringList& files, int budget)
    {
        QSignalSpy finished(m_resizer.data(), &MmsResizer::resizeFinished);
        m_resizer->startResize(files, budget, m_targets.path());
        return finished.count() == 1 ? finished.first() : QVariantList();
    }

    // A request, even an empty one, sets the target directory.
    void useTargetDirectory() { m_resizer->startResize({}, 0, m_targets.path()); }

    QScopedPointer<QTemporaryDir> m_root;
    QDir m_sources;
    QDir m_targets;
    QScopedPointer<MmsResizer> m_resizer;
};

QTEST_GUILESS_MAIN(TestMmsResizer)
#include "tst_mmsresizer.moc"
