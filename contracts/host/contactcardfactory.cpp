#include "contactcardfactory.h"

#include "contactthumbnail.h"
#include "host_debug.h"

#include <QFile>
#include <QVersitContactImporter>
#include <QVersitReader>

using namespace QtContacts;
using namespace QtVersit;

namespace {

QList<QVersitDocument> readDocuments(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcHost) << "Cannot open contact card" << fileName << file.errorString();
        return {};
    }
    QVersitReader reader(&file);
    if (!reader.startReading() || !reader.waitForFinished() ||
        reader.error() != QVersitReader::NoError) {
        qCWarning(lcHost) << "Cannot read contact card" << fileName << reader.error();
        return {};
    }
    return reader.results();
}

// The card's embedded photo becomes the contact's thumbnail.
void importPhoto(const QVersitDocument& document, QContact& contact)
{
    for (const QVersitProperty& property : document.properties()) {
        if (property.name() != QLatin1String("PHOTO"))
            continue;
        const QImage image = QImage::fromData(property.value<QByteArray>());
        if (!image.isNull()) {
            ContactThumbnail::setImage(contact, image);
            return;
        }
    }
}

} // namespace

QSharedPointer<QContact> ContactCardFactory::getContactCardDetails(const QString& fileName,
                                                                   bool strict)
{
    const QList<QVersitDocument> documents = readDocuments(fileName);
    if (strict && documents.size() > 1)
        return {};
    QVersitContactImporter importer;
    if (documents.isEmpty() || !importer.importDocuments({documents.first()}) ||
        importer.contacts().isEmpty()) {
        qCWarning(lcHost) << "No contact in contact card" << fileName;
        return {};
    }
    auto contact = QSharedPointer<QContact>::create(importer.contacts().first());
    importPhoto(documents.first(), *contact);
    return contact;
}
