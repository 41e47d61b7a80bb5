#pragma once

#include <QColor>
#include <QString>

// Media files for the image widget tests, written into a folder of the test.
namespace imagemedia {

// A PNG of the given size in one colour; empty on failure.
QString writePicture(const QString& path, int width, int height, const QColor& color);
// A PNG whose left tenth is green, the rest of the left half red and the
// right half blue: where the green stripe lands shows how it was turned.
QString writeStripedPicture(const QString& path, int width, int height);
// A GIF of 1 x 1 pixel with the given number of frames.
QString writeGif(const QString& path, int frames);
QString writeBytes(const QString& path, const QByteArray& bytes);

} // namespace imagemedia
