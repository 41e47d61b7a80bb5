#pragma once

#include <QList>
#include <QMap>
#include <QString>

// One row of the resize variant table: "size" (expected bytes), "width" (longest side in pixels)
// and "quality" (JPEG quality). A missing key reads as 0.
using MmsResizeVariant = QMap<QString, int>;

// The process-wide table, built once when the library is loaded and never changed afterwards,
// so worker threads read it without locking. Its order matters: searches take the first match.
const QList<MmsResizeVariant>& mmsResizeVariantTable();
