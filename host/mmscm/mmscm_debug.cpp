#include "mmscm_debug.h"

Q_LOGGING_CATEGORY(lcMmscm, "dravel.mmscm", QtInfoMsg)
