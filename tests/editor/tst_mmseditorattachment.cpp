#include "busserviceprocess.h"
#include "messagingtextedit.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmseditorattachment.h"
#include "mmsmainconfig.h"
#include "testpictures.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tktheme.h"
#include "videoencodinginterface.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(MmsEditorAttachment::CONTENT_TYPE)

namespace {

const QString encoderService = QStringLiteral("com.quenda.VideoEncoding");

// The duration text of a preview, which only the widget's family may read.
struct PreviewDuration : MMSAttachmentWidget
{
    static QString of(const MMSAttachmentWidget* preview)
    {
        return preview->*(&PreviewDuration::durationText);
    }
};

QString writeFile(const QString& path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size) ? path : QString();
}

} // namespace

class TstMmsEditorAttachment : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QScopedPointer<QWidget> m_page;
    TkLinearLayoutPolicy* m_slides = nullptr;
    QScopedPointer<BusServiceProcess> m_encoder;

    MmsEditorAttachment* addSlide(const QString& file, const QString& mime,
                                  const QString& text = QString())
    {
        return new MmsEditorAttachment(file, mime, m_slides, "uri:" + file, text, false,
                                       m_dir.filePath("temp"), false);
    }

    // The clip on a new slide, with the encoder behaving so ("" for none).
    MmsEditorAttachment* encode(const QString& behaviour, const QString& durationMs = "400")
    {
        m_encoder.reset(new BusServiceProcess);
        if (!behaviour.isEmpty() &&
            !m_encoder->start(DRAVEL_BINARY_DIR "/tests/fixtures/fakevideoencoder",
                              {behaviour, durationMs}, encoderService))
            qFatal("the encoder did not start");
        return addSlide(writeFile(m_dir.filePath("holiday.clip.mp4"), 2048), "video/mp4");
    }

    QProgressBar* progressOf(MmsEditorAttachment* slide)
    {
        return slide->thumbnail->findChild<QProgressBar*>("mmsEditorEncodingProgress");
    }

    // Label, progress bar and Cancel over the thumbnail; null until encoding starts.
    QWidget* overlayOf(MmsEditorAttachment* slide)
    {
        QProgressBar* progress = progressOf(slide);
        return progress ? progress->parentWidget() : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        MmsMainConfig config;
        config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_600KB);
        QVERIFY(config.save());
    }

    void init()
    {
        m_encoder.reset();
        m_page.reset(new QWidget);
        auto* layout = new TkLayout(m_page.data());
        m_slides = new TkLinearLayoutPolicy(layout, Qt::Vertical);
        layout->setPolicy(m_slides);
    }

    void contentTypeFollowsTheMimeType_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<MmsEditorAttachment::CONTENT_TYPE>("type");
        QTest::newRow("capital I") << "Image/JPEG" << MmsEditorAttachment::UNKNOWN;
        QTest::newRow("3GPP sound") << "audio/3gpp" << MmsEditorAttachment::AUDIO;
        QTest::newRow("3GPP video") << "video/3gpp" << MmsEditorAttachment::VIDEO;
        QTest::newRow("directory") << "text/directory" << MmsEditorAttachment::VCARD;
        QTest::newRow("vCard any case") << "text/x-vCard" << MmsEditorAttachment::VCARD;
        QTest::newRow("vCalendar upper case")
            << "TEXT/X-VCALENDAR" << MmsEditorAttachment::VCALENDAR;
        QTest::newRow("plain text") << "text/plain" << MmsEditorAttachment::TEXT;
    }

    void contentTypeFollowsTheMimeType()
    {
        QFETCH(QString, mime);
        QTEST(MmsEditorAttachment::contentTypeByMime(mime), "type");
    }

    void onlyPicturesHaveASizeLimit_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<qint64>("bytes"); // -1: no file
        QTest::addColumn<bool>("accepted");
        QTest::newRow("picture just under 10 MiB") << "image/jpeg" << qint64(10485759) << true;
        QTest::newRow("picture of 10 MiB") << "image/jpeg" << qint64(10485760) << false;
        QTest::newRow("missing picture") << "image/jpeg" << qint64(-1) << false;
        QTest::newRow("missing sound") << "audio/amr" << qint64(-1) << true;
        QTest::newRow("video of 20 MiB") << "video/mp4" << qint64(20971520) << true;
    }

    void onlyPicturesHaveASizeLimit()
    {
        QFETCH(QString, mime);
        QFETCH(qint64, bytes);
        const QString file = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(bytes < 0 || !writeFile(file, bytes).isEmpty());
        QTEST(MmsEditorAttachment::checkFileSize(file, mime), "accepted");
        QFile::remove(file);
    }

    // Text in characters (five here, six bytes in UTF-8), the file in bytes.
    void sizeCountsCharactersAndBytes()
    {
        const QString sound = writeFile(m_dir.filePath("tune.amr"), 1234);
        QScopedPointer<MmsEditorAttachment> slide(addSlide(sound, "audio/amr", "h\u00e9llo"));
        QCOMPARE(QList<qint64>({slide->size(true, false), slide->size(false, true),
                                slide->size(true, true), slide->size(false, false)}),
                 QList<qint64>({5, 1234, 1239, 0}));
    }

    void exifOrientationTurnsThePicture_data()
    {
        QTest::addColumn<int>("orientation"); // 0: no Exif, -1: not a picture
        QTest::addColumn<int>("rotation");
        const QList<QPair<int, int>> rows{{6, 90}, {8, -90}, {3, 180}, {1, 0}, {0, 0}, {-1, 0}};
        for (const auto& row : rows)
            QTest::addRow("orientation %d", row.first) << row.first << row.second;
    }

    // A file that is no picture gives a slide the page refuses.
    void exifOrientationTurnsThePicture()
    {
        QFETCH(int, orientation);
        const QString picture = m_dir.filePath("photo.jpg");
        if (orientation < 0)
            TestPictures::writeFile(picture, "not a picture");
        else
            TestPictures::writeJpeg(picture, QSize(64, 48));
        if (orientation > 0)
            TestPictures::setExifOrientation(picture, orientation);
        QScopedPointer<MmsEditorAttachment> slide(addSlide(picture, "image/jpeg"));
        QTEST(slide->rotation, "rotation");
        QCOMPARE(slide->invalid(), orientation < 0);
    }

    // Resized twice: the earlier copy, which nothing uses any more, is gone at once; undoing
    // gives the user's picture back and removes the copy.
    void resizedPictureCanBeUndone()
    {
        const QString original = TestPictures::writePng(m_dir.filePath("big.png"), QSize(64, 48));
        QScopedPointer<MmsEditorAttachment> slide(addSlide(original, "image/png"));
        const QString first = TestPictures::writeJpeg(m_dir.filePath("small0.jpg"), QSize(32, 24));
        slide->setResizedFileName(first);
        const QString second = TestPictures::writeJpeg(m_dir.filePath("small1.jpg"), QSize(32, 24));
        slide->setResizedFileName(second);
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->initialFileName,
                               slide->temporary, QFile::exists(first)}),
                 QVariantList({second, "image/jpeg", original, true, false}));

        QTest::ignoreMessage(QtDebugMsg, "The image resize was canceled;");
        slide->undoResize();
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->temporary,
                               QFile::exists(second), QFile::exists(original)}),
                 QVariantList({original, "image/png", false, false, true}));
    }

    void onlyTemporaryFilesAreDeleted_data()
    {
        QTest::addColumn<QString>("resizedTo"); // "copy", "itself" (it fits) or none
        QTest::addColumn<bool>("byDestruction");
        for (const char* resizedTo : {"copy", "itself", ""}) {
            QTest::addRow("%s, cleared", resizedTo) << QString(resizedTo) << false;
            QTest::addRow("%s, slide removed", resizedTo) << QString(resizedTo) << true;
        }
    }

    // The user's picture stays whatever happens to the slide; a copy the resize made goes.
    void onlyTemporaryFilesAreDeleted()
    {
        QFETCH(QString, resizedTo);
        QFETCH(bool, byDestruction);
        const QString original = TestPictures::writePng(m_dir.filePath("mine.png"), QSize(8, 8));
        const QString copy = TestPictures::writeJpeg(m_dir.filePath("copy.jpg"), QSize(8, 8));
        QScopedPointer<MmsEditorAttachment> slide(addSlide(original, "image/png"));
        if (!resizedTo.isEmpty())
            slide->setResizedFileName(resizedTo == "copy" ? copy : original);
        QCOMPARE(slide->temporary, resizedTo == "copy");
        if (byDestruction) {
            slide.reset();
            QCOMPARE(m_slides->count(), 0);
        } else {
            slide->clearTemporary();
        }
        QVERIFY(QFile::exists(original));
        QCOMPARE(QFile::exists(copy), resizedTo != "copy");
    }

    void encodedVideoReplacesTheClip_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("durationMs");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("under a second") << "succeed" << QString("400") << 1 << "00:01";
        QTest::newRow("over a minute, task announced before its id")
            << "early-succeed" << QString("61500") << 61 << "01:01";
    }

    void encodedVideoReplacesTheClip()
    {
        QFETCH(QString, behaviour);
        QFETCH(QString, durationMs);
        QFETCH(int, seconds);
        QScopedPointer<MmsEditorAttachment> slide(encode(behaviour, durationMs));
        const QString original = slide->fileName;
        QSignalSpy finished(slide.data(), &MmsEditorAttachment::resizeFinished);
        QVERIFY(finished.wait());
        // The request: file URIs, the profile and the size limit in KB.
        const QString encoded = m_dir.filePath("temp/holiday.3gp");
        QCOMPARE(m_encoder->outputLines().first(),
                 QStringList({"createTaskFromUri", QUrl::fromLocalFile(original).toString(),
                              QUrl::fromLocalFile(encoded).toString(), "com.quenda.mms-video-rich",
                              "600", "false"})
                     .join(' '));
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->initialFileName,
                               slide->initialMimeType, slide->durationSeconds, slide->temporary,
                               slide->encodingState}),
                 QVariantList({encoded, "video/3gpp", original, "video/mp4", seconds, true, 0}));
        QTEST(PreviewDuration::of(qobject_cast<MMSAttachmentWidget*>(slide->thumbnail)), "shown");
        QTRY_VERIFY(overlayOf(slide.data())->isHidden());
        // Only a picture goes back to its original.
        slide->undoResize();
        QCOMPARE(slide->fileName, encoded);
        QVERIFY(QFile::exists(encoded));
    }

    void everyEncodingFailureKeepsTheClip_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::newRow("service absent") << QString();
        QTest::newRow("error reply") << "error-reply";
        QTest::newRow("creation fails") << "fail-creation";
        QTest::newRow("start refused") << "refuse-start";
        QTest::newRow("encoding fails") << "fail-encoding";
        QTest::newRow("service vanishes") << "vanish";
    }

    void everyEncodingFailureKeepsTheClip()
    {
        QFETCH(QString, behaviour);
        QScopedPointer<MmsEditorAttachment> slide(encode(behaviour));
        const QString original = slide->fileName;
        QSignalSpy failed(slide.data(), &MmsEditorAttachment::resizeFailed);
        QVERIFY(failed.wait());
        QCOMPARE(QVariantList({failed.first().first(), slide->fileName, slide->encodingState,
                               slide->temporary, slide->taskId}),
                 QVariantList({original, original, 3, false, QString()}));
        if (QWidget* overlay = overlayOf(slide.data()))
            QTRY_VERIFY(overlay->isHidden());
        QCOMPARE(failed.count(), 1);
    }

    // Cancel on a task that stalled at three of four; the service's report of the cancelled task
    // is not a failure.
    void cancelEndsTheTask()
    {
        QScopedPointer<MmsEditorAttachment> slide(encode("stall"));
        const QString original = slide->fileName;
        QSignalSpy canceled(slide.data(), &MmsEditorAttachment::resizeCanceled);
        QSignalSpy failed(slide.data(), &MmsEditorAttachment::resizeFailed);
        VideoEncodingInterface service(encoderService, "/", QDBusConnection::sessionBus());
        QSignalSpy reports(&service, &VideoEncodingInterface::taskFinished);
        QTRY_COMPARE(progressOf(slide.data()) ? progressOf(slide.data())->value() : -1, 75);
        slide->thumbnail->findChild<QPushButton*>()->click();
        QTRY_VERIFY(overlayOf(slide.data())->isHidden());
        QCOMPARE(QVariantList({canceled.count(), canceled.value(0).value(0), slide->taskId}),
                 QVariantList({1, original, QString()}));
        QVERIFY(m_encoder->waitForLine("cancelTask task-1"));
        QVERIFY(QFile::exists(original));
        QVERIFY(!reports.isEmpty() || reports.wait());
        QCOMPARE(failed.count(), 0);
    }
};

QTEST_MAIN(TstMmsEditorAttachment)
#include "tst_mmseditorattachment.moc"
