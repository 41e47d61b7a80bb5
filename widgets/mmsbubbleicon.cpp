#include "mmsbubbleicon.h"

#include "tkscalableimage.h"

#include <QPainter>

namespace {
const QSize defaultIconSize(64, 64);
}

MMSBubbleIcon::MMSBubbleIcon(const QString& fileName, const QString& mimeType, QWidget* parent)
    : MMSImageWidget(fileName, mimeType, parent)
{
    enableClickAction(false);
}

void MMSBubbleIcon::setDefaultImageByMime()
{
    if (!contentSize.isValid()) {
        contentSize = defaultIconSize;
    }
    pixmap = pixmapForMime(contentSize);
}

void MMSBubbleIcon::setMimeType(const QString& mimeType)
{
    this->mimeType = mimeType;
    setDefaultImageByMime();
    update();
    hasThumbnail = false;
}

void MMSBubbleIcon::applyStyle()
{
    const QSize preferred = preferredSize();
    if (!preferred.isValid() || preferred == contentSize) {
        return;
    }
    contentSize = preferred;
    if (pixmap.isNull()) {
        setDefaultImageByMime();
    }
    updateGeometry();
    update();
}

void MMSBubbleIcon::updateIcon()
{
    if (hasThumbnail || fileName.isEmpty()) {
        return;
    }
    QMetaObject::invokeMethod(this, "asyncCreateIconForResource", Qt::QueuedConnection,
                              Q_ARG(QString, QStringLiteral("grid")));
}

void MMSBubbleIcon::onMoving(bool moving)
{
    if (!moving) {
        updateIcon();
    }
}

void MMSBubbleIcon::updatePixmapWithThumbnail(const QString& path)
{
    const QImage thumbnail = readThumbnail(path);
    if (thumbnail.isNull()) {
        return;
    }
    usesThumbnail = true;
    contentSize = preferredSize().isValid() ? preferredSize() : defaultIconSize;
    QImage icon(contentSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    m_iconMask->draw(&painter, icon.rect());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOut);
    painter.drawImage(icon.rect(), thumbnail);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_iconShadow->draw(&painter, icon.rect());
    painter.end();
    pixmap = QPixmap::fromImage(icon);
    hasThumbnail = true;
    updateGeometry();
    update();
}
