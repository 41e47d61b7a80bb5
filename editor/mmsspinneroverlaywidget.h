#pragma once

#include "tkstylablewidget.h"

class TkSpinner;

// A busy indicator laid over other widgets: a spinner (style name
// "SMFSpinner") centred in a 3 x 3 grid whose outer rows and columns stretch.
// It takes every press and release, so that nothing under it reacts.
class MmsSpinnerOverlayWidget : public TkStylableWidget
{
    Q_OBJECT
public:
    explicit MmsSpinnerOverlayWidget(QWidget* parent = nullptr);

    TkSpinner* spinner() const { return m_spinner; }

protected:
    // Takes ownership of the style.
    MmsSpinnerOverlayWidget(TkWidgetStyle* style, QWidget* parent);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TkSpinner* m_spinner;
};
