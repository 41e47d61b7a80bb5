#pragma once

#include <QPointer>
#include <QWidget>

// A window laid over a widget (usually a page): it covers the widget whole,
// follows its size, and shows a view of its own. Dismissing hides it, and with
// DestroyWhenDismissed also deletes it.
class TkSceneWindow : public QWidget
{
    Q_OBJECT
public:
    enum DeletionPolicy { KeepWhenDone, DestroyWhenDismissed };

    // Covers `covered`, a child of it; hidden until it appears.
    explicit TkSceneWindow(QWidget* covered);

    // The window takes ownership of the view and lays it over its whole area.
    void setView(QWidget* view);
    QWidget* view() const { return m_view; }

public slots:
    void appear(TkSceneWindow::DeletionPolicy policy = KeepWhenDone);
    void disappear();

signals:
    void appeared();
    void disappeared();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_view;
    DeletionPolicy m_policy = KeepWhenDone;
};
