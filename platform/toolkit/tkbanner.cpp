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
