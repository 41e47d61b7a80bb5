#pragma once

#include <QMargins>
#include <QPixmap>

class QPainter;
class QRect;

// A theme image that stretches to any size: its borders keep their size, the
// middle and the edges between them are stretched (a nine-patch).
class TkScalableImage
{
public:
    TkScalableImage(const QPixmap& pixmap, const QMargins& borders);

    const QPixmap& pixmap() const { return m_pixmap; }
    QMargins borders() const { return m_borders; }

    void draw(QPainter* painter, const QRect& target) const;

private:
    QPixmap m_pixmap;
    QMargins m_borders;
};
