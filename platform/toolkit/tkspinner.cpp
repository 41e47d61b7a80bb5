#include "tkspinner.h"

#include <QPainter>

TkSpinner::TkSpinner(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TkSpinner"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_timer.setInterval(StepInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % Spokes;
        update();
    });
}

QSize TkSpinner::sizeHint() const
{
    return {48, 48};
}

// Turning only while shown: a hidden spinner costs no wake-ups.
void TkSpinner::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_timer.start();
}

void TkSpinner::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void TkSpinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = qMin(width(), height()) / 2.0;
    painter.translate(width() / 2.0, height() / 2.0);
    QColor color = palette().color(QPalette::WindowText);
    QPen pen(color, qMax(2.0, radius / 6), Qt::SolidLine, Qt::RoundCap);
    for (int spoke = 0; spoke < Spokes; ++spoke) {
        // The bright spoke leads, the ones behind it fade.
        const int behind = (m_step - spoke + Spokes) % Spokes;
        color.setAlphaF(1.0 - qreal(behind) / Spokes);
        pen.setColor(color);
        painter.setPen(pen);
        painter.drawLine(QPointF(0, -radius / 2), QPointF(0, -radius + pen.widthF()));
        painter.rotate(360.0 / Spokes);
    }
}
