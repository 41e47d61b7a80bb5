#include "sender_debug.h"

Q_LOGGING_CATEGORY(lcSender, "dravel.sender", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSimpleEditor, "dravel.simpled", QtInfoMsg)
