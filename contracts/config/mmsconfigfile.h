#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// One INI file of the configuration store, under the "mms" folder of the user's
// configuration folder (XDG_CONFIG_HOME).
//
// A file that cannot be read or parsed is reported, moved aside (renamed, never
// deleted, so that support can look at it) and replaced by a fresh one, so the
// application keeps working with defaults.
class MmsConfigFile
{
public:
    // Where the store keeps the given file for this user.
    static QString userPath(const QString& fileName);

    // The first existing copy of the file: the user's, then the system's; empty if none.
    static QString locate(const QString& fileName);

    // Opens the file at path. Null when the file is damaged and could not be moved
    // aside: nothing may be written over it then.
    static std::unique_ptr<QSettings> open(const QString& path);

    // Values as stored, or the fallback (with a warning) when the text is not one.
    static int readInt(const QSettings& settings, const QString& key, int fallback);
    static bool readBool(const QSettings& settings, const QString& key, bool fallback);

private:
    static QSettings::Status check(const QString& path);
    static QString moveAside(const QString& path);
};
