#include "tkbanner.h"

#include "tkstyle.h"

TkBanner::TkBanner(QWidget* parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("InformationBanner"));
    tk::setStyleName(this, QStringLiteral("InformationBanner"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDuration);
    connect(&m_timer, &QTimer::timeout, this, &TkBanner::disappear);
}

void TkBanner::setTitle(const QString& title)
{
    setText(title);
    adjustSize();
}

void TkBanner::appear()
{
    // Near the top of the window it belongs to, across its middle.
    if (const QWidget* window = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect area = window->geometry();
        setMaximumWidth(area.width());
        adjustSize();
        move(area.center().x() - width() / 2, area.top() + area.height() / 8);
    }
    show();
    raise();
    m_timer.start();
}

void TkBanner::disappear()
{
    m_timer.stop();
    if (isVisible()) {
        hide();
        emit disappeared();
    }
}
