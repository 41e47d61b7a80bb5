#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Points the user's (XDG_CONFIG_HOME) and the system's (XDG_CONFIG_DIRS)
// configuration folders at a fresh temporary directory while it lives, so that
// every test starts from a phone that has never been configured.
class ConfigSandbox
{
public:
    ConfigSandbox()
    {
        QDir().mkpath(userFolder());
        QDir().mkpath(systemFolder());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(userFolder()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(systemFolder()));
    }

    QString userFolder() const { return m_root.path() + QStringLiteral("/user"); }
    QString systemFolder() const { return m_root.path() + QStringLiteral("/system"); }
    QString userStoreFile(const QString& name) const { return userFolder() + "/mms/" + name; }
    QString systemStoreFile(const QString& name) const { return systemFolder() + "/mms/" + name; }

    static void write(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Files left beside the given one when it was moved aside.
    static QStringList movedAside(const QString& path)
    {
        const QFileInfo info(path);
        return info.dir().entryList({info.fileName() + QStringLiteral(".damaged-*")},
                                    QDir::AllEntries | QDir::Hidden, QDir::Name);
    }

private:
    QTemporaryDir m_root;
};
