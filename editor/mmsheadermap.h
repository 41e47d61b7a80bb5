#pragma once

#include "messagesender.h"
#include "mmsoutgoingmessage.h"

// The first map of a send list: subject, token, validity, the address lists and the
// estimated size.
class MmsHeaderMap
{
public:
    // `message` carries the cleaned address lists; an empty list gives no key.
    // The validity is the configured one, read afresh.
    static MessageSender::PropertyMap build(const MmsOutgoingMessage& message, const QString& token,
                                            quint32 messageSize);
    // Seconds a message stays valid for a validity in hours; -1 (or any other negative
    // number) is the maximum the protocol can express.
    static quint32 validitySeconds(int hours);
};
