#include "widgets_debug.h"

Q_LOGGING_CATEGORY(lcImage, "dravel.image", QtInfoMsg)
Q_LOGGING_CATEGORY(lcContactCard, "dravel.contactcard", QtInfoMsg)
Q_LOGGING_CATEGORY(lcViewerContact, "dravel.viewercontact", QtInfoMsg)
