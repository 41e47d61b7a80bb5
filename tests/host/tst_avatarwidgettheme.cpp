#include "avatarwidget.h"
#include "tktheme.h"

#include <QtTest>

// With the theme's mask (opaque where the picture is cut away) and frame, the picture shows
// inside the rounded square and nowhere outside it.
class TstAvatarWidgetTheme : public QObject
{
    Q_OBJECT
private slots:
    void maskCutsTheCornersAway()
    {
        QVERIFY(TkTheme::hasImage(QStringLiteral("veltotouch-contactsui-avatar-mask")));
        QImage green(64, 64, QImage::Format_RGB32);
        green.fill(Qt::green);
        AvatarWidget avatar;
        avatar.resize(64, 64);
        avatar.setPixmap(QPixmap::fromImage(green));
        QImage shown(avatar.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        avatar.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(shown.pixelColor(32, 32), QColor(Qt::green));
        QVERIFY(shown.pixelColor(0, 0) != QColor(Qt::green));
    }
};

QTEST_MAIN(TstAvatarWidgetTheme)
#include "tst_avatarwidgettheme.moc"
