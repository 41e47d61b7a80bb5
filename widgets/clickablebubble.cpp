#include "clickablebubble.h"

#include "tkstyle.h"

#include <QMouseEvent>

ClickableBubble::ClickableBubble(QWidget* parent)
    : QWidget(parent)
{
    // Style sheets paint the background of plain widgets only with this.
    setAttribute(Qt::WA_StyledBackground);
}

void ClickableBubble::setPressed(bool pressed)
{
    tk::setStyleMode(this, pressed ? QString::fromLatin1(tk::pressedStyleMode) : QString());
    update();
}

void ClickableBubble::release()
{
    setPressed(false);
    emit clicked();
}

void ClickableBubble::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    setPressed(true);
}

void ClickableBubble::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (rect().contains(event->pos()))
        release();
    else
        cancelEvent();
}

void ClickableBubble::cancelEvent()
{
    setPressed(false);
}

bool ClickableBubble::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        setPressed(true);
        return true;
    case QEvent::MouseButtonRelease:
        release();
        return true;
    case QEvent::TouchCancel:
        cancelEvent();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
