#pragma once

#include "tkstylecontainer.h"
#include "tkwidgetstyle.h"

// The style of the pages' central containers and of the editor's slides. It has no attributes of
// its own: it exists so that the theme can address these widgets by style class.
class MmsBaseContainerStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    using TkWidgetStyle::TkWidgetStyle;
};

using MmsBaseContainerStyleContainer = TkStyleContainer<MmsBaseContainerStyle>;
