#include "thumbnailcreator.h"

#include "thumbnailer.h"

#include <QCoreApplication>
#include <QPointer>

Thumbnailer* ThumbnailCreator::thumbnailer()
{
    static QPointer<Thumbnailer> client;
    if (!client) {
        // Owned by the application, so it goes while the bus connection it
        // uses still exists rather than among the static destructors.
        client = new Thumbnailer(QUrl(), QPixmap(), QCoreApplication::instance());
    }
    return client;
}
