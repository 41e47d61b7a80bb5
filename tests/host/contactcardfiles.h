#pragma once

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>

// vCard files written by the tests that read contact cards.
namespace contactcardfiles {

// A vCard 3.0 card around the given property lines.
inline QByteArray card(const QStringList& lines)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines.join(QStringLiteral("\r\n")).toUtf8() +
           (lines.isEmpty() ? "" : "\r\n") + "END:VCARD\r\n";
}

// A PHOTO line holding a PNG of the given size and colour.
inline QString photoLine(const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("PHOTO;ENCODING=b;TYPE=PNG:") + QString::fromLatin1(png.toBase64());
}

// The file's path, or an empty string when it could not be written.
inline QString write(const QDir& folder, const QString& fileName, const QByteArray& content)
{
    QFile file(folder.filePath(fileName));
    const bool written = file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    return written ? file.fileName() : QString();
}

} // namespace contactcardfiles
