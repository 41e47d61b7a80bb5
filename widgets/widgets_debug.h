#pragma once

#include <QLoggingCategory>

// "[MMS-IMAGE]"
Q_DECLARE_LOGGING_CATEGORY(lcImage)
// "[MMS-CONTACTCARD]"
Q_DECLARE_LOGGING_CATEGORY(lcContactCard)
// "[MMS-VIEWER-CONTACT]"
Q_DECLARE_LOGGING_CATEGORY(lcViewerContact)
