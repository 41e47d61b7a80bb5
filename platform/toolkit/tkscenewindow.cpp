#include "tkscenewindow.h"

#include <QEvent>
#include <QVBoxLayout>

TkSceneWindow::TkSceneWindow(QWidget* covered)
    : QWidget(covered)
{
    setObjectName(QStringLiteral("TkSceneWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    covered->installEventFilter(this);
    setGeometry(covered->rect());
    hide();
}

void TkSceneWindow::setView(QWidget* view)
{
    delete m_view;
    m_view = view;
    layout()->addWidget(view);
}

void TkSceneWindow::appear(DeletionPolicy policy)
{
    m_policy = policy;
    setGeometry(parentWidget()->rect());
    show();
    raise();
    emit appeared();
}

void TkSceneWindow::disappear()
{
    if (!isHidden()) {
        hide();
        emit disappeared();
    }
    if (m_policy == DestroyWhenDismissed) {
        deleteLater();
    }
}

bool TkSceneWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}
