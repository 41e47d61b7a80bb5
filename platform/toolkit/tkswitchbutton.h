#pragma once

#include <QAbstractButton>

// An on/off switch: a checkable button drawn as a track with a sliding knob.
class TkSwitchButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TkSwitchButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
