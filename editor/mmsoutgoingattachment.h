#pragma once

#include "mmscontenttypes.h"

#include <QString>

// One slide of an outgoing message as the send pipeline takes it: the composer's
// attachment item and the headless sender's record are turned into this.
struct MmsOutgoingAttachment
{
    // The file that will be sent (a resized copy once pictures were shrunk); empty
    // for a slide without a file.
    QString fileName;
    QString mimeType;
    MmsContentTypes::CONTENT_TYPE contentType = MmsContentTypes::UNKNOWN;
    QString slideText;
    int durationSeconds = 5;
    // The slide text stands for the message body.
    bool carriesBodyText = false;
};
