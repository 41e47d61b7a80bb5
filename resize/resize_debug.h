#pragma once

#include <QLoggingCategory>

// "[MMS-RESIZE-THREAD]" and the other lines of picture resizing.
Q_DECLARE_LOGGING_CATEGORY(lcResize)
