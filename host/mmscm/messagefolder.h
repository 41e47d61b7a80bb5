#pragma once

#include "incomingmessage.h"

class QFileInfo;
class SmilNode;

// A message handed over as a folder of part files, at most one of them a
// SMIL presentation whose references name the other files (as "photo.jpg",
// "cid:photo.jpg" or "<photo.jpg>"). Each file becomes a part with the
// content id "<file name>"; the presentation comes first. Reading refuses
// what a sender can get wrong: a reference to a file that is not there, a
// presentation that cannot be read, a file or a reference outside the folder.
class MessageFolder
{
public:
    // The parts, their files as paths; empty, with `error` saying why, on refusal.
    static QList<IncomingMessage::Part> read(const QString& path, QString& error);

private:
    static QString problemWith(const QFileInfo& entry, const QString& root);
    static bool checkPresentation(const QString& path, const QStringList& names, QString& error);
    static QStringList referencesOf(const QList<SmilNode>& nodes);
};
