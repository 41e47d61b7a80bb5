#include "widgets_debug.h"

Q_LOGGING_CATEGORY(lcImage, "dravel.image", QtInfoMsg)
Q_LOGGING_CATEGORY(lcContactCard, "dravel.contactcard", QtInfoMsg)
Q_LOGGING_CATEGORY(lcViewerContact, "dravel.viewercontact", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBubble, "dravel.bubble", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMms, "dravel.mms", QtInfoMsg)
