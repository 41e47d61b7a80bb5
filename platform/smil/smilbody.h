#pragma once

#include "smilnode.h"
#include "smilref.h"

#include <QList>

// The presentation's body: its time containers, and media that stand in it directly.
class SmilBody
{
public:
    QList<SmilNode> nodes;
    QList<SmilRef> refs;
};
