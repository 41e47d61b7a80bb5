#include "service_debug.h"

Q_LOGGING_CATEGORY(lcCorvaneUi, "dravel.service", QtInfoMsg)
