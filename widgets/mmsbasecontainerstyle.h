#pragma once

#include "tkstylecontainer.h"
#include "tkwidgetstyle.h"

// The style of the pages' central containers and of the editor's slides. It has no attributes of
// its own: it exists so that the theme can address these widgets by style class.
class MmsBaseContainerStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    // Defined out of line: the definition links in the class's declaration
    // to the style registry.
    explicit MmsBaseContainerStyle(QObject* parent = nullptr);
};

using MmsBaseContainerStyleContainer = TkStyleContainer<MmsBaseContainerStyle>;
