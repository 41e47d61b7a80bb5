#include "thumbnailcreator.h"

#include "thumbnailer.h"

Thumbnailer* ThumbnailCreator::m_thumbnailer = nullptr;

Thumbnailer* ThumbnailCreator::thumbnailer()
{
    if (!m_thumbnailer) {
        static Thumbnailer client{QUrl(), QPixmap()};
        m_thumbnailer = &client;
    }
    return m_thumbnailer;
}
