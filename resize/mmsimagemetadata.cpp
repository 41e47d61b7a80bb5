#include "mmsimagemetadata.h"

#include "resize_debug.h"

#include <QFile>

#include <exiv2/exiv2.hpp>

#include <exception>

namespace {

const char orientationKey[] = "Exif.Image.Orientation";
const char xmpOrientationKey[] = "Xmp.tiff.Orientation";

// Exiv2's XMP parser must be initialised once before threads use it; library load is the
// one moment that is surely single-threaded.
const bool xmpParserReady = Exiv2::XmpParser::initialize();

std::string localPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

std::unique_ptr<Exiv2::Image> readImage(const QString& path)
{
    try {
        std::unique_ptr<Exiv2::Image> image = Exiv2::ImageFactory::open(localPath(path));
        image->readMetadata();
        return image;
    } catch (const std::exception& error) {
        qCDebug(lcResize) << "Cannot read picture metadata of" << path << ":" << error.what();
        return nullptr;
    }
}

} // namespace

MmsImageMetadata::MmsImageMetadata(const QString& path)
    : m_image(readImage(path))
{
    Q_UNUSED(xmpParserReady)
}

MmsImageMetadata::~MmsImageMetadata() = default;

bool MmsImageMetadata::isValid() const
{
    return m_image && !m_image->exifData().empty();
}

int MmsImageMetadata::orientation() const
{
    if (!m_image) {
        return 0;
    }
    const Exiv2::ExifData& exif = m_image->exifData();
    const auto entry = exif.findKey(Exiv2::ExifKey(orientationKey));
    if (entry == exif.end() || entry->count() == 0) {
        return 0;
    }
    return int(entry->toLong());
}

int MmsImageMetadata::rotation() const
{
    switch (orientation()) {
    case 3:
        return 180;
    case 6:
        return 90;
    case 8:
        return -90;
    default:
        return 0;
    }
}

void MmsImageMetadata::setOrientation(int orientation)
{
    if (!m_image) {
        return;
    }
    m_image->exifData()[orientationKey] = uint16_t(orientation);
    Exiv2::XmpData& xmp = m_image->xmpData();
    if (xmp.findKey(Exiv2::XmpKey(xmpOrientationKey)) != xmp.end()) {
        xmp[xmpOrientationKey] = std::to_string(orientation);
    }
}

bool MmsImageMetadata::write(const QString& targetPath) const
{
    if (!m_image) {
        return false;
    }
    try {
        std::unique_ptr<Exiv2::Image> target = Exiv2::ImageFactory::open(localPath(targetPath));
        target->setExifData(m_image->exifData());
        target->setIptcData(m_image->iptcData());
        target->setXmpData(m_image->xmpData());
        target->writeMetadata();
        return true;
    } catch (const std::exception& error) {
        qCDebug(lcResize) << "Cannot write picture metadata to" << targetPath << ":"
                          << error.what();
        return false;
    }
}
