#pragma once

#include "mmsspinneroverlaywidget.h"

// The view of the scene window that covers the editor page while pictures
// are resized (see TkSceneWindow::setView); the theme addresses it by its
// style class, MmsSpinnerOverlayStyle.
class MmsSpinnerOverlayView : public MmsSpinnerOverlayWidget
{
    Q_OBJECT
public:
    explicit MmsSpinnerOverlayView(QWidget* parent = nullptr);
};
