#pragma once

#include <QLoggingCategory>

// "[MMS-EDITOR]" and the other lines of the composer.
Q_DECLARE_LOGGING_CATEGORY(lcEditor)
