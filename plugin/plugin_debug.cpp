#include "plugin_debug.h"

Q_LOGGING_CATEGORY(lcPlugin, "dravel.plugin", QtInfoMsg)
