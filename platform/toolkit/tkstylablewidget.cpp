#include "tkstylablewidget.h"

#include "tkstyle.h"
#include "tkwidgetstyle.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

TkStylableWidget::TkStylableWidget(TkWidgetStyle* style, QWidget* parent)
    : QWidget(parent)
    , m_style(style)
{
    m_style->setParent(this);
}

QString TkStylableWidget::styleClass() const
{
    return QString::fromLatin1(m_style->metaObject()->className());
}

void TkStylableWidget::setStyleName(const QString& styleName)
{
    tk::setStyleName(this, styleName);
    styleAttributeChanged();
}

QSize TkStylableWidget::preferredSize() const
{
    return m_style->preferredSize();
}

int TkStylableWidget::marginLeft() const
{
    return m_style->marginLeft();
}

int TkStylableWidget::marginTop() const
{
    return m_style->marginTop();
}

int TkStylableWidget::marginRight() const
{
    return m_style->marginRight();
}

int TkStylableWidget::marginBottom() const
{
    return m_style->marginBottom();
}

void TkStylableWidget::setPreferredSize(const QSize& size)
{
    m_style->setPreferredSize(size);
    styleAttributeChanged();
}

void TkStylableWidget::setMarginLeft(int margin)
{
    m_style->setMarginLeft(margin);
    styleAttributeChanged();
}

void TkStylableWidget::setMarginTop(int margin)
{
    m_style->setMarginTop(margin);
    styleAttributeChanged();
}

void TkStylableWidget::setMarginRight(int margin)
{
    m_style->setMarginRight(margin);
    styleAttributeChanged();
}

void TkStylableWidget::setMarginBottom(int margin)
{
    m_style->setMarginBottom(margin);
    styleAttributeChanged();
}

void TkStylableWidget::styleAttributeChanged()
{
    // Before polishing, the Polish event applies everything at once; later, the
    // theme sets attributes one by one and they are applied together.
    if (!testAttribute(Qt::WA_WState_Polished) || m_applyPending) {
        return;
    }
    m_applyPending = true;
    QTimer::singleShot(0, this, [this] {
        m_applyPending = false;
        applyStyle();
    });
}

bool TkStylableWidget::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Polish:
    case QEvent::StyleChange:
        applyStyle();
        break;
    case QEvent::TouchCancel:
        cancelEvent();
        break;
    default:
        break;
    }
    return handled;
}

void TkStylableWidget::drawContents(QPainter*) {}

void TkStylableWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(m_style->marginLeft(), m_style->marginTop());
    drawContents(&painter);
}
