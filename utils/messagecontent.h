#pragma once

#include "messagepart.h"

#include <QList>
#include <QString>

namespace mmsui {
namespace utils {

// A message's text as markup that shows every character as it was written:
// "&", "<" and ">" escaped, line feeds as line breaks.
QString escapedText(QString text);
// A contact card part ("text/x-vcard" or "text/directory", in any case).
bool isContactCard(const QString& contentType);
// Does any part's file lie on the private storage? Such a message may not be
// forwarded.
bool isContentForwardLocked(const QList<Chronel::MessagePart>& parts);

} // namespace utils
} // namespace mmsui
