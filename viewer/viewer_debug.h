#pragma once

#include <QLoggingCategory>

// "[MMS_SMIL]": slide placement from the SMIL presentation.
Q_DECLARE_LOGGING_CATEGORY(lcSmil)
