#include "gallerymedia.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace {

const int gifWidth = 96;
const int gifHeight = 72;
const int gifFrames = 8;

// Appends LZW codes of 3 bits, least significant bit first.
class CodeWriter
{
public:
    void add(int code)
    {
        for (int bit = 0; bit < 3; ++bit) {
            m_byte |= ((code >> bit) & 1) << m_bits;
            if (++m_bits == 8) {
                m_bytes.append(char(m_byte));
                m_byte = 0;
                m_bits = 0;
            }
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0) {
            m_bytes.append(char(m_byte));
        }
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    int m_byte = 0;
    int m_bits = 0;
};

// Palette index of a pixel: a ball moving across a dark field.
int ballPixel(int frame, int x, int y)
{
    const int centreX = 12 + frame * (gifWidth - 24) / (gifFrames - 1);
    const int dx = x - centreX;
    const int dy = y - gifHeight / 2;
    const int distance = dx * dx + dy * dy;
    return distance < 100 ? 2 : (distance < 160 ? 1 : 0);
}

// One frame's image data: four colours (minimum code size 2) written without
// compression, a clear code before every two pixels so that codes stay 3 bits.
QByteArray frameData(int frame)
{
    const int clear = 4;
    const int end = 5;
    CodeWriter codes;
    int pixel = 0;
    for (int y = 0; y < gifHeight; ++y) {
        for (int x = 0; x < gifWidth; ++x, ++pixel) {
            if (pixel % 2 == 0) {
                codes.add(clear);
            }
            codes.add(ballPixel(frame, x, y));
        }
    }
    codes.add(end);
    const QByteArray compressed = codes.finish();
    QByteArray blocks(1, '\x02');
    for (int at = 0; at < compressed.size(); at += 255) {
        const QByteArray block = compressed.mid(at, 255);
        blocks.append(char(block.size())).append(block);
    }
    return blocks.append('\0');
}

void appendShort(QByteArray* bytes, int value)
{
    bytes->append(char(value & 0xff)).append(char(value >> 8));
}

QByteArray animatedGifBytes()
{
    QByteArray gif("GIF89a");
    appendShort(&gif, gifWidth);
    appendShort(&gif, gifHeight);
    gif.append("\x81\x00\x00", 3); // global table of four colours
    gif.append("\x20\x30\x40\x60\x90\xd0\xf0\xc0\x30\xff\xff\xff", 12);
    gif.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int frame = 0; frame < gifFrames; ++frame) {
        gif.append("\x21\xf9\x04\x00\x08\x00\x00\x00", 8); // 80 ms
        gif.append('\x2c');
        appendShort(&gif, 0);
        appendShort(&gif, 0);
        appendShort(&gif, gifWidth);
        appendShort(&gif, gifHeight);
        gif.append('\0');
        gif.append(frameData(frame));
    }
    return gif.append('\x3b');
}

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage landscape(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x2a, 0x7f, 0xff));
    sky.setColorAt(1, QColor(0xbf, 0xe0, 0xff));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(0xff, 0xd0, 0x40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(width * 3 / 4, height / 4), height / 8, height / 8);
    painter.setBrush(QColor(0x3a, 0xa0, 0x5a));
    painter.drawPolygon(QPolygon({QPoint(0, height), QPoint(width / 3, height / 2),
                                  QPoint(width * 2 / 3, height * 3 / 4), QPoint(width, height / 2),
                                  QPoint(width, height)}));
    return image;
}

} // namespace

GalleryMedia::GalleryMedia(const QString& folder)
    : m_folder(folder)
{
}

QString GalleryMedia::path(const QString& name) const
{
    return QDir(m_folder).filePath(name);
}

QString GalleryMedia::write(const QString& name, const QByteArray& content) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return QString();
    }
    return file.fileName();
}

QString GalleryMedia::picture() const
{
    return write(QStringLiteral("landscape.png"), pngOf(landscape(800, 600)));
}

QString GalleryMedia::tallPicture() const
{
    // Stored turned a quarter to the left, as a camera held upright writes it.
    const QImage upright = landscape(600, 800);
    return write(QStringLiteral("upright.png"),
                 pngOf(upright.transformed(QTransform().rotate(-90))));
}

QString GalleryMedia::animatedGif() const
{
    return write(QStringLiteral("ball.gif"), animatedGifBytes());
}

QString GalleryMedia::text() const
{
    return write(QStringLiteral("notes.txt"),
                 QByteArrayLiteral("Shopping list for the weekend: bread, cheese, "
                                   "tomatoes, olives and something sweet.\nSee you at six!"));
}

QString GalleryMedia::clip() const
{
    return write(QStringLiteral("holiday.3gp"), QByteArrayLiteral("not a real clip"));
}

QString GalleryMedia::damagedPicture() const
{
    return write(QStringLiteral("damaged.jpg"), QByteArrayLiteral("\xff\xd8\xff broken"));
}
