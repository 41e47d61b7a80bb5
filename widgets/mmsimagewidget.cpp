#include "mmsimagewidget.h"

#include "storage.h"
#include "thumbnailcreator.h"
#include "thumbnailer.h"
#include "tkbanner.h"
#include "tkcontentaction.h"
#include "tksaveasdialog.h"
#include "tkscalableimage.h"
#include "tktheme.h"
#include "utils_debug.h"
#include "widgets_debug.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardPaths>

QScopedPointer<TkScalableImage> MMSImageWidget::m_iconMask;
QScopedPointer<TkScalableImage> MMSImageWidget::m_iconShadow;
QScopedPointer<TkScalableImage> MMSImageWidget::m_mask;
QScopedPointer<TkScalableImage> MMSImageWidget::m_overlay;
QScopedPointer<QPixmap> MMSImageWidget::m_playButton;

namespace {

QString iconIdForMime(const QString& mimeType)
{
    if (mimeType.isEmpty()) {
        return QStringLiteral("icon-m-content-mms");
    }
    if (mimeType.startsWith(QLatin1String("audio"))) {
        return QStringLiteral("icon-m-content-audio");
    }
    if (mimeType.startsWith(QLatin1String("video"))) {
        return QStringLiteral("icon-m-content-videos");
    }
    if (mimeType.startsWith(QLatin1String("image"))) {
        return QStringLiteral("icon-m-content-image");
    }
    if (mimeType.startsWith(QLatin1String("text"))) {
        return QStringLiteral("icon-m-content-document");
    }
    return QStringLiteral("icon-m-content-file-unknown");
}

QString saveFolderForMime(const QString& mimeType)
{
    QStandardPaths::StandardLocation location = QStandardPaths::DocumentsLocation;
    if (mimeType.startsWith(QLatin1String("video"))) {
        location = QStandardPaths::MoviesLocation;
    } else if (mimeType.startsWith(QLatin1String("image"))) {
        location = QStandardPaths::PicturesLocation;
    } else if (mimeType.startsWith(QLatin1String("audio"))) {
        location = QStandardPaths::MusicLocation;
    }
    return QStandardPaths::writableLocation(location);
}

TkScalableImage* themeImage(const char* id, int border)
{
    return new TkScalableImage(TkTheme::pixmap(QLatin1String(id)),
                               QMargins(border, border, border, border));
}

} // namespace

MMSImageWidget::MMSImageWidget(QWidget* parent)
    : TkStylableWidget(new MMSImageWidgetStyle, parent)
{
    m_style.setStyle(static_cast<MMSImageWidgetStyle*>(widgetStyle()));
}

MMSImageWidget::MMSImageWidget(const QString& fileName, const QString& mimeType, QWidget* parent)
    : MMSImageWidget(parent)
{
    this->fileName = fileName;
    this->mimeType = mimeType;
    loadMask();
    saveAsAction = new QAction(qtTrId("qtn_comm_content_save_as"), this);
    saveAsAction->setObjectName(QStringLiteral("mmsSaveAsAction"));
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

MMSImageWidget::~MMSImageWidget()
{
    // A dialog still open is a child; it must go while this object can still
    // finish the save it reports when destroyed.
    delete m_saveAsDialog;
}

void MMSImageWidget::loadMask()
{
    if (m_mask) {
        return;
    }
    m_iconMask.reset(themeImage("veltotouch-contactsui-avatar-mask", 0));
    m_iconShadow.reset(themeImage("veltotouch-contactsui-avatar-frame", 0));
    m_mask.reset(themeImage("veltotouch-messaging-attachment-frame-normal", 12));
    m_overlay.reset(themeImage("veltotouch-messaging-attachment-frame-overlay", 12));
    m_playButton.reset(
        new QPixmap(TkTheme::pixmap(QStringLiteral("icon-l-common-video-playback"))));
}

void MMSImageWidget::setPrivateStorageCheck(const PrivateStorageCheck& check)
{
    mmsui::utils::setPrivateStorageCheck(check);
}

void MMSImageWidget::setFileName(const QString& fileName)
{
    this->fileName = fileName;
}

void MMSImageWidget::enableClickAction(bool enable)
{
    clickEnabled = enable;
}

void MMSImageWidget::enableSaveAsAction(bool enable)
{
    if (!saveAsAction) {
        return;
    }
    removeAction(saveAsAction);
    disconnect(saveAsAction, nullptr, this, nullptr);
    if (enable && !mmsui::utils::isFileLocatedInProvateSorage(fileName)) {
        addAction(saveAsAction);
        connect(saveAsAction, &QAction::triggered, this, &MMSImageWidget::saveContent);
    }
}

QPixmap MMSImageWidget::pixmapForMime(const QSize& size) const
{
    const QSize iconSize = size.isValid() ? size : m_style->iconSize;
    const QString id = iconIdForMime(mimeType);
    const QString key =
        QStringLiteral("%1:%2x%3").arg(id).arg(iconSize.width()).arg(iconSize.height());
    QPixmap icon;
    if (!QPixmapCache::find(key, &icon)) {
        icon = TkTheme::pixmap(id, iconSize);
        QPixmapCache::insert(key, icon);
    }
    return icon;
}

QSize MMSImageWidget::sizeHint() const
{
    if (!contentSize.isValid()) {
        return TkStylableWidget::sizeHint();
    }
    return contentSize + QSize(marginLeft() + marginRight(), marginTop() + marginBottom());
}

QSize MMSImageWidget::minimumSizeHint() const
{
    return contentSize.isValid() ? sizeHint() : TkStylableWidget::minimumSizeHint();
}

void MMSImageWidget::setTextColor(const QColor& color)
{
    m_style->textColor = color;
    styleAttributeChanged();
}

void MMSImageWidget::setTextPreviewColor(const QColor& color)
{
    m_style->textPreviewColor = color;
    styleAttributeChanged();
}

void MMSImageWidget::setTextFont(const QFont& font)
{
    m_style->textFont = font;
    styleAttributeChanged();
}

void MMSImageWidget::setTextMarginLeft(int margin)
{
    m_style->textMarginLeft = margin;
    styleAttributeChanged();
}

void MMSImageWidget::setTextMarginTop(int margin)
{
    m_style->textMarginTop = margin;
    styleAttributeChanged();
}

void MMSImageWidget::setTextPanelHeight(int height)
{
    m_style->textPanelHeight = height;
    styleAttributeChanged();
}

void MMSImageWidget::setIconSize(const QSize& size)
{
    m_style->iconSize = size;
    styleAttributeChanged();
}

void MMSImageWidget::saveContent()
{
    const QFileInfo file(fileName);
    auto* dialog = new TkSaveAsDialog(this);
    m_saveAsDialog = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setMimeType(mimeType);
    if (!pixmap.isNull()) {
        dialog->setPreview(pixmap);
    }
    dialog->setDefaultFileName(file.completeBaseName());
    dialog->setSourcePath(file.filePath());
    dialog->setDestinationFolder(saveFolderForMime(mimeType));
    dialog->setDefaultExtension(file.suffix());
    dialog->setContentSize(file.size());
    connect(dialog, &QDialog::finished, this, &MMSImageWidget::dialogSaveAsFinished);
    connect(dialog, &QObject::destroyed, this, &MMSImageWidget::contentSaved);
    dialog->open();
}

void MMSImageWidget::dialogSaveAsFinished(int result)
{
    qCDebug(lcMmsUi) << "[MMS-UI] dialog saveAs finished with " << result;
    auto* dialog = qobject_cast<TkSaveAsDialog*>(sender());
    if (result == TkSaveAsDialog::Saved && dialog) {
        savedFileName = dialog->destinationFolder() + QLatin1Char('/') + dialog->resultFileName();
    } else {
        savedFileName.clear();
    }
}

void MMSImageWidget::contentSaved(QObject*)
{
    if (savedFileName.isEmpty()) {
        return;
    }
    QFile saved(savedFileName);
    if (!saved.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                              QFile::ReadOther)) {
        qCWarning(lcMmsUi) << "[MMS-UI] failed to chmod file " << savedFileName
                           << "error:" << saved.errorString();
    }
}

void MMSImageWidget::asyncCreateIconForResource(const QString& flavor)
{
    Thumbnailer* client = ThumbnailCreator::thumbnailer();
    const QUrl file = QUrl::fromLocalFile(fileName);
    const QString path = Thumbnailer::thumbnailPath(file, flavor);
    if (QFile::exists(path)) {
        qCDebug(lcMmsUi) << "[MMS-UI] Icon for file already exists:" << fileName << path;
        // A thumbnail made earlier (the message was shown before) serves as is.
        updatePixmapWithThumbnail(path);
        return;
    }
    qCDebug(lcMmsUi) << "[MMS-UI] Requesting icon for file:" << fileName << mimeType;
    connect(client, &Thumbnailer::thumbnail, this, &MMSImageWidget::thumbnailCreated,
            Qt::UniqueConnection);
    client->request({file}, {mimeType}, false, flavor, QString(), false, true);
}

void MMSImageWidget::thumbnailCreated(const QUrl& file, const QUrl& thumbnail, const QPixmap&)
{
    if (file.toLocalFile() != fileName) {
        return;
    }
    qCDebug(lcMmsUi) << "[MMS-UI] Thumbnail ready for file" << fileName;
    disconnect(ThumbnailCreator::thumbnailer(), &Thumbnailer::thumbnail, this,
               &MMSImageWidget::thumbnailCreated);
    updatePixmapWithThumbnail(thumbnail.toLocalFile());
}

void MMSImageWidget::updatePixmapWithThumbnail(const QString&) {}

QImage MMSImageWidget::readThumbnail(const QString& path)
{
    const QImage thumbnail(path);
    if (thumbnail.isNull()) {
        qCWarning(lcMmsUi) << "[MMS-UI] Unreadable thumbnail" << path;
    }
    return thumbnail;
}

void MMSImageWidget::drawContents(QPainter* painter)
{
    painter->drawPixmap(0, 0, pixmap);
}

void MMSImageWidget::mousePressEvent(QMouseEvent* event)
{
    if (!clickEnabled) {
        TkStylableWidget::mousePressEvent(event);
        return;
    }
    pressed = true;
    event->accept();
    update();
}

void MMSImageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressed && clickEnabled) {
        openContent();
    } else {
        TkStylableWidget::mouseReleaseEvent(event);
    }
    pressed = false;
    update();
}

void MMSImageWidget::cancelEvent()
{
    pressed = false;
    update();
}

void MMSImageWidget::openContent()
{
    qCDebug(lcImage) << "[MMS_VIEWER] Image unpressed" << fileName;
    const QUrl file = QUrl::fromLocalFile(fileName);
    qCDebug(lcImage) << "[MMS_VIEWER] Trigger X_TEMP action for file" << fileName;
    TkContentAction action =
        TkContentAction::defaultAction(file, QLatin1String("X-TEMP-") + mimeType);
    if (!action.isValid()) {
        qCDebug(lcImage) << "[MMS_VIEWER] Trigger default action for file" << fileName;
        action = TkContentAction::defaultAction(file);
    }
    if (!action.isValid()) {
        qCDebug(lcImage) << "[MMS_VIEWER] Trigger default action for file and mime" << fileName
                         << mimeType;
        action = TkContentAction::defaultAction(file, mimeType);
    }
    if (action.isValid()) {
        action.trigger();
        return;
    }
    qCWarning(lcMmsUi) << "[MMS-UI] Don't know how to view" << fileName << mimeType;
    showNotSupportedBanner();
}

void MMSImageWidget::showNotSupportedBanner()
{
    auto* banner = new TkBanner(window());
    banner->setTitle(qtTrId("qtn_mms_info_file_not_supported"));
    connect(banner, &TkBanner::disappeared, banner, &QObject::deleteLater);
    banner->appear();
}
