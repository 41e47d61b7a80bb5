#pragma once

#include <QWidget>

// A stylable widget that can be tapped: pressed mode while held, clicked() on
// release. It also takes taps on the children it watches as its event filter.
class ClickableBubble : public QWidget
{
    Q_OBJECT
public:
    explicit ClickableBubble(QWidget* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The press ends without a tap, as when the finger slides away.
    virtual void cancelEvent();

private:
    void setPressed(bool pressed);
    void release();
};
