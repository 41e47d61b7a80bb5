#pragma once

#include <QLoggingCategory>

// "[MMS-SENDER]": the headless sender.
Q_DECLARE_LOGGING_CATEGORY(lcSender)
// "[MMS-SIMPLED]": the quick-send widget.
Q_DECLARE_LOGGING_CATEGORY(lcSimpleEditor)
