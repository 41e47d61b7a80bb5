#pragma once

#include "mmsresizer.h"

#include <QString>

// One attempt of the resizer at a given variant, whatever the picture's budget: the zero limit
// makes it re-encode, as for a camera picture over budget. size is 0 for a first attempt and
// the previous attempt's size for a step-down.
inline bool resizeWithVariant(MmsResizer& resizer, const QString& path, const QString& folder,
                              int width, int quality, int& size, QString& resultPath)
{
    // Every request stores its target folder first, an empty one included.
    resizer.startResize({}, 0, folder);
    return resizer.resize(path, width, quality, 0, size, resultPath);
}
