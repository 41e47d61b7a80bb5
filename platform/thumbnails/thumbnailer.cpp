#include "thumbnailer.h"

#include "thumbnailer1_interface.h"
#include "thumbnails_debug.h"

#include <QCryptographicHash>
#include <QDBusPendingCallWatcher>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.thumbnails.Thumbnailer1");
const QString servicePath = QStringLiteral("/org/freedesktop/thumbnails/Thumbnailer1");

QStringList toStrings(const QList<QUrl>& uris)
{
    QStringList texts;
    for (const QUrl& uri : uris)
        texts << QString::fromLatin1(uri.toEncoded());
    return texts;
}

} // namespace

Thumbnailer::Thumbnailer(const QUrl& uri, const QPixmap& defaultPixmap, QObject* parent)
    : QObject(parent)
    , m_service(new OrgFreedesktopThumbnailsThumbnailer1Interface(
          serviceName, servicePath, QDBusConnection::sessionBus(), this))
    , m_defaultPixmap(defaultPixmap)
{
    connect(m_service, &OrgFreedesktopThumbnailsThumbnailer1Interface::Ready, this,
            &Thumbnailer::onReady);
    connect(m_service, &OrgFreedesktopThumbnailsThumbnailer1Interface::Error, this,
            &Thumbnailer::onError);
    connect(m_service, &OrgFreedesktopThumbnailsThumbnailer1Interface::Finished, this,
            &Thumbnailer::onFinished);
    if (uri.isValid())
        request({uri}, {QMimeDatabase().mimeTypeForUrl(uri).name()}, !defaultPixmap.isNull());
}

Thumbnailer::~Thumbnailer() = default;

// The cache knows sizes, not uses: grid cells share the small size with the
// list icons, video grid cells get the large one for their play mark.
QString Thumbnailer::cacheFlavor(const QString& flavor)
{
    if (flavor == QLatin1String("video-grid") || flavor == QLatin1String("large"))
        return QStringLiteral("large");
    return QStringLiteral("normal");
}

QString Thumbnailer::thumbnailPath(const QUrl& fileUri, const QString& flavor)
{
    const QByteArray hash = QCryptographicHash::hash(fileUri.toEncoded(), QCryptographicHash::Md5);
    return QStringLiteral("%1/thumbnails/%2/%3.png")
        .arg(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
             cacheFlavor(flavor), QString::fromLatin1(hash.toHex()));
}

bool Thumbnailer::request(const QList<QUrl>& uris, const QStringList& mimeTypes, bool sendPixmap,
                          const QString& flavor, const QString& scheduler, bool autoCancel,
                          bool sadSignals)
{
    Q_UNUSED(autoCancel) // requests end with the service's Finished either way
    Request request{
        flavor.isEmpty() ? QStringLiteral("normal") : flavor, sendPixmap, sadSignals, {}};
    QList<QUrl> missing;
    QStringList missingTypes;
    for (int i = 0; i < uris.size(); ++i) {
        if (QFile::exists(thumbnailPath(uris.at(i), request.flavor))) {
            // Queued, so that a caller connecting after the request still hears it.
            QTimer::singleShot(0, this, [=] { emitThumbnail(uris.at(i), request); });
            continue;
        }
        missing << uris.at(i);
        missingTypes << mimeTypes.value(i);
    }
    if (missing.isEmpty())
        return true;
    request.uris = missing;
    if (!m_service->isValid()) {
        qCWarning(lcThumbnails) << "No thumbnail service:" << m_service->lastError().message();
        return false;
    }
    const QDBusPendingReply<uint> reply =
        m_service->Queue(toStrings(missing), missingTypes, cacheFlavor(request.flavor),
                         scheduler.isEmpty() ? QStringLiteral("default") : scheduler, 0);
    auto* watcher = new QDBusPendingCallWatcher(reply, this);
    m_queueing.insert(watcher, request);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &Thumbnailer::onQueued);
    return true;
}

void Thumbnailer::onQueued(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const Request request = m_queueing.take(watcher);
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        qCWarning(lcThumbnails) << "Queueing thumbnails failed:" << reply.error().message();
        emitErrors(reply.error().message(), request.uris, request);
        return;
    }
    m_running.insert(reply.value(), request);
    for (const auto& replay : m_early.take(reply.value()))
        replay();
    // Whatever else arrived early belongs to other clients of the service.
    if (m_queueing.isEmpty())
        m_early.clear();
}

bool Thumbnailer::keepForLater(uint handle, const std::function<void()>& replay)
{
    if (m_running.contains(handle) || m_queueing.isEmpty())
        return false;
    m_early[handle].append(replay);
    return true;
}

void Thumbnailer::onReady(uint handle, const QStringList& uris)
{
    if (keepForLater(handle, [=] { onReady(handle, uris); }))
        return;
    const auto running = m_running.constFind(handle);
    if (running == m_running.cend())
        return;
    for (const QString& uri : uris)
        emitThumbnail(QUrl::fromEncoded(uri.toLatin1()), *running);
}

void Thumbnailer::onError(uint handle, const QStringList& failedUris, int errorCode,
                          const QString& message)
{
    if (keepForLater(handle, [=] { onError(handle, failedUris, errorCode, message); }))
        return;
    const auto running = m_running.constFind(handle);
    if (running == m_running.cend())
        return;
    qCDebug(lcThumbnails) << "Thumbnail service error" << errorCode << message << failedUris;
    QList<QUrl> uris;
    for (const QString& uri : failedUris)
        uris << QUrl::fromEncoded(uri.toLatin1());
    emitErrors(message, uris, *running);
}

void Thumbnailer::emitErrors(const QString& message, const QList<QUrl>& fileUris,
                             const Request& request)
{
    if (!request.sadSignals)
        return;
    for (const QUrl& uri : fileUris)
        emit error(message, uri);
}

void Thumbnailer::onFinished(uint handle)
{
    if (keepForLater(handle, [=] { onFinished(handle); }))
        return;
    if (m_running.remove(handle))
        emit finished(m_running.size() + m_queueing.size());
}

void Thumbnailer::emitThumbnail(const QUrl& fileUri, const Request& request)
{
    const QString path = thumbnailPath(fileUri, request.flavor);
    QPixmap pixmap;
    if (request.sendPixmap && !pixmap.load(path))
        pixmap = m_defaultPixmap;
    emit thumbnail(fileUri, QUrl::fromLocalFile(path), pixmap, request.flavor);
}
