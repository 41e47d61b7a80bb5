#include "gallerypage.h"

#include "gallerymedia.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmsbubbleicon.h"
#include "tkpannableviewport.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

MMSAttachmentWidget* attachment(const QString& file, const QString& mimeType, int rotation,
                                const QString& objectName)
{
    auto* widget = new MMSAttachmentWidget(file, mimeType, rotation, true);
    widget->setObjectName(objectName);
    widget->setStyleName(QStringLiteral("MMSEditorThumbnail"));
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return widget;
}

MMSBubbleIcon* bubbleIcon(const QString& file, const QString& mimeType, const QString& objectName)
{
    auto* icon = new MMSBubbleIcon(file, mimeType);
    icon->setObjectName(objectName);
    icon->setStyleName(QStringLiteral("MMSConversationThumbnail"));
    icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return icon;
}

} // namespace

GalleryPage::GalleryPage(AbstractPageManager* pageManager)
    : BasePage(pageManager)
{
    setObjectName(QStringLiteral("hostGalleryPage"));
    setTitle(tr("Image widgets"));
}

void GalleryPage::createContent()
{
    const GalleryMedia media(m_media.path());
    const QString picture = media.picture();

    auto* container = new MmsBaseContainer;
    container->setObjectName(QStringLiteral("hostGalleryContainer"));
    auto* grid = new QGridLayout(container);
    grid->setContentsMargins(0, 8, 0, 8);
    grid->setSpacing(0);

    auto* icons = new QHBoxLayout;
    icons->setSpacing(16);
    icons->addStretch(1);
    MMSBubbleIcon* pictureIcon = bubbleIcon(picture, "image/png", "hostGalleryPictureIcon");
    icons->addWidget(pictureIcon);
    icons->addWidget(bubbleIcon(media.clip(), "audio/amr", "hostGallerySoundIcon"));
    icons->addWidget(bubbleIcon(QString(), QString(), "hostGalleryMessageIcon"));
    icons->addStretch(1);
    grid->addLayout(icons, 0, 0, 1, 2);
    pictureIcon->updateIcon();

    MMSAttachmentWidget* clip =
        attachment(media.clip(), QStringLiteral("video/3gpp"), 0, "hostGalleryClip");
    clip->setDurationText(QStringLiteral("00:12"));
    const QList<MMSAttachmentWidget*> previews = {
        attachment(picture, QStringLiteral("image/png"), 0, "hostGalleryPicture"),
        attachment(media.tallPicture(), QStringLiteral("image/png"), 90, "hostGalleryTurned"),
        attachment(media.animatedGif(), QStringLiteral("image/gif"), 0, "hostGalleryGif"),
        attachment(media.text(), QStringLiteral("text/plain"), 0, "hostGalleryText"),
        clip,
        attachment(media.damagedPicture(), QStringLiteral("image/jpeg"), 0, "hostGalleryDamaged"),
    };
    for (int i = 0; i < previews.size(); ++i) {
        grid->addWidget(previews.at(i), 1 + i / 2, i % 2, Qt::AlignCenter);
    }
    grid->setRowStretch(grid->rowCount(), 1);

    auto* viewport = new TkPannableViewport;
    viewport->setObjectName(QStringLiteral("hostGalleryViewport"));
    viewport->setWidget(container);
    viewport->setWidgetResizable(true);
    setCentralWidget(viewport);
}
