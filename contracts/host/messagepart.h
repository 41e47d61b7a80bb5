#pragma once

#include <QString>

namespace Chronel {

// One part of a stored multimedia message: its file, type and identifiers.
class MessagePart
{
public:
    MessagePart() = default;
    MessagePart(const QString& contentId, const QString& contentType,
                const QString& contentLocation, const QString& plainTextContent = QString())
        : m_contentId(contentId)
        , m_contentType(contentType)
        , m_contentLocation(contentLocation)
        , m_plainTextContent(plainTextContent)
    {
    }

    QString contentId() const { return m_contentId; }
    void setContentId(const QString& id) { m_contentId = id; }

    QString contentType() const { return m_contentType; }
    void setContentType(const QString& type) { m_contentType = type; }

    // Absolute path of the part's file.
    QString contentLocation() const { return m_contentLocation; }
    void setContentLocation(const QString& location) { m_contentLocation = location; }

    // Text held by the history store itself (text parts and the SMIL presentation).
    QString plainTextContent() const { return m_plainTextContent; }
    void setPlainTextContent(const QString& text) { m_plainTextContent = text; }

    // Content-index identifier of the part's file.
    QString uri() const { return m_uri; }
    void setUri(const QString& uri) { m_uri = uri; }

    bool operator==(const MessagePart& other) const;
    bool operator!=(const MessagePart& other) const { return !(*this == other); }

private:
    QString m_contentId;
    QString m_contentType;
    QString m_contentLocation;
    QString m_plainTextContent;
    QString m_uri;
};

} // namespace Chronel
