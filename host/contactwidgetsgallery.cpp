#include "contactwidgetsgallery.h"

#include "contactlistlabel.h"
#include "contactmanagers.h"
#include "customselectablelabel.h"
#include "mmscontactcard.h"

#include <QBuffer>
#include <QContactDetailFilter>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTimer>

using namespace QtContacts;

const QString ContactWidgetsGallery::sampleNumber = QStringLiteral("+358401234567");

QByteArray ContactWidgetsGallery::samplePhoto()
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(QColor(0x2a, 0x6f, 0x97));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(40);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("AB"));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString ContactWidgetsGallery::writeSampleCard(const QString& folder)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
                            "TEL;TYPE=CELL:" +
                            sampleNumber.toLatin1() +
                            "\r\nEMAIL:anna.berg@example.com\r\n"
                            "PHOTO;ENCODING=b;TYPE=PNG:" +
                            samplePhoto().toBase64() + "\r\nEND:VCARD\r\n";
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(QStringLiteral("anna-berg.vcf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(card) != card.size())
        return QString();
    return file.fileName();
}

void ContactWidgetsGallery::storeSampleContact()
{
    const QSharedPointer<QContactManager> manager = mmsui::utils::getContactManager();
    if (!manager)
        return;
    QContactDetailFilter stored;
    stored.setDetailType(QContactPhoneNumber::Type, QContactPhoneNumber::FieldNumber);
    stored.setValue(sampleNumber);
    if (!manager->contactIds(stored).isEmpty())
        return;
    QContact contact;
    QContactName name;
    name.setFirstName(QStringLiteral("Anna"));
    name.setLastName(QStringLiteral("Berg"));
    contact.saveDetail(&name);
    QContactPhoneNumber phone;
    phone.setNumber(sampleNumber);
    contact.saveDetail(&phone);
    manager->saveContact(&contact);
}

QList<QWidget*> ContactWidgetsGallery::create(const QString& folder, QWidget* parent)
{
    const QString cardFile = writeSampleCard(folder);
    if (cardFile.isEmpty())
        return {};
    storeSampleContact();

    auto* addresses = new ContactListLabel(parent);
    addresses->setObjectName(QStringLiteral("galleryAddresses"));
    addresses->setAddressList({sampleNumber, QStringLiteral("someone@example.com")});
    QTimer::singleShot(0, addresses, &ContactListLabel::startContactResolving);

    auto* card = new MmsContactCard(cardFile, parent);

    auto* text = new CustomSelectableLabel(
        QStringLiteral("Long-press a word to select it :-)\nThe second line."), parent);
    text->setObjectName(QStringLiteral("gallerySelectableText"));
    text->setStyleName(QStringLiteral("CommonBodyText"));
    return {addresses, card, text};
}
