#pragma once

#include "smilref.h"

#include <QList>
#include <QString>

// A time container of the body: a <par> (normally one slide) or a <seq>.
class SmilNode
{
public:
    enum Kind { Par, Seq };

    Kind kind = Par;
    // The "dur" attribute as written ("5s", "5000ms"); empty when not given.
    QString duration;
    QList<SmilNode> nodes;
    QList<SmilRef> refs;
};
