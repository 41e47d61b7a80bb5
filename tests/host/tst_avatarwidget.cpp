#include "avatarwidget.h"
#include "contactlocalid.h"
#include "contactthumbnail.h"

#include <QtTest>

using namespace QtContacts;

namespace {

QImage filled(const QColor& colour)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// The avatar shows a contact's latest thumbnail, or nothing; it paints also when the theme
// has no avatar mask or frame (this program has no theme).
class TstAvatarWidget : public QObject
{
    Q_OBJECT
private slots:
    void showsContactThumbnail()
    {
        QContact contact;
        contact.setId(ContactLocalId::toContactId("qtcontacts:memory:", 7));
        ContactThumbnail::setImage(contact, filled(Qt::blue));
        ContactThumbnail::setImage(contact, filled(Qt::red));
        AvatarWidget avatar;
        avatar.setContact(contact);
        QCOMPARE(avatar.contactId(), 7u);
        avatar.resize(avatar.sizeHint());
        const QImage shown = avatar.grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
        avatar.setContact(QContact());
        QVERIFY(avatar.pixmap().isNull());
        QCOMPARE(avatar.contactId(), 0u);
    }
};

QTEST_MAIN(TstAvatarWidget)
#include "tst_avatarwidget.moc"
