#include "mmsattachment.h"

#include "editor_debug.h"
#include "mmsimagemetadata.h"

#include <QFile>

MmsAttachment::MmsAttachment(const QString& fileName, const QString& mimeType, const QString& text,
                             bool carriesBodyText)
    : fileName(fileName)
    , mimeType(mimeType)
    , initialFileName(fileName)
    , contentType(contentTypeByMime(mimeType))
    , text(text)
    , carriesBodyText(carriesBodyText)
{
    if (contentType == IMAGE)
        readRotation();
}

MmsAttachment::~MmsAttachment()
{
    clearTemporary();
}

void MmsAttachment::readRotation()
{
    const MmsImageMetadata metadata(fileName);
    if (!metadata.isValid()) {
        qCDebug(lcAttachment) << "[MMS-ATTACHMENT] No Exif data";
        return;
    }
    rotation = metadata.rotation();
    qCDebug(lcAttachment) << "[MMS-ATTACHMENT] Exif orientation angle" << rotation;
}

void MmsAttachment::setResizedFileName(const QString& newPath)
{
    qCDebug(lcAttachment) << "[MMS-ATTACHMENT] Setting resized file, old:" << initialFileName
                          << "new:" << newPath;
    // The resizer hands back the file it was given when that one fits already.
    if (newPath == fileName)
        return;
    clearTemporary();
    if (!temporary)
        initialMimeType = mimeType;
    fileName = newPath;
    mimeType = QStringLiteral("image/jpeg");
    temporary = true;
}

void MmsAttachment::clearTemporary()
{
    if (temporary)
        QFile::remove(fileName);
}

MmsOutgoingAttachment MmsAttachment::outgoing() const
{
    return {fileName, mimeType, contentType, text, durationSeconds, carriesBodyText};
}
