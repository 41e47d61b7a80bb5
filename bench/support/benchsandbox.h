#pragma once

#include <QFile>
#include <QTemporaryDir>

#include "tklocale.h"
#include "tktheme.h"

// A benchmark runs in a throw-away home, so that it never reads or changes the user's history,
// settings or caches. Construct it before the application object, which reads these variables.
class BenchSandbox
{
public:
    BenchSandbox()
    {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(filePath(QStringLiteral("config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(filePath(QStringLiteral("cache"))));
    }

    // The plug-in's theme and catalogue, as the host gives them to its pages.
    void installPluginLook()
    {
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        m_locale.installTrCatalog(QStringLiteral("mms"));
        TkLocale::setDefault(m_locale);
    }

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    TkLocale m_locale;
};
