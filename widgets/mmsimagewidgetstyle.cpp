#include "mmsimagewidgetstyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MMSImageWidgetStyle)
