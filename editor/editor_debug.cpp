#include "editor_debug.h"

Q_LOGGING_CATEGORY(lcEditor, "dravel.editor", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAttachment, "dravel.attachment", QtInfoMsg)
Q_LOGGING_CATEGORY(lcVideoEncoding, "dravel.venc", QtInfoMsg)
