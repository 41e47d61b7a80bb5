#pragma once

#include <QTimer>
#include <QWidget>

// An indeterminate busy indicator: a ring of spokes whose bright one turns
// while the spinner is visible.
class TkSpinner : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Spokes = 12;
    static constexpr int StepInterval = 80;

    explicit TkSpinner(QWidget* parent = nullptr);

    bool isSpinning() const { return m_timer.isActive(); }
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};
