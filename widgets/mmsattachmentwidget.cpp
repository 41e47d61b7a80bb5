#include "mmsattachmentwidget.h"

#include "tkscalableimage.h"
#include "widgets_debug.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QTextCodec>
#include <QTextDecoder>

namespace {

// Frames of an animated GIF keep this distance to the preview's edge.
const int movieFrameMargin = 6;
const int transitionDuration = 500;
// The text preview is elided to this many average character widths.
const int textPreviewWidthInCharacters = 250;

bool isAnimatable(const QString& mimeType)
{
    return mimeType.startsWith(QLatin1String("image")) &&
           mimeType.contains(QLatin1String("image/gif"), Qt::CaseInsensitive);
}

// Where a picture of the given length goes inside the box along one axis: a
// shorter one is centred, a longer one has its middle part cut out.
void placeCentred(int length, int box, int* target, int* source, int* visible)
{
    if (length < box) {
        *target = (box - length) / 2;
        *source = 0;
        *visible = length;
    } else {
        *target = 0;
        *source = (length - box) / 2;
        *visible = box;
    }
}

} // namespace

MMSAttachmentWidget::MMSAttachmentWidget(const QString& fileName, const QString& mimeType,
                                         int rotation, bool animate, QWidget* parent)
    : MMSImageWidget(fileName, mimeType, parent)
    , rotation(rotation)
    , transition(this, "transitionOpacity")
{
    transition.setDuration(transitionDuration);
    transition.setEasingCurve(QEasingCurve::Linear);
    transition.setStartValue(0.0f);
    transition.setEndValue(1.0f);
    if (animate && isAnimatable(mimeType)) {
        startMovie();
    }
}

MMSAttachmentWidget::~MMSAttachmentWidget() = default;

void MMSAttachmentWidget::startMovie()
{
    movie.reset(new QMovie(fileName));
    // A still GIF, or one that cannot be read, is shown like any picture.
    if (!movie->isValid() || movie->frameCount() == 1) {
        movie.reset();
        return;
    }
    connect(movie.data(), &QMovie::updated, this, &MMSAttachmentWidget::frameUpdated,
            Qt::QueuedConnection);
    connect(movie.data(), &QMovie::finished, movie.data(), &QMovie::start, Qt::QueuedConnection);
    movie->setCacheMode(QMovie::CacheAll);
    movie->start();
}

void MMSAttachmentWidget::frameUpdated()
{
    update();
}

void MMSAttachmentWidget::setDurationText(const QString& text)
{
    durationText = text;
    updateLabel();
    update();
}

void MMSAttachmentWidget::setDisplayDefaultIcon(bool display)
{
    displayDefaultIcon = display;
}

int MMSAttachmentWidget::bottomFrameHeight() const
{
    return textPanelHeight();
}

void MMSAttachmentWidget::setTransitionOpacity(float opacity)
{
    m_transitionOpacity = opacity;
    update();
}

void MMSAttachmentWidget::applyStyle()
{
    const QSize preferred = preferredSize();
    if (!preferred.isValid() || usesThumbnail || preferred == targetSize) {
        return;
    }
    targetSize = preferred;
    updatePixmap();
    updateGeometry();
    update();
}

void MMSAttachmentWidget::updatePixmap()
{
    qCDebug(lcImage) << "[MMS-IMAGE] Updating pixmap, preferred size" << targetSize;
    const int width = targetSize.width() - marginLeft() - marginRight();
    contentSize = QSize(width, static_cast<int>(width * 0.75));
    if (contentSize.isEmpty()) {
        pixmap = QPixmap();
        labelPixmap = QPixmap();
        return;
    }
    if (movie) {
        updateFrameGeometry();
    } else {
        pixmap = QPixmap::fromImage(composeFramed(contentImage()));
    }
    updateLabel();
}

void MMSAttachmentWidget::updateFrameGeometry()
{
    const int width = contentSize.width();
    const int height = contentSize.height();
    frameSize = movie->currentImage().size();
    const QSize room(width - 2 * movieFrameMargin, height - 2 * movieFrameMargin);
    if (frameSize.width() > room.width() || frameSize.height() > room.height()) {
        frameSize.scale(room, Qt::KeepAspectRatio);
    }
    frameOffset.setX(frameSize.width() < width ? (width - frameSize.width()) / 2
                                               : movieFrameMargin);
    frameOffset.setY(frameSize.height() < height ? (height - frameSize.height()) / 2
                                                 : movieFrameMargin);
}

QImage MMSAttachmentWidget::contentImage()
{
    if (mimeType.startsWith(QLatin1String("image"))) {
        return readPicture();
    }
    return displayDefaultIcon ? pixmapForMime(iconSize()).toImage() : QImage();
}

QImage MMSAttachmentWidget::readPicture()
{
    const int width = contentSize.width();
    const int height = contentSize.height();
    QImageReader reader(fileName);
    const QSize source = reader.size();
    // Exif gives a quarter turn to the left as -90.
    const int turn = (rotation % 360 + 360) % 360;
    if (turn == 90 || turn == 270) {
        if (width < source.height() && height < source.width()) {
            reader.setScaledSize(source.scaled(height, width, Qt::KeepAspectRatioByExpanding));
        }
    } else if (width < source.width() && height < source.height()) {
        reader.setScaledSize(source.scaled(width, height, Qt::KeepAspectRatioByExpanding));
    }
    QImage picture;
    if (!reader.read(&picture)) {
        qCWarning(lcImage) << "[MMS-IMAGE] Failed to read image " << reader.error()
                           << reader.errorString();
        loadFailed = true;
        return pixmapForMime(iconSize()).toImage();
    }
    if (turn != 0) {
        qCDebug(lcImage) << "[MMS-IMAGE] Rotate image to angle " << rotation;
        picture = picture.transformed(QTransform().rotate(rotation), Qt::SmoothTransformation);
    }
    return picture;
}

QImage MMSAttachmentWidget::composeFramed(const QImage& content) const
{
    QImage framed(contentSize, QImage::Format_ARGB32_Premultiplied);
    framed.fill(Qt::transparent);
    QPainter painter(&framed);
    m_mask->draw(&painter, framed.rect());
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    if (mimeType.startsWith(QLatin1String("text/plain"))) {
        drawTextPreview(&painter);
        return framed;
    }
    QRect target;
    QRect source;
    int position = 0;
    int offset = 0;
    int length = 0;
    placeCentred(content.width(), framed.width(), &position, &offset, &length);
    target.setLeft(position);
    target.setWidth(length);
    source.setLeft(offset);
    source.setWidth(length);
    placeCentred(content.height(), framed.height(), &position, &offset, &length);
    target.setTop(position);
    target.setHeight(length);
    source.setTop(offset);
    source.setHeight(length);
    painter.drawImage(target, content, source);
    return framed;
}

QString MMSAttachmentWidget::textPreview(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    // A UTF-8 character takes at most four bytes.
    const QByteArray start = file.read(textPreviewLength * 4);
    QScopedPointer<QTextDecoder> decoder(QTextCodec::codecForName("UTF-8")->makeDecoder());
    QString text = decoder->toUnicode(start);
    int length = textPreviewLength;
    // Characters outside the BMP take two QChars; count them as one.
    for (int i = 0; i < length && i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate()) {
            ++length;
            ++i;
        }
    }
    return text.left(length);
}

void MMSAttachmentWidget::drawTextPreview(QPainter* painter) const
{
    const QString text = textPreview(fileName);
    if (text.isNull()) {
        qCWarning(lcImage) << "[MMS-IMAGE] Failed to read text from file" << fileName << "!";
        return;
    }
    const QFontMetrics metrics(textFont());
    const QString elided = metrics.elidedText(
        text, Qt::ElideRight, textPreviewWidthInCharacters * metrics.averageCharWidth());
    const QRect area(textMarginLeft(), textMarginTop(), contentSize.width() - 2 * textMarginLeft(),
                     contentSize.height() - 2 * textMarginTop() - textPanelHeight());
    painter->setFont(textFont());
    painter->setPen(textPreviewColor());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, elided);
}

void MMSAttachmentWidget::updateLabel()
{
    if (contentSize.isEmpty() || textPanelHeight() <= 0) {
        labelPixmap = QPixmap();
        return;
    }
    // Drawn twice as high so that the frame's rounded bottom corners fall on
    // the lower half, which is kept.
    QImage strip(contentSize.width(), 2 * textPanelHeight(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    drawLabel(&painter, strip.size());
    painter.end();
    labelPixmap = QPixmap::fromImage(
        strip.copy(0, textPanelHeight(), contentSize.width(), textPanelHeight()));
}

void MMSAttachmentWidget::drawLabel(QPainter* painter, const QSize& size)
{
    const int panel = textPanelHeight();
    painter->setOpacity(0.6);
    painter->fillRect(0, size.height() - panel, size.width(), panel, Qt::black);
    painter->setOpacity(1.0);
    painter->setCompositionMode(QPainter::CompositionMode_DestinationIn);
    m_mask->draw(painter, QRect(QPoint(0, 0), size));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QFontMetrics metrics(textFont());
    const int durationWidth = metrics.horizontalAdvance(durationText);
    const int nameWidth = size.width() - durationWidth - 2 * textMarginLeft();
    const int top = size.height() - panel + textMarginTop();
    const int height = panel - 2 * textMarginTop();
    const QString name =
        metrics.elidedText(QFileInfo(fileName).fileName(), Qt::ElideRight, nameWidth);
    painter->setFont(textFont());
    painter->setPen(textColor());
    painter->drawText(QRect(textMarginLeft(), top, nameWidth, height),
                      Qt::AlignLeft | Qt::AlignVCenter, name);
    painter->drawText(QRect(textMarginLeft() + nameWidth, top, durationWidth, height),
                      Qt::AlignRight | Qt::AlignVCenter, durationText);
}

void MMSAttachmentWidget::updateIcon()
{
    if (hasThumbnail || fileName.isEmpty()) {
        return;
    }
    const QString flavor = mimeType.startsWith(QLatin1String("video"))
                               ? QStringLiteral("video-grid")
                               : QStringLiteral("normal");
    QMetaObject::invokeMethod(this, "asyncCreateIconForResource", Qt::QueuedConnection,
                              Q_ARG(QString, flavor));
}

void MMSAttachmentWidget::updatePixmapWithThumbnail(const QString& path)
{
    // Without a size from the style there is nothing to compose yet; a later
    // updateIcon() asks again.
    const QImage original = readThumbnail(path);
    if (contentSize.isEmpty() || original.isNull()) {
        return;
    }
    previousPixmap = pixmap;
    usesThumbnail = true;
    const QImage thumbnail =
        original.scaled(contentSize, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    pixmap = QPixmap::fromImage(composeFramed(thumbnail));
    hasThumbnail = true;
    updateLabel();
    transition.start();
    updateGeometry();
    update();
}

void MMSAttachmentWidget::drawContents(QPainter* painter)
{
    if (!contentSize.isValid()) {
        return;
    }
    if (transition.state() == QAbstractAnimation::Running && !previousPixmap.isNull()) {
        painter->setOpacity(1.0 - m_transitionOpacity);
        painter->drawPixmap(0, 0, previousPixmap);
        painter->setOpacity(m_transitionOpacity);
    }
    if (movie) {
        painter->drawPixmap(QRect(frameOffset, frameSize), movie->currentPixmap());
    } else {
        painter->drawPixmap(0, 0, pixmap);
    }
    painter->setOpacity(1.0);
    if (usesThumbnail && mimeType.startsWith(QLatin1String("video"))) {
        const QPoint corner = contentRect().center() - m_playButton->rect().center();
        painter->drawPixmap(corner, *m_playButton);
    }
    painter->drawPixmap(0, contentSize.height() - labelPixmap.height(), labelPixmap);
    if (pressed) {
        m_overlay->draw(painter, contentRect());
    }
}
