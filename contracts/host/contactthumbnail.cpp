#include "contactthumbnail.h"

#include <QContactExtendedDetail>

using namespace QtContacts;

const QString ContactThumbnail::detailName = QStringLiteral("Thumbnail");

QImage ContactThumbnail::image(const QContact& contact)
{
    const auto details = contact.details<QContactExtendedDetail>();
    for (const QContactExtendedDetail& detail : details) {
        if (detail.name() == detailName)
            return detail.data().value<QImage>();
    }
    return QImage();
}

void ContactThumbnail::setImage(QContact& contact, const QImage& image)
{
    const auto details = contact.details<QContactExtendedDetail>();
    for (QContactExtendedDetail detail : details) {
        if (detail.name() == detailName)
            contact.removeDetail(&detail);
    }
    QContactExtendedDetail thumbnail;
    thumbnail.setName(detailName);
    thumbnail.setData(image);
    contact.saveDetail(&thumbnail);
}
