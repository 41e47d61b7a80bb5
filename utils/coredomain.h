#pragma once

#include <QString>

namespace mmsui {
namespace utils {

// May content of this MIME type enter a message in restricted creation mode?
bool isContentTypeInCoreDomain(const QString& mimeType);

} // namespace utils
} // namespace mmsui
