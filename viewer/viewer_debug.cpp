#include "viewer_debug.h"

Q_LOGGING_CATEGORY(lcSmil, "dravel.smil", QtInfoMsg)
