#include "mmsjpegscanner.h"

#include <QFile>

#include <cstring>

namespace {

const int markerPrefix = 0xFF;
const int startOfImage = 0xD8;
const int endOfImage = 0xD9;
const int chunkSize = 64 * 1024;

// Markers without a length field: TEM and the restart markers inside entropy-coded data.
bool isStandalone(int marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

MmsJpegScanner::MmsJpegScanner(QIODevice& device)
    : m_device(device)
{
}

bool MmsJpegScanner::isComplete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return isComplete(file);
}

bool MmsJpegScanner::isComplete(QIODevice& device)
{
    MmsJpegScanner scanner(device);
    return scanner.endsWithEndOfImage() || scanner.scanToEndOfImage();
}

// The usual case, checked without reading the file: it ends right after its end-of-image
// marker. A cut inside the entropy-coded data cannot end like that, since a 0xFF byte there is
// always followed by 0x00 or a restart marker.
bool MmsJpegScanner::endsWithEndOfImage() const
{
    const qint64 size = m_device.size();
    if (size < 4 || !m_device.seek(size - 2)) {
        return false;
    }
    const QByteArray tail = m_device.read(2);
    m_device.seek(0);
    return tail == QByteArray("\xFF\xD9", 2);
}

// Files with data after the image (trailers of some cameras) are walked marker by marker.
bool MmsJpegScanner::scanToEndOfImage()
{
    if (nextByte() != markerPrefix || nextByte() != startOfImage) {
        return false;
    }
    for (;;) {
        const int marker = nextMarker();
        if (marker < 0) {
            return false;
        }
        if (marker == endOfImage) {
            return true;
        }
        if (!isStandalone(marker) && !skipSegment()) {
            return false;
        }
    }
}

// The next marker after the current position, passing over entropy-coded data, stuffed zero
// bytes, fill bytes and restart markers; -1 at the end of the file.
int MmsJpegScanner::nextMarker()
{
    while (skipToMarkerPrefix()) {
        int code = nextByte();
        while (code == markerPrefix) {
            code = nextByte();
        }
        if (code < 0) {
            return -1;
        }
        if (code != 0 && !isStandalone(code)) {
            return code;
        }
    }
    return -1;
}

bool MmsJpegScanner::skipSegment()
{
    const int high = nextByte();
    const int low = nextByte();
    if (high < 0 || low < 0) {
        return false;
    }
    const int length = (high << 8) | low;
    return length >= 2 && skipBytes(length - 2);
}

int MmsJpegScanner::nextByte()
{
    if (!fillChunk()) {
        return -1;
    }
    return uchar(m_chunk.at(m_position++));
}

bool MmsJpegScanner::skipBytes(qint64 count)
{
    while (count > 0) {
        if (!fillChunk()) {
            return false;
        }
        const int step = int(qMin<qint64>(count, m_chunk.size() - m_position));
        m_position += step;
        count -= step;
    }
    return true;
}

bool MmsJpegScanner::skipToMarkerPrefix()
{
    while (fillChunk()) {
        const char* begin = m_chunk.constData() + m_position;
        const void* found = std::memchr(begin, markerPrefix, size_t(m_chunk.size() - m_position));
        if (found) {
            m_position += int(static_cast<const char*>(found) - begin) + 1;
            return true;
        }
        m_position = m_chunk.size();
    }
    return false;
}

bool MmsJpegScanner::fillChunk()
{
    if (m_position < m_chunk.size()) {
        return true;
    }
    m_chunk = m_device.read(chunkSize);
    m_position = 0;
    return !m_chunk.isEmpty();
}
