#pragma once

#include <QLoggingCategory>

// "[MMS-CONFIG]": the configuration store.
Q_DECLARE_LOGGING_CATEGORY(lcMmsConfig)
