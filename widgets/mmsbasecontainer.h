#pragma once

#include "mmsbasecontainerstyle.h"
#include "tkstylablewidget.h"

// A plain container that the theme styles: the central widget of the viewer and
// editor pages and the container of the editor's slides.
class MmsBaseContainer : public TkStylableWidget
{
    Q_OBJECT
public:
    explicit MmsBaseContainer(QWidget* parent = nullptr);
};
