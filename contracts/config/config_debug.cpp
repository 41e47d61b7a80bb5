#include "config_debug.h"

Q_LOGGING_CATEGORY(lcMmsConfig, "dravel.config", QtInfoMsg)
