#include "messagepart.h"

namespace Chronel {

bool MessagePart::operator==(const MessagePart& other) const
{
    return m_contentId == other.m_contentId && m_contentType == other.m_contentType &&
           m_contentLocation == other.m_contentLocation &&
           m_plainTextContent == other.m_plainTextContent && m_uri == other.m_uri;
}

} // namespace Chronel
