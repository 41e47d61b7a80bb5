#include "tkswitchbutton.h"

#include <QPainter>

TkSwitchButton::TkSwitchButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TkSwitchButton::sizeHint() const
{
    const int height = fontMetrics().height() + 12;
    return QSize(height * 2, height);
}

void TkSwitchButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(isChecked() ? palette().highlight() : palette().mid());
    painter.drawRoundedRect(track, radius, radius);

    const qreal knobSize = track.height() - 4;
    const qreal knobX = isChecked() ? track.right() - 2 - knobSize : track.left() + 2;
    painter.setBrush(isEnabled() ? palette().light() : palette().midlight());
    painter.drawEllipse(QRectF(knobX, track.top() + 2, knobSize, knobSize));
}
