#include "host_debug.h"

Q_LOGGING_CATEGORY(lcHost, "dravel.host", QtInfoMsg)
