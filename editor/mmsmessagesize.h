#pragma once

#include "mmscontenttypes.h"
#include "mmsoutgoingmessage.h"
#include "mmspipelineflavour.h"

#include <QStringList>

// The size budget of an outgoing message: its estimate, the verdict against the
// configured maximum, and what the picture resize is given.
class MmsMessageSize
{
public:
    // Addresses, subject and, without attachments, the body: in characters. Per
    // attachment its file in bytes (unless its type is `excluded`; UNKNOWN excludes
    // nothing), plus the flavour's slide text length and per-part overhead. Logged as
    // "Message size:".
    static quint32 getMessageSize(const MmsPipelineFlavour& flavour,
                                  const MmsOutgoingMessage& message,
                                  MmsContentTypes::CONTENT_TYPE excluded);
    // The whole estimate is at most the configured maximum (read afresh).
    static bool validateMessageSize(const MmsPipelineFlavour& flavour,
                                    const MmsOutgoingMessage& message);
    // What the pictures may take together: the maximum less everything else; zero or
    // less when nothing is left for them.
    static int pictureBudget(const MmsPipelineFlavour& flavour, const MmsOutgoingMessage& message);
    // The files of the picture attachments, in attachment order.
    static QStringList picturePaths(const MmsOutgoingMessage& message);

private:
    static quint64 addressLength(const QStringList& addresses);
    static quint64 attachmentSize(const MmsPipelineFlavour& flavour,
                                  const MmsOutgoingAttachment& attachment,
                                  MmsContentTypes::CONTENT_TYPE excluded);
    static quint32 maxMessageSize();
};
