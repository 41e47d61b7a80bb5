#pragma once

#include <QString>

#include <memory>

namespace Exiv2 {
class Image;
}

// The picture metadata (Exif, IPTC, XMP) of one file, read through exiv2. Exiv2 reports
// failures by exceptions; none leaves this class.
class MmsImageMetadata
{
public:
    explicit MmsImageMetadata(const QString& path);
    ~MmsImageMetadata();

    // True when the file could be read and carries Exif data.
    bool isValid() const;
    // The Exif orientation entry (1..8); 0 when there is none.
    int orientation() const;
    // The turn, in degrees, that brings the picture upright: 180 for orientation 3,
    // 90 for 6, -90 for 8; 0 for the others (mirrored ones stay as they are).
    int rotation() const;
    // Sets the orientation entry, also in XMP when the file carries one there.
    void setOrientation(int orientation);
    // Writes this metadata into the picture at targetPath, replacing what it had.
    bool write(const QString& targetPath) const;

private:
    std::unique_ptr<Exiv2::Image> m_image;
};
