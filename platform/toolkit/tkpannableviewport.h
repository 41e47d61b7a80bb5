#pragma once

#include <QPointF>
#include <QScrollArea>
#include <QTimer>

// A scroll area that pans by drag and reports where it is and whether it moves.
class TkPannableViewport : public QScrollArea
{
    Q_OBJECT
public:
    // How long the view must rest before it counts as stopped.
    static constexpr int SettleTime = 150;

    explicit TkPannableViewport(QWidget* parent = nullptr);

    QPointF position() const;
    void setPosition(const QPointF& position);

    bool isMoving() const { return m_moving; }

    void setVerticalPanningEnabled(bool enabled);
    bool isVerticalPanningEnabled() const { return m_verticalPanning; }

signals:
    void positionChanged(const QPointF& position);
    void movingChanged(bool moving);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void onScrolled();
    void setMoving(bool moving);

    QTimer m_settle;
    bool m_moving = false;
    bool m_verticalPanning = true;
    QPoint m_dragStart;
    QPoint m_positionAtDragStart;
};
