#pragma once

#include <QLabel>
#include <QTimer>

// A short notice shown over the application for a few seconds, then hidden.
class TkBanner : public QLabel
{
    Q_OBJECT
public:
    static constexpr int DefaultDuration = 3000;

    explicit TkBanner(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return text(); }

    void setDuration(int milliseconds) { m_timer.setInterval(milliseconds); }
    int duration() const { return m_timer.interval(); }

    bool isShowing() const { return m_timer.isActive(); }

public slots:
    // Shows the banner (again) and restarts its time.
    void appear();
    void disappear();

signals:
    void disappeared();

private:
    QTimer m_timer;
};
