#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class TkPannableViewport;

// A full-window page: a header with back, title, view menu and close, the
// content in a pannable viewport, and a toolbar of actions at the bottom.
// The content is created the first time the page appears.
class TkApplicationPage : public QWidget
{
    Q_OBJECT
public:
    explicit TkApplicationPage(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;

    // The page takes ownership of the widget.
    void setCentralWidget(QWidget* widget);
    QWidget* centralWidget() const { return m_central; }
    TkPannableViewport* pannableViewport() const { return m_viewport; }
    void setPannable(bool pannable);

    void addToolbarAction(QAction* action);
    void addViewMenuAction(QAction* action);
    QList<QAction*> toolbarActions() const;
    QList<QAction*> viewMenuActions() const;

    void setNavigationBarVisible(bool visible);
    bool isNavigationBarVisible() const;

    bool isContentCreated() const { return m_contentCreated; }
    // Builds the content once, then shows the page.
    void appear();

signals:
    void backButtonClicked();
    void closeButtonClicked();

protected:
    // Builds the page's widgets; called once, when the page first appears.
    virtual void createContent() {}

private:
    QWidget* m_header;
    QToolButton* m_back;
    QLabel* m_title;
    QToolButton* m_menuButton;
    QMenu* m_viewMenu;
    QToolButton* m_close;
    TkPannableViewport* m_viewport;
    QToolBar* m_toolbar;
    QWidget* m_central = nullptr;
    bool m_contentCreated = false;
};
