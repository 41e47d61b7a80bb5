#pragma once

#include <QLoggingCategory>

// "[MMS-EDITOR]" and the other lines of the composer.
Q_DECLARE_LOGGING_CATEGORY(lcEditor)
// "[MMS-ATTACHMENT]" and the other lines of a slide item.
Q_DECLARE_LOGGING_CATEGORY(lcAttachment)
// "[VENC]" and "[ENC]": a slide's video encoding.
Q_DECLARE_LOGGING_CATEGORY(lcVideoEncoding)
