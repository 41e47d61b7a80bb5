#include "avatarwidget.h"
#include "contactlocalid.h"
#include "contactthumbnail.h"
#include "tktheme.h"

#include <QtTest>

using namespace QtContacts;

namespace {

QImage filled(const QColor& colour, int size = 16)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QColor shownAt(AvatarWidget& avatar, const QPoint& point)
{
    QImage shown(avatar.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    avatar.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    return shown.pixelColor(point);
}

} // namespace

// The avatar shows a contact's latest thumbnail, or nothing; with the theme's mask (opaque
// where the picture is cut away) and frame inside the rounded square only, and without them
// (the theme taken away for a while) plainly.
class TstAvatarWidget : public QObject
{
    Q_OBJECT
private slots:
    void showsContactThumbnailWithoutTheme()
    {
        Q_CLEANUP_RESOURCE(theme);
        QContact contact;
        contact.setId(ContactLocalId::toContactId("qtcontacts:memory:", 7));
        ContactThumbnail::setImage(contact, filled(Qt::blue));
        ContactThumbnail::setImage(contact, filled(Qt::red));
        AvatarWidget avatar;
        avatar.setContact(contact);
        QCOMPARE(avatar.contactId(), 7u);
        avatar.resize(avatar.sizeHint());
        QCOMPARE(shownAt(avatar, QPoint(0, 0)), QColor(Qt::red));
        avatar.setContact(QContact());
        QVERIFY(avatar.pixmap().isNull());
        QCOMPARE(avatar.contactId(), 0u);
        Q_INIT_RESOURCE(theme);
    }

    void maskCutsTheCornersAway()
    {
        QVERIFY(TkTheme::hasImage(QStringLiteral("veltotouch-contactsui-avatar-mask")));
        AvatarWidget avatar;
        avatar.resize(64, 64);
        avatar.setPixmap(QPixmap::fromImage(filled(Qt::green, 64)));
        QCOMPARE(shownAt(avatar, QPoint(32, 32)), QColor(Qt::green));
        QVERIFY(shownAt(avatar, QPoint(0, 0)) != QColor(Qt::green));
    }
};

QTEST_MAIN(TstAvatarWidget)
#include "tst_avatarwidget.moc"
