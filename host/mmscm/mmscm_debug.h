#pragma once

#include <QLoggingCategory>

// "[MMSCM]": the MMS connection manager program.
Q_DECLARE_LOGGING_CATEGORY(lcMmscm)
