#pragma once

#include "messagesender.h"
#include "mmspipelineflavour.h"

#include <QStringList>

// The last steps of a send: whether the connection profile allows one, and the
// hand-over of the send list to the host's MessageSender.
class MmsHandOver
{
public:
    // The MMS account every message goes out through.
    static const QString accountPath;

    // The active connection profile (the provisioned one, or the user's own when
    // automatic connection is off) names both an access point and a message centre.
    static bool connectionSettingsComplete();

    // Hands the list to a new MessageSender owned by the application, which deletes
    // itself once it has reported; the first address is the conversation it belongs to
    // (logged as "Sending to phone number"). The reports asked for are the configured
    // ones.
    static MessageSender* send(const MmsPipelineFlavour& flavour,
                               const QList<MessageSender::PropertyMap>& sendList,
                               const QStringList& recipients);
};
