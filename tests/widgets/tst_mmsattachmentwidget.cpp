#include "imagemedia.h"
#include "mmsattachmentwidget.h"

#include <QMovie>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Opens the widget's state to the test.
class AttachmentProbe : public MMSAttachmentWidget
{
public:
    using MMSAttachmentWidget::contentSize;
    using MMSAttachmentWidget::labelPixmap;
    using MMSAttachmentWidget::MMSAttachmentWidget;
    using MMSAttachmentWidget::movie;
    using MMSAttachmentWidget::pixmap;
};

QColor pixelAt(const QPixmap& pixmap, int x, int y)
{
    return pixmap.toImage().pixelColor(x, y);
}

// Whether the colour is near the expected one (smooth scaling blurs edges).
bool isNear(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) < 40 &&
           qAbs(actual.green() - expected.green()) < 40 &&
           qAbs(actual.blue() - expected.blue()) < 40 && actual.alpha() == 255;
}

} // namespace

class TstMmsAttachmentWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void contentIsFourThirdsOfTheWidthInsideTheMargins();
    void gifAnimatesOnlyWithSeveralFramesAndWhenAsked_data();
    void gifAnimatesOnlyWithSeveralFramesAndWhenAsked();
    void movieFrameIsCentred();
    void rotatedPictureIsReadAtTheTurnedSize_data();
    void rotatedPictureIsReadAtTheTurnedSize();
    void smallPictureIsCentredInTheFrame();
    void unreadablePictureFallsBackToTheIcon();
    void otherFilesShowTheirIconUnlessTold_data();
    void otherFilesShowTheirIconUnlessTold();
    void textPreviewTakesTheFirstCharacters_data();
    void textPreviewTakesTheFirstCharacters();
    void unreadableTextLeavesThePreviewEmpty();
    void labelStripIsOnePanelHigh();

private:
    // Applies a style of the given preferred width and margins.
    static void applyStyle(MMSAttachmentWidget* widget, int preferredWidth, int margin = 0);

    QTemporaryDir m_dir;
};

void TstMmsAttachmentWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TstMmsAttachmentWidget::applyStyle(MMSAttachmentWidget* widget, int preferredWidth, int margin)
{
    widget->setPreferredSize(QSize(preferredWidth, preferredWidth));
    widget->setMarginLeft(margin);
    widget->setMarginRight(margin);
    widget->setMarginTop(margin);
    widget->setMarginBottom(margin);
    widget->ensurePolished();
}

void TstMmsAttachmentWidget::contentIsFourThirdsOfTheWidthInsideTheMargins()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("plain.png"), 50, 50, Qt::gray);
    AttachmentProbe widget(file, "image/png", 0, false);
    QTest::ignoreMessage(QtDebugMsg, "[MMS-IMAGE] Updating pixmap, preferred size QSize(330, 330)");
    applyStyle(&widget, 330, 15);
    QCOMPARE(widget.contentSize, QSize(300, 225));
    QCOMPARE(widget.pixmap.size(), QSize(300, 225));
    QCOMPARE(widget.sizeHint(), QSize(330, 255));
    QCOMPARE(widget.minimumSizeHint(), QSize(330, 255));
}

void TstMmsAttachmentWidget::gifAnimatesOnlyWithSeveralFramesAndWhenAsked_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("animate");
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<bool>("animated");
    QTest::newRow("two frames") << 2 << true << "image/gif" << true;
    QTest::newRow("upper-case type") << 2 << true << "image/GIF" << true;
    QTest::newRow("not asked to animate") << 2 << false << "image/gif" << false;
    QTest::newRow("one frame") << 1 << true << "image/gif" << false;
    QTest::newRow("not said to be a GIF") << 2 << true << "image/png" << false;
}

void TstMmsAttachmentWidget::gifAnimatesOnlyWithSeveralFramesAndWhenAsked()
{
    QFETCH(int, frames);
    QFETCH(bool, animate);
    QFETCH(QString, mimeType);
    QFETCH(bool, animated);
    const QString file =
        imagemedia::writeGif(m_dir.filePath(QString("frames%1.gif").arg(frames)), frames);
    AttachmentProbe widget(file, mimeType, 0, animate);
    applyStyle(&widget, 200);
    QCOMPARE(!widget.movie.isNull(), animated);
    if (animated) {
        QCOMPARE(widget.movie->state(), QMovie::Running);
        QVERIFY(widget.pixmap.isNull());
    } else {
        // Shown as a still picture: the first frame's red pixel in the middle.
        QVERIFY(!widget.isLoadFailed());
        QCOMPARE(pixelAt(widget.pixmap, 99, 74), QColor(Qt::red));
        QCOMPARE(pixelAt(widget.pixmap, 50, 50), QColor(Qt::white));
    }
}

void TstMmsAttachmentWidget::movieFrameIsCentred()
{
    const QString file = imagemedia::writeGif(m_dir.filePath("centred.gif"), 3);
    AttachmentProbe widget(file, "image/gif", 0, true);
    applyStyle(&widget, 200);
    QVERIFY(widget.movie);
    // A frame of 1 x 1 pixel sits in the middle of the 200 x 150 content.
    widget.resize(widget.sizeHint());
    const QImage shown = widget.grab().toImage();
    const QColor middle = shown.pixelColor(99, 74);
    QVERIFY(middle == QColor(Qt::red) || middle == QColor(Qt::blue));
    QVERIFY(shown.pixelColor(50, 50) != QColor(Qt::red));
    QVERIFY(shown.pixelColor(50, 50) != QColor(Qt::blue));
}

void TstMmsAttachmentWidget::rotatedPictureIsReadAtTheTurnedSize_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QPoint>("green");
    QTest::addColumn<QPoint>("red");
    QTest::addColumn<QPoint>("blue");
    // The content is 300 x 225; the 800 x 1200 picture is read at 225 x 337
    // when turned, so its whole green stripe (a tenth of its width) shows.
    QTest::newRow("none") << 0 << QPoint(5, 112) << QPoint(100, 112) << QPoint(250, 112);
    QTest::newRow("quarter right") << 90 << QPoint(150, 5) << QPoint(150, 60) << QPoint(150, 180);
    QTest::newRow("quarter left") << 270 << QPoint(150, 219) << QPoint(150, 160) << QPoint(150, 40);
    QTest::newRow("quarter left from Exif")
        << -90 << QPoint(150, 219) << QPoint(150, 160) << QPoint(150, 40);
}

void TstMmsAttachmentWidget::rotatedPictureIsReadAtTheTurnedSize()
{
    QFETCH(int, rotation);
    QFETCH(QPoint, green);
    QFETCH(QPoint, red);
    QFETCH(QPoint, blue);
    const QString file = imagemedia::writeStripedPicture(m_dir.filePath("tall.png"), 800, 1200);
    AttachmentProbe widget(file, "image/png", rotation, true);
    if (rotation != 0) {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMS-IMAGE\\] Rotate image to "
                                                            "angle  " +
                                                            QString::number(rotation) + "$"));
    }
    applyStyle(&widget, 300);
    QVERIFY(!widget.isLoadFailed());
    QVERIFY2(isNear(pixelAt(widget.pixmap, green.x(), green.y()), Qt::green), "green");
    QVERIFY2(isNear(pixelAt(widget.pixmap, red.x(), red.y()), Qt::red), "red");
    QVERIFY2(isNear(pixelAt(widget.pixmap, blue.x(), blue.y()), Qt::blue), "blue");
}

void TstMmsAttachmentWidget::smallPictureIsCentredInTheFrame()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("small.png"), 40, 30, Qt::red);
    AttachmentProbe widget(file, "image/png", 0, false);
    applyStyle(&widget, 200);
    QVERIFY(isNear(pixelAt(widget.pixmap, 100, 75), Qt::red));
    QVERIFY(isNear(pixelAt(widget.pixmap, 81, 61), Qt::red));
    // Around the picture the frame's own white shows.
    QCOMPARE(pixelAt(widget.pixmap, 70, 75), QColor(Qt::white));
    QCOMPARE(pixelAt(widget.pixmap, 100, 50), QColor(Qt::white));
    // The frame's rounded corner is cut out.
    QCOMPARE(pixelAt(widget.pixmap, 0, 0).alpha(), 0);
}

void TstMmsAttachmentWidget::unreadablePictureFallsBackToTheIcon()
{
    const QString file = imagemedia::writeBytes(m_dir.filePath("broken.png"), "not a picture");
    AttachmentProbe widget(file, "image/png", 90, false);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^\\[MMS-IMAGE\\] Failed to read image  .+"));
    applyStyle(&widget, 300);
    QVERIFY(widget.isLoadFailed());
    // The 64 x 64 icon, centred in the 300 x 225 content.
    const QImage icon = widget.pixmapForMime().toImage();
    QCOMPARE(icon.size(), QSize(64, 64));
    QCOMPARE(pixelAt(widget.pixmap, 118 + 32, 80 + 20), icon.pixelColor(32, 20));
    QCOMPARE(pixelAt(widget.pixmap, 118 + 10, 80 + 50), icon.pixelColor(10, 50));
}

void TstMmsAttachmentWidget::otherFilesShowTheirIconUnlessTold_data()
{
    QTest::addColumn<bool>("displayDefaultIcon");
    QTest::newRow("icon") << true;
    QTest::newRow("nothing") << false;
}

void TstMmsAttachmentWidget::otherFilesShowTheirIconUnlessTold()
{
    QFETCH(bool, displayDefaultIcon);
    const QString file = imagemedia::writeBytes(m_dir.filePath("clip.3gp"), "video");
    AttachmentProbe widget(file, "video/3gpp", 0, true);
    widget.setDisplayDefaultIcon(displayDefaultIcon);
    applyStyle(&widget, 300);
    QVERIFY(!widget.isLoadFailed());
    const QImage icon = widget.pixmapForMime().toImage();
    const QColor expected = displayDefaultIcon ? icon.pixelColor(32, 20) : QColor(Qt::white);
    QCOMPARE(pixelAt(widget.pixmap, 118 + 32, 80 + 20), expected);
}

void TstMmsAttachmentWidget::textPreviewTakesTheFirstCharacters_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("preview");
    const QString a300(300, 'a');
    const QString umlauts300(300, QChar(0xe4));
    QString clefs300;
    for (int i = 0; i < 300; ++i) {
        clefs300 += QString::fromUtf8("\xf0\x9d\x84\x9e");
    }
    QTest::newRow("short") << QByteArray("Hello\nthere") << "Hello\nthere";
    QTest::newRow("ascii") << (a300 + "bbb").toUtf8() << a300;
    QTest::newRow("two-byte characters") << (umlauts300 + "xyz").toUtf8() << umlauts300;
    QTest::newRow("characters beyond 16 bits") << (clefs300 + clefs300).toUtf8() << clefs300;
    QTest::newRow("empty") << QByteArray() << "";
}

void TstMmsAttachmentWidget::textPreviewTakesTheFirstCharacters()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, preview);
    const QString file = imagemedia::writeBytes(m_dir.filePath("note.txt"), content);
    QCOMPARE(MMSAttachmentWidget::textPreview(file), preview);
    QVERIFY(!MMSAttachmentWidget::textPreview(file).isNull());
}

void TstMmsAttachmentWidget::unreadableTextLeavesThePreviewEmpty()
{
    const QString missing = m_dir.filePath("gone.txt");
    QVERIFY(MMSAttachmentWidget::textPreview(missing).isNull());
    AttachmentProbe widget(missing, "text/plain", 0, false);
    QTest::ignoreMessage(QtWarningMsg, QString("[MMS-IMAGE] Failed to read text from file \"%1\" !")
                                           .arg(missing)
                                           .toUtf8()
                                           .constData());
    applyStyle(&widget, 300);
    // Only the white frame.
    QCOMPARE(pixelAt(widget.pixmap, 150, 100), QColor(Qt::white));
}

void TstMmsAttachmentWidget::labelStripIsOnePanelHigh()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("label.png"), 50, 50, Qt::gray);
    AttachmentProbe widget(file, "image/png", 0, false);
    widget.setTextPanelHeight(30);
    applyStyle(&widget, 300);
    QCOMPARE(widget.bottomFrameHeight(), 30);
    QCOMPARE(widget.labelPixmap.size(), QSize(300, 30));
    const QImage strip = widget.labelPixmap.toImage();
    // Translucent black in the middle, cut away in the rounded bottom corners.
    QVERIFY(qAbs(strip.pixelColor(150, 2).alpha() - qRound(0.6 * 255)) <= 1);
    QCOMPARE(strip.pixelColor(0, 29).alpha(), 0);
}

QTEST_MAIN(TstMmsAttachmentWidget)
#include "tst_mmsattachmentwidget.moc"
