#pragma once

#include <QStringList>

// The user's language settings: which translation catalogues resolve qtTrId ids.
class TkLocale
{
public:
    // Adds a catalogue by name ("mms" reads mms.qm).
    void installTrCatalog(const QString& name);
    QStringList catalogs() const { return m_catalogs; }

    // Makes this locale the application's: its catalogues are loaded and
    // installed once each. Returns false when a catalogue cannot be found.
    static bool setDefault(const TkLocale& locale);

    // Where a catalogue is looked for: the embedded :/translations first, then
    // the folders of DRAVEL_TRANSLATIONS_PATH, then the installed share folder.
    static QStringList searchPaths();

private:
    QStringList m_catalogs;
};
