#include "smilregion.h"

SmilRegion::SmilRegion(const QString& name)
    : name(name)
    , width(SmilUnit::convert(QString()))
    , height(SmilUnit::convert(QString()))
    , bottom(SmilUnit::convert(QString()))
    , top(SmilUnit::convert(QString()))
    , left(SmilUnit::convert(QString()))
    , right(SmilUnit::convert(QString()))
{
}
