#pragma once

#include <QLoggingCategory>

// "[MMS-IMAGE]"
Q_DECLARE_LOGGING_CATEGORY(lcImage)
// "[MMS-CONTACTCARD]"
Q_DECLARE_LOGGING_CATEGORY(lcContactCard)
// "[MMS-VIEWER-CONTACT]"
Q_DECLARE_LOGGING_CATEGORY(lcViewerContact)
// "[MMS-UI-BUBBLE]": the conversation bubble.
Q_DECLARE_LOGGING_CATEGORY(lcBubble)
// "[MMS]": the conversation bubble's deletion and its read report.
Q_DECLARE_LOGGING_CATEGORY(lcMms)
