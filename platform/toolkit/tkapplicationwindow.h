#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QStackedWidget;
class TkApplicationPage;

// The application's one window: a stack of pages, the newest on top.
class TkApplicationWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TkApplicationWindow(QWidget* parent = nullptr);

    // Puts the page on top (moving it there if it is already stacked); the
    // window owns it from now on.
    void showPage(TkApplicationPage* page);
    // Takes the page off the stack and deletes it later.
    void dismissPage(TkApplicationPage* page);

    TkApplicationPage* currentPage() const;

    // The application window the user works in: the active one, else the first one shown;
    // null when there is none.
    static TkApplicationWindow* active();
    QList<TkApplicationPage*> pages() const;

signals:
    void pageShown(TkApplicationPage* page);
    void pageDismissed(TkApplicationPage* page);

private:
    QStackedWidget* m_stack;
};
