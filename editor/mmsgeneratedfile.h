#pragma once

#include <QString>

class QFile;
class QObject;

// Files the editor writes into a message folder for a contact card or a calendar
// entry, named after what they hold: "Ann_Lee.vcf", then "Ann_Lee0.vcf" and so
// on, or "vcardXXXXXX.vcf" with random characters when there is no name. Spaces
// and "/" become "_", so that a name never reaches outside the folder.
class MmsGeneratedFile
{
public:
    // Creates and opens (read and write) the file in `folder`; `stem` names the
    // nameless form, e.g. "vcard". Null when no file could be made.
    static QFile* create(const QString& folder, const QString& name, const QString& stem,
                         const QString& suffix, QObject* parent);
    // The name a file would start from: simplified, spaces and "/" as "_"; empty
    // when nothing but spaces is left.
    static QString fileStem(const QString& name);
};
