#include "tkscalableimage.h"

#include <QPainter>
#include <qdrawutil.h>

TkScalableImage::TkScalableImage(const QPixmap& pixmap, const QMargins& borders)
    : m_pixmap(pixmap)
    , m_borders(borders)
{
}

void TkScalableImage::draw(QPainter* painter, const QRect& target) const
{
    if (m_pixmap.isNull()) {
        return;
    }
    if (m_borders.isNull()) {
        painter->drawPixmap(target, m_pixmap);
        return;
    }
    qDrawBorderPixmap(painter, target, m_borders, m_pixmap);
}
