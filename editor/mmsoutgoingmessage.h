#pragma once

#include "mmsoutgoingattachment.h"

#include <QList>
#include <QString>
#include <QStringList>

// An outgoing message as the send pipeline takes it, built by the composer from its
// fields or by the headless sender from what it was given.
struct MmsOutgoingMessage
{
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject;
    // Sent as text.txt when there are no attachments; each slide carries its own text.
    QString body;
    QList<MmsOutgoingAttachment> attachments;
};
