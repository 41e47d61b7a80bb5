#pragma once

#include <QString>

// One <meta name="..." content="..."/> of the presentation's head.
class SmilMeta
{
public:
    QString name;
    QString content;
};
