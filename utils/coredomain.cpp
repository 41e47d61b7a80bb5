#include "coredomain.h"

#include <QStringList>

namespace mmsui {
namespace utils {

// Parameters are part of the comparison: only "text/directory;profile=vCard"
// passes with one.
bool isContentTypeInCoreDomain(const QString& mimeType)
{
    static const QStringList coreTypes{
        QStringLiteral("image/jpeg"),       QStringLiteral("image/jpg"),
        QStringLiteral("image/gif"),        QStringLiteral("image/vnd.wap.wbmp"),
        QStringLiteral("image/svg+xml"),    QStringLiteral("audio/amr"),
        QStringLiteral("audio/3gpp"),       QStringLiteral("audio/3gpp2"),
        QStringLiteral("audio/amr-wb"),     QStringLiteral("audio/sp-midi"),
        QStringLiteral("audio/midi"),       QStringLiteral("audio/aacp"),
        QStringLiteral("audio/aac"),        QStringLiteral("audio/mp4"),
        QStringLiteral("audio/MP4A-LATM"),  QStringLiteral("audio/mpeg4-generic"),
        QStringLiteral("text/x-vcard"),     QStringLiteral("text/directory;profile=vCard"),
        QStringLiteral("text/directory"),   QStringLiteral("text/calendar"),
        QStringLiteral("text/x-vcalendar"),
    };
    return mimeType.startsWith(QLatin1String("video/"), Qt::CaseInsensitive) ||
           coreTypes.contains(mimeType, Qt::CaseInsensitive);
}

} // namespace utils
} // namespace mmsui
