#pragma once

#include <QObject>
#include <QPointer>

class TkBanner;

// Short notes over a window: every call shows a banner of its own, which
// deletes itself once it has been shown.
class MmsTimedBanner : public QObject
{
    Q_OBJECT
public:
    explicit MmsTimedBanner(QWidget* window, QObject* parent = nullptr);

    // Null when the window is gone.
    TkBanner* showBanner(const QString& text);

private:
    QPointer<QWidget> m_window;
};
