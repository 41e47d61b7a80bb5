#pragma once

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <QUrl>

#include <functional>

class OrgFreedesktopThumbnailsThumbnailer1Interface;
class QDBusPendingCallWatcher;

// Client of the freedesktop thumbnail service. Thumbnails live in the shared cache
// (<cache>/thumbnails/<size>/<md5 of the file URL>.png); files that already have
// one are answered from the cache, the others are queued with the service.
// The flavors "normal", "grid" and "video-grid" name cache sizes of that layout.
class Thumbnailer : public QObject
{
    Q_OBJECT
public:
    explicit Thumbnailer(const QUrl& uri = QUrl(), const QPixmap& defaultPixmap = QPixmap(),
                         QObject* parent = nullptr);
    ~Thumbnailer() override;

    static QString cacheFlavor(const QString& flavor);
    static QString thumbnailPath(const QUrl& fileUri, const QString& flavor);

    // Returns false when the service could not be asked; failures of single files
    // come as error() when sadSignals is set.
    bool request(const QList<QUrl>& uris, const QStringList& mimeTypes, bool sendPixmap = false,
                 const QString& flavor = QString(), const QString& scheduler = QString(),
                 bool autoCancel = false, bool sadSignals = true);

signals:
    void thumbnail(QUrl fileUri, QUrl thumbnailUri, QPixmap pixmap, QString flavor);
    void error(QString message, QUrl fileUri);
    void finished(int left);

private slots:
    void onQueued(QDBusPendingCallWatcher* watcher);
    void onReady(uint handle, const QStringList& uris);
    void onError(uint handle, const QStringList& failedUris, int errorCode, const QString& message);
    void onFinished(uint handle);

private:
    bool keepForLater(uint handle, const std::function<void()>& replay);
    struct Request
    {
        QString flavor;
        bool sendPixmap = false;
        bool sadSignals = true;
        QList<QUrl> uris;
    };
    void emitThumbnail(const QUrl& fileUri, const Request& request);
    void emitErrors(const QString& message, const QList<QUrl>& fileUris, const Request& request);

    OrgFreedesktopThumbnailsThumbnailer1Interface* m_service;
    QHash<QDBusPendingCallWatcher*, Request> m_queueing;
    QHash<uint, Request> m_running;
    // The service may signal about a handle before its Queue reply reaches us;
    // such signals wait here until the reply names the handle.
    QHash<uint, QList<std::function<void()>>> m_early;
    QUrl m_uri;
    QPixmap m_defaultPixmap;
};
