#include "mmscontenttypes.h"

MmsContentTypes::CONTENT_TYPE MmsContentTypes::contentTypeByMime(const QString& mime)
{
    if (mime.contains(QLatin1String("image")))
        return IMAGE;
    if (mime.contains(QLatin1String("audio")))
        return AUDIO;
    if (mime.contains(QLatin1String("video")))
        return VIDEO;
    if (mime.contains(QLatin1String("text/x-vcard"), Qt::CaseInsensitive) ||
        mime.contains(QLatin1String("text/directory"), Qt::CaseInsensitive))
        return VCARD;
    if (mime.contains(QLatin1String("text/x-vcalendar"), Qt::CaseInsensitive))
        return VCALENDAR;
    if (mime.contains(QLatin1String("text/")))
        return TEXT;
    return UNKNOWN;
}

QString MmsContentTypes::contentTypeName(int type)
{
    static const char* const names[] = {"UNKNOWN", "IMAGE",     "AUDIO", "VIDEO",
                                        "VCARD",   "VCALENDAR", "TEXT"};
    if (type < UNKNOWN || type > TEXT)
        return QString();
    return QLatin1String(names[type]);
}

QDebug operator<<(QDebug debug, MmsContentTypes::CONTENT_TYPE type)
{
    const QString name = MmsContentTypes::contentTypeName(type);
    if (!name.isEmpty())
        debug << name.toLatin1().constData();
    return debug;
}
