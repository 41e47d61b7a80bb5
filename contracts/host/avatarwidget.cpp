#include "avatarwidget.h"

#include "contactlocalid.h"
#include "contactthumbnail.h"
#include "tktheme.h"

#include <QPainter>

using namespace QtContacts;

namespace {
const QString kMaskId = QStringLiteral("veltotouch-contactsui-avatar-mask");
const QString kFrameId = QStringLiteral("veltotouch-contactsui-avatar-frame");
const QSize kDefaultSize(64, 64);
} // namespace

AvatarWidget::AvatarWidget(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void AvatarWidget::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    update();
}

void AvatarWidget::setContact(const QContact& contact)
{
    m_contact = contact;
    setPixmap(QPixmap::fromImage(ContactThumbnail::image(contact)));
}

quint32 AvatarWidget::contactId() const
{
    return ContactLocalId::fromContactId(m_contact.id());
}

QSize AvatarWidget::sizeHint() const
{
    return kDefaultSize;
}

void AvatarWidget::paintEvent(QPaintEvent*)
{
    if (m_pixmap.isNull())
        return;
    QPainter(this).drawPixmap(0, 0, composed(size()));
}

// Without the theme's mask and frame the picture is shown as it is.
QPixmap AvatarWidget::composed(const QSize& size) const
{
    const QPixmap mask = TkTheme::pixmap(kMaskId);
    const QPixmap frame = TkTheme::pixmap(kFrameId);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect area(QPoint(0, 0), size);
    if (!mask.isNull()) {
        // The theme's mask is opaque where the picture is cut away.
        painter.drawPixmap(area, mask);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOut);
    }
    painter.drawPixmap(area, m_pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!frame.isNull())
        painter.drawPixmap(area, frame);
    painter.end();
    return QPixmap::fromImage(image);
}
