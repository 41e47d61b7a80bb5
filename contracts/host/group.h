#pragma once

#include <QStringList>

namespace Chronel {

// A conversation: the messages exchanged with one remote party.
struct Group
{
    int id = -1;
    QString localUid;
    QStringList remoteUids;
    int lastEventId = -1;
};

} // namespace Chronel
