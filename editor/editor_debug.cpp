#include "editor_debug.h"

Q_LOGGING_CATEGORY(lcEditor, "dravel.editor", QtInfoMsg)
