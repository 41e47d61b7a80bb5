#include "testpictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>

#include <exiv2/exiv2.hpp>

namespace {

std::unique_ptr<Exiv2::Image> openWithMetadata(const QString& path)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    return image;
}

// Random grey levels in blocks of 4 x 4 pixels: fine detail that survives scaling down, as a
// photograph's does.
QImage grain(const QSize& size)
{
    QImage blocks((size + QSize(3, 3)) / 4, QImage::Format_Grayscale8);
    QRandomGenerator random(42);
    for (int y = 0; y < blocks.height(); ++y) {
        for (int x = 0; x < blocks.width(); ++x)
            blocks.scanLine(y)[x] = uchar(random.bounded(256));
    }
    return blocks.scaled(blocks.size() * 4).copy(QRect(QPoint(0, 0), size));
}

} // namespace

QImage TestPictures::picture(const QSize& size, int noise)
{
    QImage image(size, QImage::Format_RGB32);
    const QImage levels = noise == 0 ? QImage() : grain(size);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int shift = noise == 0 ? 0 : (levels.constScanLine(y)[x] - 128) * noise / 128;
            const auto channel = [shift](int value) { return qBound(0, value + shift, 255); };
            line[x] = x < size.width() / 2 ? qRgb(channel(200), channel(40), channel(40))
                                           : qRgb(channel(40), channel(40), channel(200));
        }
    }
    return image;
}

QString TestPictures::writeJpeg(const QString& path, const QSize& size, int noise, int quality)
{
    picture(size, noise).save(path, "JPG", quality);
    return path;
}

QString TestPictures::writePng(const QString& path, const QSize& size)
{
    picture(size).save(path, "PNG");
    return path;
}

QByteArray TestPictures::jpegData(const QSize& size, bool progressive)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(picture(size, 30));
    return buffer.data();
}

void TestPictures::writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

QByteArray TestPictures::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestPictures::setExifOrientation(const QString& path, int orientation)
{
    auto image = openWithMetadata(path);
    image->exifData()["Exif.Image.Orientation"] = uint16_t(orientation);
    image->writeMetadata();
}

void TestPictures::setExifDescription(const QString& path, int length)
{
    auto image = openWithMetadata(path);
    image->exifData()["Exif.Image.ImageDescription"] = std::string(size_t(length), 'x');
    image->writeMetadata();
}

int TestPictures::exifOrientation(const QString& path)
{
    auto image = openWithMetadata(path);
    const Exiv2::ExifData& exif = image->exifData();
    const auto entry = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    return entry == exif.end() ? 0 : int(entry->toLong());
}

bool TestPictures::isReddish(QRgb pixel)
{
    return qRed(pixel) > 150 && qBlue(pixel) < 100;
}

bool TestPictures::isBluish(QRgb pixel)
{
    return qBlue(pixel) > 150 && qRed(pixel) < 100;
}
