#include "contentindex_debug.h"

Q_LOGGING_CATEGORY(lcContentIndex, "dravel.contentindex", QtInfoMsg)
