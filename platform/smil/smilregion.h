#pragma once

#include "smilunit.h"

#include <QString>

// A layout region that references place their media in.
class SmilRegion
{
public:
    explicit SmilRegion(const QString& name = QString());

    QString name;
    SmilUnit width;
    SmilUnit height;
    SmilUnit bottom;
    SmilUnit top;
    SmilUnit left;
    SmilUnit right;
    // How media fits the region: "meet", "scroll", "fill", ...; empty when not given.
    QString fit;
};
