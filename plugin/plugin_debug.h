#pragma once

#include <QLoggingCategory>

// "[MMS-PLUGIN]"
Q_DECLARE_LOGGING_CATEGORY(lcPlugin)
