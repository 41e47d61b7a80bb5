#include "settings_debug.h"

Q_LOGGING_CATEGORY(lcConnSet, "dravel.connset", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMmsSettings, "dravel.settings", QtInfoMsg)
