#pragma once

#include <QLocale>
#include <QStringList>

class QDateTime;

// The user's language settings: which translation catalogues resolve qtTrId ids,
// and how dates, times and digits are written (the system's locale).
class TkLocale
{
public:
    enum DateType { DateNone = 0, DateShort = 1, DateMedium = 2, DateLong = 3, DateFull = 4 };
    enum TimeType { TimeNone = 0, TimeShort = 1, TimeMedium = 2, TimeLong = 3, TimeFull = 4 };

    // The date part, the time part or both, in local time; empty for None and None.
    QString formatDateTime(const QDateTime& dateTime, DateType dateType, TimeType timeType) const;
    // The text with its digits 0-9 written in the locale's digits.
    QString toLocalizedNumbers(const QString& text) const;

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
    QLocale m_locale;
};
