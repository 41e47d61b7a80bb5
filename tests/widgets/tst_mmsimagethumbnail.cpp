#include "imagemedia.h"
#include "mmsattachmentwidget.h"
#include "mmsbubbleicon.h"
#include "thumbnailcreator.h"
#include "thumbnailer.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class AttachmentProbe : public MMSAttachmentWidget
{
public:
    using MMSAttachmentWidget::hasThumbnail;
    using MMSAttachmentWidget::MMSAttachmentWidget;
    using MMSAttachmentWidget::pixmap;
    using MMSAttachmentWidget::previousPixmap;
    using MMSAttachmentWidget::transition;
    using MMSAttachmentWidget::usesThumbnail;
};

class BubbleProbe : public MMSBubbleIcon
{
public:
    using MMSBubbleIcon::contentSize;
    using MMSBubbleIcon::hasThumbnail;
    using MMSBubbleIcon::MMSBubbleIcon;
    using MMSBubbleIcon::pixmap;
};

// Collects the image widgets' "[MMS-UI]" lines about thumbnail requests.
QStringList& requestLines()
{
    static QStringList lines;
    return lines;
}

QtMessageHandler previousHandler = nullptr;

void recordRequests(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("[MMS-UI] Requesting icon") ||
        message.startsWith("[MMS-UI] Icon for file already exists")) {
        requestLines() << message;
    }
    previousHandler(type, context, message);
}

} // namespace

// The image widgets against a fake thumbnail service on the test's private bus.
class TstMmsImageThumbnail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDBusServiceWatcher watcher("org.freedesktop.thumbnails.Thumbnailer1",
                                    QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        m_service.start(QStringLiteral(DRAVEL_BINARY_DIR "/tests/fixtures/fakethumbnailer"),
                        QStringList());
        QVERIFY(m_service.waitForStarted());
        QVERIFY(registered.wait());
        previousHandler = qInstallMessageHandler(recordRequests);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(previousHandler);
        m_service.kill();
        m_service.waitForFinished();
    }

    void init()
    {
        requestLines().clear();
        queuedByService();
    }

    void thumbnailReplacesThePictureOnceWithAFade()
    {
        const QString file =
            imagemedia::writePicture(m_dir.filePath("sea.png"), 400, 300, Qt::blue);
        AttachmentProbe widget(file, "image/png", 0, false);
        widget.setPreferredSize(QSize(200, 150));
        widget.ensurePolished();
        const QImage before = widget.pixmap.toImage();
        // The service makes its thumbnail of the file as it is then.
        imagemedia::writePicture(file, 400, 300, Qt::green);

        Thumbnailer* client = ThumbnailCreator::thumbnailer();
        QSignalSpy thumbnails(client, &Thumbnailer::thumbnail);
        widget.updateIcon();
        QCOMPARE(requestLines().size(), 0); // queued, not at once
        QTRY_COMPARE(requestLines().size(), 1);
        QVERIFY(requestLines().first().startsWith("[MMS-UI] Requesting icon for file:"));

        // Another file's thumbnail changes nothing.
        const QUrl other = QUrl::fromLocalFile(m_dir.filePath("other.png"));
        emit client->thumbnail(other, QUrl::fromLocalFile(file), QPixmap(), "normal");
        QVERIFY(!widget.hasThumbnail);
        QCOMPARE(widget.pixmap.toImage(), before);

        QVERIFY(thumbnails.wait());
        QCOMPARE(thumbnails.last().at(0).toUrl(), QUrl::fromLocalFile(file));
        QVERIFY(widget.hasThumbnail);
        QVERIFY(widget.usesThumbnail);
        QCOMPARE(widget.previousPixmap.toImage(), before);
        QCOMPARE(widget.pixmap.toImage().pixelColor(100, 75), QColor(Qt::green));
        QCOMPARE(widget.pixmap.size(), QSize(200, 150));
        QCOMPARE(widget.transition.state(), QAbstractAnimation::Running);
        QCOMPARE(widget.transition.duration(), 500);
        QCOMPARE(widget.transition.endValue().toFloat(), 1.0f);
        QTRY_COMPARE(widget.transition.state(), QAbstractAnimation::Stopped);
        QCOMPARE(widget.transitionOpacity(), 1.0f);
        QCOMPARE(queuedByService(),
                 QStringList("Queue normal " + QUrl::fromLocalFile(file).toEncoded()));

        // Once shown, the thumbnail is not asked for again, and a late signal for
        // the same file no longer reaches the widget.
        const QImage after = widget.pixmap.toImage();
        widget.updateIcon();
        QCoreApplication::processEvents();
        emit client->thumbnail(QUrl::fromLocalFile(file), QUrl::fromLocalFile(file), QPixmap(),
                               "normal");
        QCOMPARE(requestLines().size(), 1);
        QCOMPARE(widget.pixmap.toImage(), after);

        // A style change after the thumbnail keeps it.
        widget.setPreferredSize(QSize(300, 300));
        QCoreApplication::processEvents();
        QCOMPARE(widget.pixmap.toImage(), after);
    }

    void cachedThumbnailServesWithoutRequest()
    {
        const QString file =
            imagemedia::writePicture(m_dir.filePath("seen.png"), 400, 300, Qt::red);
        const QString cached = Thumbnailer::thumbnailPath(QUrl::fromLocalFile(file), "normal");
        QVERIFY(QDir().mkpath(QFileInfo(cached).path()));
        QVERIFY(!imagemedia::writePicture(cached, 128, 96, Qt::green).isEmpty());

        AttachmentProbe widget(file, "image/png", 0, false);
        widget.setPreferredSize(QSize(200, 150));
        widget.ensurePolished();
        widget.updateIcon();
        QTRY_VERIFY(widget.hasThumbnail);
        QCOMPARE(requestLines().size(), 1);
        QVERIFY(requestLines().first().startsWith("[MMS-UI] Icon for file already exists:"));
        QCOMPARE(widget.pixmap.toImage().pixelColor(100, 75), QColor(Qt::green));
        QVERIFY(queuedByService().isEmpty());
    }

    void videoAsksForTheVideoFlavor()
    {
        const QString file =
            imagemedia::writeBytes(m_dir.filePath("clip.mp4"), "not really a video");
        AttachmentProbe widget(file, "video/mp4", 0, false);
        widget.setPreferredSize(QSize(200, 150));
        widget.ensurePolished();
        widget.updateIcon();
        QStringList queued;
        QTRY_VERIFY(!(queued << queuedByService()).isEmpty());
        QCOMPARE(queued, QStringList("Queue large " + QUrl::fromLocalFile(file).toEncoded()));
        QVERIFY(!widget.hasThumbnail);
    }

    void unreadableThumbnailKeepsTheContent()
    {
        const QString file = imagemedia::writePicture(m_dir.filePath("kept.png"), 40, 30, Qt::red);
        const QString bogus = imagemedia::writeBytes(m_dir.filePath("bogus.png"), "no picture");
        AttachmentProbe widget(file, "image/png", 0, false);
        widget.setPreferredSize(QSize(200, 150));
        widget.ensurePolished();
        const QImage before = widget.pixmap.toImage();
        QTest::ignoreMessage(QtWarningMsg,
                             QString("[MMS-UI] Unreadable thumbnail \"%1\"").arg(bogus).toUtf8());
        widget.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(bogus), QPixmap());
        QVERIFY(!widget.hasThumbnail);
        QVERIFY(!widget.usesThumbnail);
        QCOMPARE(widget.pixmap.toImage(), before);

        BubbleProbe icon(file, "image/png");
        icon.setMimeType("image/png");
        QTest::ignoreMessage(QtWarningMsg,
                             QString("[MMS-UI] Unreadable thumbnail \"%1\"").arg(bogus).toUtf8());
        icon.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(bogus), QPixmap());
        QVERIFY(!icon.hasThumbnail);
        QCOMPARE(icon.pixmap.toImage(), icon.pixmapForMime(QSize(64, 64)).toImage());
    }

    void bubbleIconCutsTheThumbnailToItsShape()
    {
        const QString file = imagemedia::writePicture(m_dir.filePath("face.png"), 30, 30, Qt::blue);
        const QString thumbnail =
            imagemedia::writePicture(m_dir.filePath("face-thumbnail.png"), 128, 128, Qt::red);
        BubbleProbe icon(file, "image/png");
        icon.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(thumbnail), QPixmap());
        QVERIFY(icon.hasThumbnail);
        QCOMPARE(icon.contentSize, QSize(64, 64));
        const QImage shown = icon.pixmap.toImage();
        QCOMPARE(shown.size(), QSize(64, 64));
        QCOMPARE(shown.pixelColor(32, 32), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(0, 0).alpha(), 0);

        // A new type brings back the type's icon and allows a new thumbnail.
        icon.setMimeType("audio/amr");
        QVERIFY(!icon.hasThumbnail);
        QCOMPARE(icon.pixmap.toImage(), icon.pixmapForMime(QSize(64, 64)).toImage());
    }

    void bubbleIconAsksWhenTheViewStops()
    {
        const QString file =
            imagemedia::writePicture(m_dir.filePath("scroll.png"), 30, 30, Qt::red);
        BubbleProbe icon(file, "image/png");
        icon.onMoving(true);
        QCoreApplication::processEvents();
        QVERIFY(requestLines().isEmpty());
        icon.onMoving(false);
        QStringList queued;
        QTRY_VERIFY(!(queued << queuedByService()).isEmpty());
        QCOMPARE(queued, QStringList("Queue normal " + QUrl::fromLocalFile(file).toEncoded()));
        QCOMPARE(requestLines().size(), 1);
    }

private:
    QStringList queuedByService()
    {
        return QString::fromUtf8(m_service.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    QTemporaryDir m_dir;
    QProcess m_service;
};

QTEST_MAIN(TstMmsImageThumbnail)
#include "tst_mmsimagethumbnail.moc"
