#pragma once

#include "messagepart.h"

#include <QList>
#include <QString>

// Copies the part files of a message into one folder. A name taken there
// gets a counter, the way the editor names the files of a message folder:
// "photo_001.jpg" after "photo.jpg".
class MmsAttachmentsSaver
{
public:
    // The parts worth saving: a file that exists, not the presentation, and
    // not on the private storage (such files must not leave the phone).
    static QList<Chronel::MessagePart> saveableParts(const QList<Chronel::MessagePart>& parts);
    // Copies the part files into the folder; returns how many were copied.
    static int saveInto(const QList<Chronel::MessagePart>& parts, const QString& folder);
    // A path in the folder for the file name that no file has; empty when
    // every counter up to 1023 is taken as well.
    static QString uniquePath(const QString& folder, const QString& fileName);
};
