#pragma once

#include "mmsoutgoingattachment.h"
#include "mmspipelineflavour.h"

// The headless sender's flavour as its own subsystem will give it.
Q_LOGGING_CATEGORY(lcHeadlessTest, "dravel.sender")

inline MmsPipelineFlavour flavourFor(bool headless)
{
    return headless ? MmsPipelineFlavour::headless(lcHeadlessTest, "[MMS-SENDER]")
                    : MmsPipelineFlavour::editor();
}

inline MmsOutgoingAttachment testAttachment(const QString& fileName, const QString& mimeType,
                                            const QString& slideText)
{
    MmsOutgoingAttachment attachment;
    attachment.fileName = fileName;
    attachment.mimeType = mimeType;
    attachment.contentType = MmsContentTypes::contentTypeByMime(mimeType);
    attachment.slideText = slideText;
    return attachment;
}
