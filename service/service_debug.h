#pragma once

#include <QLoggingCategory>

// "[CORVANE-UI]" lines of the corvane-ui program.
Q_DECLARE_LOGGING_CATEGORY(lcCorvaneUi)
