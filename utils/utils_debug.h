#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcUtils)   // "[MMS-UTILS]" and the untagged lines of the helpers
Q_DECLARE_LOGGING_CATEGORY(lcTracker) // "[MMS-TRACKER]"
Q_DECLARE_LOGGING_CATEGORY(lcMmsUi)   // "[MMS-UI]"
