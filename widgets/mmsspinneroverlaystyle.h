#pragma once

#include "tkscenewindowstyle.h"
#include "tkstylecontainer.h"

// The style of the editor's spinner overlay. It has no attributes of its own: it
// exists so that the theme can address these widgets by style class.
class MmsSpinnerOverlayStyle : public TkSceneWindowStyle
{
    Q_OBJECT
public:
    // Defined out of line: the definition links in the class's declaration
    // to the style registry.
    explicit MmsSpinnerOverlayStyle(QObject* parent = nullptr);
};

using MmsSpinnerOverlayStyleContainer = TkStyleContainer<MmsSpinnerOverlayStyle>;
