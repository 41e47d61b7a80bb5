#include "messagecontent.h"

#include "storage.h"

#include <algorithm>

namespace mmsui {
namespace utils {

QString escapedText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"))
        .replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

bool isContactCard(const QString& contentType)
{
    return contentType.contains(QLatin1String("text/x-vcard"), Qt::CaseInsensitive) ||
           contentType.contains(QLatin1String("text/directory"), Qt::CaseInsensitive);
}

bool isContentForwardLocked(const QList<Chronel::MessagePart>& parts)
{
    return std::any_of(parts.cbegin(), parts.cend(), [](const Chronel::MessagePart& part) {
        return !part.contentLocation().isEmpty() &&
               isFileLocatedInProvateSorage(part.contentLocation());
    });
}

} // namespace utils
} // namespace mmsui
