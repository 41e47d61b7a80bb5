#include "calendar_debug.h"

Q_LOGGING_CATEGORY(lcCalendar, "dravel.calendar", QtInfoMsg)
