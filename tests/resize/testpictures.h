#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures for the resize tests: a red left half and a blue right half (so a rotation shows),
// optionally with photographic noise (so JPEG sizes are camera-like).
class TestPictures
{
public:
    static QImage picture(const QSize& size, int noise = 0);
    static QString writeJpeg(const QString& path, const QSize& size, int noise = 0,
                             int quality = 90);
    static QString writePng(const QString& path, const QSize& size);
    static QByteArray jpegData(const QSize& size, bool progressive = false);
    static void writeFile(const QString& path, const QByteArray& data);
    static QByteArray readFile(const QString& path);

    // Exif through exiv2 directly.
    static void setExifOrientation(const QString& path, int orientation);
    static void setExifDescription(const QString& path, int length);
    // 0 when the file has no orientation entry.
    static int exifOrientation(const QString& path);

    static bool isReddish(QRgb pixel);
    static bool isBluish(QRgb pixel);
};
