#pragma once

#include "mmscontenttypes.h"
#include "mmsoutgoingattachment.h"

#include <QObject>
#include <QString>

// One file of a message sent without a page: the page-less twin of the composer's
// attachment item, with the same fields and no widgets.
class MmsAttachment : public QObject, public MmsContentTypes
{
    Q_OBJECT
public:
    // `text` is the slide's text; `carriesBodyText`: it stands for the message body.
    MmsAttachment(const QString& fileName, const QString& mimeType, const QString& text,
                  bool carriesBodyText);
    // Deletes a resized copy of its own.
    ~MmsAttachment() override;

    // The picture was replaced by a smaller copy that this record now owns.
    void setResizedFileName(const QString& newPath);
    void clearTemporary();

    // The slide as the send pipeline takes it.
    MmsOutgoingAttachment outgoing() const;

    QString fileName;
    QString mimeType;
    QString initialFileName;
    QString initialMimeType;
    CONTENT_TYPE contentType = UNKNOWN;
    QString text;
    bool carriesBodyText;
    bool temporary = false;
    int durationSeconds = 5;
    // Exif rotation in degrees: 0, 90, -90 or 180.
    int rotation = 0;

private:
    void readRotation();
};
