#pragma once

#include "smilmeta.h"
#include "smilregion.h"

#include <QList>

// The presentation's head: its metadata and its layout regions.
class SmilHeader
{
public:
    QList<SmilMeta> metas;
    QList<SmilRegion> regions;
};
