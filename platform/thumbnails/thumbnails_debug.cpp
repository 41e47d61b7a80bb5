#include "thumbnails_debug.h"

Q_LOGGING_CATEGORY(lcThumbnails, "dravel.thumbnails", QtInfoMsg)
