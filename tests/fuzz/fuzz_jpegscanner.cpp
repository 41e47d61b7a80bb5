// Feeds arbitrary bytes to the resizer's JPEG completeness check. Beyond not crashing, a file
// taken for complete must either end with the end-of-image marker or start like a JPEG and hold
// that marker somewhere.
#include "mmsjpegscanner.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    if (!MmsJpegScanner::isComplete(device))
        return 0;

    const QByteArray endOfImage("\xFF\xD9", 2);
    const bool endsWithIt = bytes.size() >= 4 && bytes.endsWith(endOfImage);
    const bool holdsIt = bytes.startsWith("\xFF\xD8") && bytes.indexOf(endOfImage, 2) >= 0;
    if (!endsWithIt && !holdsIt)
        abort();
    return 0;
}
