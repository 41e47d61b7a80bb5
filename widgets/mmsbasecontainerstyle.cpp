#include "mmsbasecontainerstyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MmsBaseContainerStyle)
