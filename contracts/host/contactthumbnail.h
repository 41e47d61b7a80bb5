#pragma once

#include <QContact>
#include <QImage>

// The picture of a contact, kept in the contact as its thumbnail detail: an
// extended detail named "Thumbnail" whose data is the image.
class ContactThumbnail
{
public:
    static const QString detailName;

    // A null image when the contact has no thumbnail.
    static QImage image(const QtContacts::QContact& contact);
    static void setImage(QtContacts::QContact& contact, const QImage& image);
};
