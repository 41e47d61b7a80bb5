#include "tkpannableviewport.h"

#include <QMouseEvent>
#include <QScrollBar>

TkPannableViewport::TkPannableViewport(QWidget* parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleTime);
    connect(&m_settle, &QTimer::timeout, this, [this] { setMoving(false); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TkPannableViewport::onScrolled);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TkPannableViewport::onScrolled);
}

QPointF TkPannableViewport::position() const
{
    return QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TkPannableViewport::setPosition(const QPointF& position)
{
    horizontalScrollBar()->setValue(qRound(position.x()));
    verticalScrollBar()->setValue(qRound(position.y()));
}

void TkPannableViewport::setVerticalPanningEnabled(bool enabled)
{
    m_verticalPanning = enabled;
    setVerticalScrollBarPolicy(enabled ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TkPannableViewport::onScrolled()
{
    setMoving(true);
    m_settle.start();
    emit positionChanged(position());
}

void TkPannableViewport::setMoving(bool moving)
{
    if (m_moving != moving) {
        m_moving = moving;
        emit movingChanged(moving);
    }
}

bool TkPannableViewport::viewportEvent(QEvent* event)
{
    if (!m_verticalPanning) {
        return QScrollArea::viewportEvent(event);
    }
    // A finger drag pans the content the way a touch screen does.
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        m_dragStart = press->pos();
        m_positionAtDragStart = position().toPoint();
        break;
    }
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        if (move->buttons() & Qt::LeftButton) {
            const QPoint delta = move->pos() - m_dragStart;
            verticalScrollBar()->setValue(m_positionAtDragStart.y() - delta.y());
        }
        break;
    }
    default:
        break;
    }
    return QScrollArea::viewportEvent(event);
}
