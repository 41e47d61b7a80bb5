#pragma once

#include <QDebug>
#include <QString>

// The content types of a message part. The editor's attachment item and the
// headless sender's attachment record both derive from this, so that
// `MmsEditorAttachment::IMAGE` and `MmsAttachment::IMAGE` are one value with
// one MIME mapping.
struct MmsContentTypes
{
    enum CONTENT_TYPE {
        UNKNOWN = 0,
        IMAGE = 1,
        AUDIO = 2,
        VIDEO = 3,
        VCARD = 4,
        VCALENDAR = 5,
        TEXT = 6
    };

    // First match wins: "image", "audio", "video" and "text/" are matched
    // case-sensitively, the card and calendar types ignoring case.
    static CONTENT_TYPE contentTypeByMime(const QString& mime);
    // "IMAGE" and so on; empty for a value outside the enumeration.
    static QString contentTypeName(int type);
};

// Writes the type's name, or nothing for a value outside the enumeration.
QDebug operator<<(QDebug debug, MmsContentTypes::CONTENT_TYPE type);
