#pragma once

#include <QString>

// The files the gallery shows, generated into a folder: pictures, an animated
// GIF, a text, a clip and a damaged picture. Each function returns the path,
// empty when the file could not be written.
class GalleryMedia
{
public:
    explicit GalleryMedia(const QString& folder);

    QString picture() const;
    // Taller than wide, to be shown turned a quarter to the right.
    QString tallPicture() const;
    QString animatedGif() const;
    QString text() const;
    QString clip() const;
    QString damagedPicture() const;

private:
    QString write(const QString& name, const QByteArray& content) const;
    QString path(const QString& name) const;

    QString m_folder;
};
