#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Tells whether a JPEG file holds its whole image, up to the end-of-image marker. A decoder
// fills the missing part of a truncated file with grey and only warns, so a truncated
// picture would otherwise pass for a good one.
class MmsJpegScanner
{
public:
    static bool isComplete(const QString& path);
    static bool isComplete(QIODevice& device);

private:
    explicit MmsJpegScanner(QIODevice& device);

    bool endsWithEndOfImage() const;
    bool scanToEndOfImage();
    int nextMarker();
    bool skipSegment();
    int nextByte();
    bool skipBytes(qint64 count);
    bool skipToMarkerPrefix();
    bool fillChunk();

    QIODevice& m_device;
    QByteArray m_chunk;
    int m_position = 0;
};
