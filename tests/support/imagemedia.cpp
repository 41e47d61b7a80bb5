#include "imagemedia.h"

#include <QFile>
#include <QImage>
#include <QPainter>

namespace imagemedia {

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return QString();
    }
    return path;
}

QString writePicture(const QString& path, int width, int height, const QColor& color)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(color);
    return picture.save(path, "PNG") ? path : QString();
}

QString writeStripedPicture(const QString& path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(0, 0, width / 10, height, Qt::green);
    painter.fillRect(width / 10, 0, width / 2 - width / 10, height, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    painter.end();
    return picture.save(path, "PNG") ? path : QString();
}

QString writeGif(const QString& path, int frames)
{
    // Logical screen 1 x 1 with a global colour table of red and blue, looping.
    QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    gif.append("\xff\x00\x00\x00\x00\xff", 6);
    gif.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int frame = 0; frame < frames; ++frame) {
        // Graphic control: 10 cs delay; image 1 x 1 at 0,0 without local table.
        gif.append("\x21\xf9\x04\x00\x0a\x00\x00\x00", 8);
        gif.append("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
        // LZW, minimum code size 2: clear, the pixel's colour index, end.
        const char pixel = frame % 2 == 0 ? '\x44' : '\x4c';
        gif.append("\x02\x02", 2).append(pixel).append("\x01\x00", 2);
    }
    gif.append('\x3b');
    return writeBytes(path, gif);
}

} // namespace imagemedia
