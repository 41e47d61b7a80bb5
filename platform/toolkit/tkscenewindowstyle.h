#pragma once

#include "tkwidgetstyle.h"

// The style of windows laid over a page (overlays, spinners).
class TkSceneWindowStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    using TkWidgetStyle::TkWidgetStyle;
};
