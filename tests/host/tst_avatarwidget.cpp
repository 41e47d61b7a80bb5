#include "avatarwidget.h"
#include "contactlocalid.h"
#include "contactthumbnail.h"

#include <QtTest>

using namespace QtContacts;

// The avatar shows a picture, or a contact's thumbnail, also when the theme
// has no avatar mask or frame.
class TstAvatarWidget : public QObject
{
    Q_OBJECT

private slots:
    void showsContactThumbnail();
    void contactWithoutThumbnailClearsThePicture();
    void paintsWithoutThemeImages();

private:
    static QImage filled(const QColor& colour);
};

QImage TstAvatarWidget::filled(const QColor& colour)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void TstAvatarWidget::showsContactThumbnail()
{
    QContact contact;
    contact.setId(ContactLocalId::toContactId("qtcontacts:memory:", 7));
    ContactThumbnail::setImage(contact, filled(Qt::blue));
    // A second picture replaces the first.
    ContactThumbnail::setImage(contact, filled(Qt::red));

    AvatarWidget avatar;
    avatar.setContact(contact);
    QCOMPARE(avatar.contactId(), 7u);
    QCOMPARE(avatar.pixmap().toImage().pixelColor(8, 8), QColor(Qt::red));
}

void TstAvatarWidget::contactWithoutThumbnailClearsThePicture()
{
    AvatarWidget avatar;
    avatar.setPixmap(QPixmap::fromImage(filled(Qt::blue)));
    avatar.setContact(QContact());
    QVERIFY(avatar.pixmap().isNull());
    QCOMPARE(avatar.contactId(), 0u);
}

void TstAvatarWidget::paintsWithoutThemeImages()
{
    AvatarWidget avatar;
    avatar.resize(avatar.sizeHint());
    avatar.setPixmap(QPixmap::fromImage(filled(Qt::green)));
    const QImage shown = avatar.grab().toImage();
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::green));
}

QTEST_MAIN(TstAvatarWidget)
#include "tst_avatarwidget.moc"
