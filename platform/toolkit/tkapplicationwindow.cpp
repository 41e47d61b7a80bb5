#include "tkapplicationwindow.h"

#include "tkapplicationpage.h"

#include <QApplication>
#include <QStackedWidget>
#include <QVBoxLayout>

TkApplicationWindow::TkApplicationWindow(QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("TkApplicationWindow"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_stack);
}

void TkApplicationWindow::showPage(TkApplicationPage* page)
{
    if (!page) {
        return;
    }
    m_stack->removeWidget(page);
    m_stack->addWidget(page);
    m_stack->setCurrentWidget(page);
    page->appear();
    emit pageShown(page);
}

void TkApplicationWindow::dismissPage(TkApplicationPage* page)
{
    if (!page || m_stack->indexOf(page) < 0) {
        return;
    }
    m_stack->removeWidget(page);
    page->hide();
    page->deleteLater();
    if (TkApplicationPage* top = currentPage()) {
        top->appear();
    }
    emit pageDismissed(page);
}

TkApplicationPage* TkApplicationWindow::currentPage() const
{
    return m_stack->count()
               ? qobject_cast<TkApplicationPage*>(m_stack->widget(m_stack->count() - 1))
               : nullptr;
}

QList<TkApplicationPage*> TkApplicationWindow::pages() const
{
    QList<TkApplicationPage*> stacked;
    for (int i = 0; i < m_stack->count(); ++i) {
        stacked.append(qobject_cast<TkApplicationPage*>(m_stack->widget(i)));
    }
    return stacked;
}

TkApplicationWindow* TkApplicationWindow::active()
{
    if (auto* window = qobject_cast<TkApplicationWindow*>(QApplication::activeWindow())) {
        return window;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<TkApplicationWindow*>(widget);
        if (window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}
