#include "mmsspinneroverlaystyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MmsSpinnerOverlayStyle)
