#include "resize_debug.h"

Q_LOGGING_CATEGORY(lcResize, "dravel.resize", QtInfoMsg)
