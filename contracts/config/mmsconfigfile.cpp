#include "mmsconfigfile.h"

#include "config_debug.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

const QString storeFolder = QStringLiteral("mms");

const char* describe(QSettings::Status status)
{
    return status == QSettings::FormatError ? "is not a valid INI file" : "cannot be read";
}

} // namespace

QString MmsConfigFile::userPath(const QString& fileName)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           storeFolder + '/' + fileName;
}

QString MmsConfigFile::locate(const QString& fileName)
{
    return QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                  storeFolder + '/' + fileName);
}

std::unique_ptr<QSettings> MmsConfigFile::open(const QString& path)
{
    const QSettings::Status status = check(path);
    if (status == QSettings::NoError)
        return std::make_unique<QSettings>(path, QSettings::IniFormat);

    const QString aside = moveAside(path);
    if (aside.isEmpty()) {
        qCCritical(lcMmsConfig) << "[MMS-CONFIG] Configuration file" << path << describe(status)
                                << "and could not be moved aside; using defaults, nothing is saved";
        return nullptr;
    }
    qCCritical(lcMmsConfig) << "[MMS-CONFIG] Configuration file" << path << describe(status)
                            << "- moved aside to" << aside << "and started afresh";
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

// QSettings shares one parsed copy per file within the process and reports an error
// only when it parses the file, not when it serves that copy again. The verdict
// is therefore taken on a private copy of the bytes.
QSettings::Status MmsConfigFile::check(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QSettings::NoError;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QSettings::AccessError;
    // Without room for the copy, the file itself is the best that can be checked.
    QTemporaryFile copy;
    const bool copied = copy.open() && copy.write(file.readAll()) == file.size() && copy.flush();
    return QSettings(copied ? copy.fileName() : path, QSettings::IniFormat).status();
}

QString MmsConfigFile::moveAside(const QString& path)
{
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddThhmmss"));
    QString aside = path + QStringLiteral(".damaged-") + stamp;
    for (int attempt = 1; QFileInfo::exists(aside); ++attempt)
        aside = path + QStringLiteral(".damaged-") + stamp + '-' + QString::number(attempt);
    return QDir().rename(path, aside) ? aside : QString();
}

int MmsConfigFile::readInt(const QSettings& settings, const QString& key, int fallback)
{
    if (!settings.contains(key))
        return fallback;
    bool ok = false;
    const int value = settings.value(key).toString().trimmed().toInt(&ok);
    if (ok)
        return value;
    qCWarning(lcMmsConfig) << "[MMS-CONFIG] Ignoring" << key << "in" << settings.fileName()
                           << "- not a number";
    return fallback;
}

bool MmsConfigFile::readBool(const QSettings& settings, const QString& key, bool fallback)
{
    if (!settings.contains(key))
        return fallback;
    const QString text = settings.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    qCWarning(lcMmsConfig) << "[MMS-CONFIG] Ignoring" << key << "in" << settings.fileName()
                           << "- not true or false";
    return fallback;
}
