#include "mmsresizevarianttable.h"

namespace {

MmsResizeVariant variant(int size, int width, int quality)
{
    return {{QStringLiteral("size"), size},
            {QStringLiteral("width"), width},
            {QStringLiteral("quality"), quality}};
}

// Four blocks of six qualities, one block per width. The sizes are not monotonic at the block
// boundaries (184320 before 199680, 27648 before 35840); that is intended.
const QList<MmsResizeVariant> variantTable = {
    variant(368640, 1024, 90), variant(296960, 1024, 85), variant(266240, 1024, 80),
    variant(245760, 1024, 70), variant(225280, 1024, 60), variant(184320, 1024, 50),
    variant(199680, 640, 90),  variant(163840, 640, 85),  variant(137216, 640, 80),
    variant(108544, 640, 70),  variant(91136, 640, 60),   variant(78848, 640, 50),
    variant(59392, 320, 90),   variant(51200, 320, 85),   variant(41984, 320, 80),
    variant(34816, 320, 70),   variant(29696, 320, 60),   variant(27648, 320, 50),
    variant(35840, 240, 90),   variant(28672, 240, 85),   variant(24576, 240, 80),
    variant(18432, 240, 70),   variant(16384, 240, 60),   variant(14336, 240, 50),
};

} // namespace

const QList<MmsResizeVariant>& mmsResizeVariantTable()
{
    return variantTable;
}
