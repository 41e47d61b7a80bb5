#include "utils_debug.h"

Q_LOGGING_CATEGORY(lcUtils, "dravel.utils", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTracker, "dravel.tracker", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMmsUi, "dravel.ui", QtInfoMsg)
