#include "mmseditorattachment.h"

#include "editor_debug.h"
#include "messagingtextedit.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmscontactcard.h"
#include "mmsimagemetadata.h"
#include "mmsmainconfig.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tkseparator.h"
#include "tkspacer.h"
#include "tkstyle.h"
#include "videoencodinginterface.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString encodingService = QStringLiteral("com.quenda.VideoEncoding");
const QString encodingProfile = QStringLiteral("com.quenda.mms-video-rich");
const QString mmsAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring");
const qint64 maximumPictureBytes = 10485760;
const int fadeDuration = 300;

QString fileUri(const QString& path)
{
    return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
}

// The local file a result URI names; a "file://" that survives decoding is cut.
QString localFileOf(const QString& uri)
{
    QString path = QUrl::fromEncoded(uri.toUtf8()).toLocalFile();
    if (path.isEmpty()) {
        path = uri;
    }
    if (path.startsWith(QLatin1String("file://"))) {
        path.remove(0, 7);
    }
    return path;
}

QString minutesAndSeconds(int seconds)
{
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

MmsEditorAttachment::MmsEditorAttachment(const QString& fileName, const QString& mimeType,
                                         TkLinearLayoutPolicy* pagePolicy, const QString& sourceUri,
                                         const QString& text, bool carriesBodyText,
                                         const QString& tempFolder, bool withDivider)
    : fileName(fileName)
    , mimeType(mimeType)
    , initialFileName(fileName)
    , sourceUri(sourceUri)
    , contentType(contentTypeByMime(mimeType))
    , tempFolder(tempFolder)
    , carriesBodyText(carriesBodyText)
    , m_pagePolicy(pagePolicy)
{
    container = new MmsBaseContainer;
    container->setStyleName(QStringLiteral("MMSSlidesContainer"));
    container->setObjectName(QStringLiteral("mmsEditorAttachmentContainer"));
    container->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);

    textEdit = new MessagingTextEdit(text, container);
    textEdit->setToolbar(MessagingTextEdit::AttachmentAndSendToolbar);
    textEdit->setObjectName(QStringLiteral("mmsEditorAttachmentText"));
    tk::setStyleName(textEdit, QStringLiteral("MMSBodyField"));
    textEdit->setPrompt(qtTrId("qtn_mms_general_type_here"));
    textEdit->completeEmoticonReplacement();
    textEdit->setServiceName(mmsAccount);
    connect(textEdit, &MessagingTextEdit::attachmentButtonClicked, this,
            &MmsEditorAttachment::attach);
    connect(textEdit, &MessagingTextEdit::sendButtonClicked, this, &MmsEditorAttachment::send);

    if (contentType == IMAGE) {
        readRotation();
    }
    createThumbnail();
    addObjectMenu();
    createLayout(withDivider);
    if (m_pagePolicy) {
        m_pagePolicy->addItem(container);
    }
    QMetaObject::invokeMethod(this, &MmsEditorAttachment::encodeContent, Qt::QueuedConnection);
}

MmsEditorAttachment::~MmsEditorAttachment()
{
    cancelVideoEncoding(false);
    clearTemporary();
    // The page may have taken its widgets down first; then its policy is gone too.
    if (container) {
        if (m_pagePolicy) {
            m_pagePolicy->removeItem(container);
        }
        delete container;
    }
}

void MmsEditorAttachment::readRotation()
{
    const MmsImageMetadata metadata(fileName);
    if (!metadata.isValid()) {
        qCDebug(lcAttachment) << "[MMS-ATTACHMENT] No Exif data";
        return;
    }
    switch (metadata.orientation()) {
    case 6:
        rotation = 90;
        break;
    case 8:
        rotation = -90;
        break;
    case 3:
        rotation = 180;
        break;
    default:
        break;
    }
    qCDebug(lcAttachment) << "[MMS-ATTACHMENT] Exif orientation angle " << rotation;
}

void MmsEditorAttachment::createThumbnail()
{
    if (contentType == VCARD) {
        thumbnail = new MmsContactCard(fileName, container);
        return;
    }
    if (fileName.isEmpty()) {
        return;
    }
    auto* preview = new MMSAttachmentWidget(fileName, mimeType, rotation, false, container);
    preview->setObjectName(QStringLiteral("mmsEditorAttachmentThumbnail"));
    preview->setStyleName(QStringLiteral("MMSEditorThumbnail"));
    // Styled now, so that invalid() knows whether the file could be read.
    preview->ensurePolished();
    if (contentType == IMAGE || contentType == VIDEO) {
        preview->updateIcon();
    }
    thumbnail = preview;
}

void MmsEditorAttachment::addObjectMenu()
{
    if (!thumbnail) {
        return;
    }
    const auto addAction = [this](const char* id, auto slot) {
        auto* action = new QAction(qtTrId(id), thumbnail);
        connect(action, &QAction::triggered, this, slot);
        thumbnail->addAction(action);
    };
    addAction("qtn_comm_delete", &MmsEditorAttachment::onDetach);
    addAction("qtn_mms_viewmenu_clear", &MmsEditorAttachment::clearContent);
    addAction("qtn_mms_convert_to_text_msg", &MmsEditorAttachment::convertToSms);
    thumbnail->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MmsEditorAttachment::createLayout(bool withDivider)
{
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    if (withDivider) {
        m_divider = new TkSeparator(container);
        m_divider->setObjectName(QStringLiteral("mmsEditorSlideDivider"));
        tk::setStyleName(m_divider, QStringLiteral("CommonGroupHeaderDivider"));
        column->addWidget(m_divider);
    }
    column->addWidget(new TkSpacer(QStringLiteral("CommonSmallSpacer"), container));
    column->addWidget(createArrangement());
    column->addStretch();
}

// Text above the thumbnail in portrait, beside it in landscape.
QWidget* MmsEditorAttachment::createArrangement()
{
    auto* arrangement = new QWidget(container);
    auto* layout = new TkLayout(arrangement);
    auto* portrait = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* landscape = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
    portrait->addItem(textEdit);
    landscape->addItem(textEdit);
    if (thumbnail) {
        portrait->addItem(new TkSpacer(QStringLiteral("CommonSpacer"), arrangement));
        portrait->addItem(thumbnail, Qt::AlignHCenter);
        landscape->addItem(thumbnail, Qt::AlignTop);
    }
    layout->setPortraitPolicy(portrait);
    layout->setLandscapePolicy(landscape);
    return arrangement;
}

bool MmsEditorAttachment::checkFileSize(const QString& fileName, const QString& mime)
{
    if (contentTypeByMime(mime) != IMAGE) {
        return true;
    }
    const QFileInfo file(fileName);
    return file.exists() && file.size() < maximumPictureBytes;
}

qint64 MmsEditorAttachment::size(bool withText, bool withFile) const
{
    qint64 total = 0;
    if (withText && textEdit) {
        total += textEdit->plainText().length();
    }
    if (withFile) {
        total += QFileInfo(fileName).size();
    }
    return total;
}

bool MmsEditorAttachment::invalid() const
{
    const auto* preview = qobject_cast<const MMSAttachmentWidget*>(thumbnail);
    return preview && preview->isLoadFailed();
}

void MmsEditorAttachment::enableClickAction(bool enable)
{
    if (auto* image = qobject_cast<MMSImageWidget*>(thumbnail)) {
        image->enableClickAction(enable);
    }
}

void MmsEditorAttachment::enableSendButton(bool enable)
{
    if (!textEdit) {
        return;
    }
    textEdit->setSendButtonEnabled(enable, false, true);
    textEdit->setAttachmentButtonEnabled(enable);
}

void MmsEditorAttachment::hideSeparator()
{
    if (!m_divider) {
        return;
    }
    m_divider->hide();
    container->layout()->removeWidget(m_divider);
}

bool MmsEditorAttachment::operator==(const MmsEditorAttachment& other) const
{
    return fileName == other.fileName && mimeType == other.mimeType && sourceUri == other.sourceUri;
}

void MmsEditorAttachment::setResizedFileName(const QString& newFile)
{
    qCDebug(lcAttachment) << "[MMS-ATTACHMENT] Setting resized file, old:" << fileName
                          << "new:" << newFile;
    if (newFile == fileName) {
        return;
    }
    if (temporary) {
        // A second resize: the type the slide was made with stays the one to
        // go back to, and the earlier copy is nobody's any more.
        QFile::remove(fileName);
    } else {
        initialMimeType = mimeType;
    }
    fileName = newFile;
    mimeType = QStringLiteral("image/jpeg");
    temporary = true;
}

void MmsEditorAttachment::undoResize()
{
    if (!temporary) {
        qCDebug(lcAttachment) << "The message is not resized, nothing to do;";
        return;
    }
    if (contentType != IMAGE) {
        qCDebug(lcAttachment) << "Couldn't undo resize of non-image attachment. (type:"
                              << int(contentType) << ")";
        return;
    }
    QFile::remove(fileName);
    fileName = initialFileName;
    mimeType = initialMimeType;
    temporary = false;
    qCDebug(lcAttachment) << "The image resize was canceled;";
}

void MmsEditorAttachment::clearTemporary()
{
    if (temporary) {
        QFile::remove(fileName);
    }
}

void MmsEditorAttachment::onDetach()
{
    qCDebug(lcAttachment) << "Detach was pressed;";
    emit detachRequired(this);
}

void MmsEditorAttachment::encodeContent()
{
    qCDebug(lcVideoEncoding) << "[VENC] MmsEditorAttachment::encodeContent()";
    if (contentType != VIDEO) {
        qCDebug(lcVideoEncoding) << "[ENC] Don't encode content type: " << contentType;
        return;
    }
    if (m_encoder) {
        qCDebug(lcVideoEncoding) << "[ENC] Encoding is already in progress. Ignore";
        return;
    }
    createEncoder();
    const QString output = encodedFileName();
    QDir().mkpath(QFileInfo(output).path());
    const qlonglong maximumKBytes = MmsMainConfig().maxMessageSize / 1024;
    const QString inputUri = fileUri(fileName);
    const QString outputUri = fileUri(output);
    auto* watcher = new QDBusPendingCallWatcher(
        m_encoder->createTaskFromUri(inputUri, outputUri, encodingProfile, maximumKBytes, false),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            &MmsEditorAttachment::createTaskFromUriFinishedSlot);
    m_awaitingTaskId = true;
    qCDebug(lcVideoEncoding) << "[VENC] Creating encoding task #" << taskId << inputUri << "->"
                             << outputUri;
}

void MmsEditorAttachment::createEncoder()
{
    m_encoder = new VideoEncodingInterface(encodingService, QStringLiteral("/"),
                                           QDBusConnection::sessionBus(), this);
    connect(m_encoder, &VideoEncodingInterface::createTaskCompleted, this,
            &MmsEditorAttachment::onEncodeTaskCreated);
    connect(m_encoder, &VideoEncodingInterface::taskFinished, this,
            &MmsEditorAttachment::onEncodeFinished);
    connect(m_encoder, &VideoEncodingInterface::taskQueued, this,
            &MmsEditorAttachment::onEncodeQueued);
    connect(m_encoder, &VideoEncodingInterface::taskProgress, this,
            &MmsEditorAttachment::onEncodeProgress);
    // A service that leaves the bus will never finish the task.
    auto* watcher = new QDBusServiceWatcher(encodingService, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &MmsEditorAttachment::onEncoderVanished);
}

// The clip's name up to its first dot, with the extension "3gp", in tempFolder.
QString MmsEditorAttachment::encodedFileName() const
{
    return QDir(tempFolder).filePath(QFileInfo(fileName).baseName() + QStringLiteral(".3gp"));
}

void MmsEditorAttachment::createTaskFromUriFinishedSlot(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    m_awaitingTaskId = false;
    const QHash<QString, QPair<bool, QString>> early = std::exchange(m_earlyCreations, {});
    const QDBusPendingReply<QString> reply = *call;
    if (reply.isError()) {
        qCWarning(lcVideoEncoding)
            << "[VENC] Creating encoding task FAILED:" << reply.error().message();
        encodingState = 3;
        QMetaObject::invokeMethod(
            this, [this] { emit resizeFailed(fileName); }, Qt::QueuedConnection);
        return;
    }
    taskId = reply.value();
    emit resizeStarted();
    QMetaObject::invokeMethod(
        this, [this, id = taskId] { onEncodeStarted(id); }, Qt::QueuedConnection);
    enableClickAction(false);
    encodingState = 1;
    if (early.contains(taskId)) {
        onEncodeTaskCreated(taskId, early.value(taskId).first, early.value(taskId).second);
    }
}

bool MmsEditorAttachment::isOwnTask(const QString& id) const
{
    return !taskId.isEmpty() && id == taskId;
}

void MmsEditorAttachment::onEncodeTaskCreated(const QString& taskId, bool success,
                                              const QString& error)
{
    if (m_awaitingTaskId) {
        m_earlyCreations.insert(taskId, qMakePair(success, error));
        return;
    }
    if (!isOwnTask(taskId)) {
        return;
    }
    if (!success) {
        qCWarning(lcVideoEncoding) << "[VENC] Failed to create task: " << error;
        failEncoding();
        return;
    }
    qCDebug(lcVideoEncoding) << "[VENC] Encoding task is created. Start it";
    QDBusPendingReply<bool> started = m_encoder->startTask(taskId);
    started.waitForFinished();
    if (started.isError() || !started.value()) {
        qCWarning(lcVideoEncoding) << "[VENC] Failed to start task";
        failEncoding();
    }
}

void MmsEditorAttachment::onEncodeQueued(const QString& taskId)
{
    qCDebug(lcVideoEncoding) << "[VENC] Encoding task is queued: " << taskId;
}

void MmsEditorAttachment::onEncodeStarted(const QString& taskId)
{
    if (!isOwnTask(taskId)) {
        return;
    }
    qCDebug(lcVideoEncoding) << "[VENC] Encoding task is started";
    encodingState = 2;
    if (!m_overlay && thumbnail) {
        buildEncodingOverlay();
    }
}

void MmsEditorAttachment::buildEncodingOverlay()
{
    auto* overlay = new MmsBaseContainer(thumbnail);
    overlay->setStyleName(QStringLiteral("MMSEditorThumbnail"));
    m_overlay = overlay;
    auto* column = new QVBoxLayout(m_overlay);

    auto* label = new QLabel(qtTrId("qtn_mms_compressing_video_file"), m_overlay);
    label->setObjectName(QStringLiteral("mmsEditorEncodingLabel"));
    tk::setStyleName(label, QStringLiteral("MMSEncodingLabel"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    column->addWidget(label);

    // Busy until the service reports how far it is.
    m_progress = new QProgressBar(m_overlay);
    m_progress->setObjectName(QStringLiteral("mmsEditorEncodingProgress"));
    tk::setStyleName(m_progress, QStringLiteral("CommonProgressBar"));
    m_progress->setRange(0, 0);
    m_progress->setTextVisible(false);
    column->addWidget(m_progress);

    auto* cancel = new QPushButton(qtTrId("qtn_mms_encoding_cancel"), m_overlay);
    cancel->setObjectName(QStringLiteral("mmsEditorEncodingCancel"));
    tk::setStyleName(cancel, QStringLiteral("CommonSingleButton"));
    connect(cancel, &QPushButton::clicked, this, &MmsEditorAttachment::slotOnCancelEncoding);
    column->addWidget(cancel, 0, Qt::AlignHCenter);

    // Over the whole thumbnail, following its size.
    auto* cover = new QGridLayout(thumbnail);
    cover->setContentsMargins(0, 0, 0, 0);
    cover->setSizeConstraint(QLayout::SetNoConstraint);
    cover->addWidget(m_overlay, 0, 0);

    m_overlayOpacity = new QGraphicsOpacityEffect(m_overlay);
    m_overlayOpacity->setOpacity(0.0);
    m_overlay->setGraphicsEffect(m_overlayOpacity);
    m_fade = new QPropertyAnimation(m_overlayOpacity, "opacity", this);
    m_fade->setDuration(fadeDuration);
    m_fade->setEasingCurve(QEasingCurve::Linear);
    m_overlay->show();
    fadeOverlay(1.0);
}

void MmsEditorAttachment::fadeOverlay(qreal to)
{
    m_fade->stop();
    m_fade->setStartValue(m_overlayOpacity->opacity());
    m_fade->setEndValue(to);
    m_fade->start();
}

void MmsEditorAttachment::onEncodeProgress(const QString& taskId, int current, int total)
{
    if (!isOwnTask(taskId)) {
        return;
    }
    qCDebug(lcVideoEncoding) << "[VENC] Encoding progress: " << current << total;
    if (total > 0 && m_progress) {
        m_progress->setRange(0, 100);
        m_progress->setValue(static_cast<int>(100LL * current / total));
    }
}

void MmsEditorAttachment::onEncodeFinished(const QString& taskId, bool success,
                                           const QString& resultUri, const QString& mimeType,
                                           qlonglong duration, const QString& error)
{
    if (!isOwnTask(taskId)) {
        return;
    }
    if (!success) {
        qCWarning(lcVideoEncoding) << "[VENC] Encoding task failed: " << error;
        failEncoding();
        return;
    }
    stopEncodingDisplay();
    encodingState = 0;
    initialFileName = fileName;
    initialMimeType = this->mimeType;
    fileName = localFileOf(resultUri);
    this->mimeType = mimeType;
    temporary = true;
    durationSeconds = static_cast<int>(qMax<qlonglong>(1, duration / 1000));
    qCDebug(lcVideoEncoding) << "[VENC] Encoding finished: resultUri is " << resultUri;
    qCDebug(lcVideoEncoding) << "[VENC] Encoding finished: filename is " << fileName;
    qCDebug(lcVideoEncoding) << "[VENC] Encoding task is finished. Result is stored in " << fileName
                             << "duration:" << durationSeconds << "s";
    showEncodedVideo();
    emit resizeFinished();
}

void MmsEditorAttachment::showEncodedVideo()
{
    auto* preview = qobject_cast<MMSAttachmentWidget*>(thumbnail);
    if (!preview) {
        return;
    }
    preview->setDisplayDefaultIcon(true);
    // The name first: the label strip is drawn with the duration.
    preview->setFileName(fileName);
    preview->setDurationText(minutesAndSeconds(durationSeconds));
    preview->updateIcon();
    preview->enableClickAction(true);
}

// Every failure leaves the clip the user attached and ends in one resizeFailed.
void MmsEditorAttachment::failEncoding()
{
    stopEncodingDisplay();
    encodingState = 3;
    emit resizeFailed(fileName);
}

void MmsEditorAttachment::onEncoderVanished()
{
    if (taskId.isEmpty()) {
        return;
    }
    qCWarning(lcVideoEncoding) << "[VENC] Encoding task failed: "
                               << "the encoding service left the bus";
    failEncoding();
}

void MmsEditorAttachment::stopEncodingDisplay()
{
    if (m_overlay) {
        connect(m_fade, &QPropertyAnimation::finished, this,
                &MmsEditorAttachment::hideEncodingWidget, Qt::UniqueConnection);
        fadeOverlay(0.0);
    }
    taskId.clear();
}

void MmsEditorAttachment::hideEncodingWidget()
{
    if (m_fade) {
        disconnect(m_fade, &QPropertyAnimation::finished, this,
                   &MmsEditorAttachment::hideEncodingWidget);
    }
    if (m_overlay) {
        m_overlay->hide();
    }
}

void MmsEditorAttachment::cancelVideoEncoding(bool checked)
{
    Q_UNUSED(checked)
    if (taskId.isEmpty()) {
        return;
    }
    if (!m_encoder) {
        qCWarning(lcVideoEncoding) << "[VENC] No encoder";
        return;
    }
    qCDebug(lcVideoEncoding) << "[VENC] Cancel encoding";
    m_encoder->cancelTask(taskId);
    stopEncodingDisplay();
    temporary = false;
    emit resizeCanceled(fileName);
}

void MmsEditorAttachment::slotOnCancelEncoding()
{
    cancelVideoEncoding(false);
}
