#include "mmsconfig.h"

#include "config_debug.h"
#include "mmsconfigfile.h"

#include <QFile>
#include <QFileInfo>

bool MmsConfig::Configuration::operator==(const Configuration& other) const
{
    return name == other.name && apn == other.apn && userName == other.userName &&
           password == other.password && mmsc == other.mmsc && mmscPort == other.mmscPort &&
           proxy == other.proxy && proxyPort == other.proxyPort;
}

QSharedPointer<MmsConfig> MmsConfig::queryConfig(CONFIG_TYPE type)
{
    if (type != PROVISIONED && type != USER_DEFINED) {
        qCWarning(lcMmsConfig) << "[MMS-CONFIG] No connection profile of type" << int(type);
        return {};
    }
    return QSharedPointer<MmsConfig>(new MmsConfig(type));
}

MmsConfig::MmsConfig(CONFIG_TYPE type)
    : m_type(type)
{
}

MmsConfig::~MmsConfig() = default;

QString MmsConfig::provisionedFileName()
{
    return QStringLiteral("provisioned.conf");
}

QString MmsConfig::userDefinedFilePath()
{
    return MmsConfigFile::userPath(QStringLiteral("profiles.conf"));
}

QString MmsConfig::readPath() const
{
    return m_type == PROVISIONED ? MmsConfigFile::locate(provisionedFileName())
                                 : userDefinedFilePath();
}

QString MmsConfig::writePath() const
{
    return m_type == PROVISIONED ? MmsConfigFile::userPath(provisionedFileName())
                                 : userDefinedFilePath();
}

bool MmsConfig::hasUsableName(const Configuration& config) const
{
    if (m_type == PROVISIONED || !config.name.isEmpty())
        return true;
    qCWarning(lcMmsConfig) << "[MMS-CONFIG] A user-defined profile needs a name";
    return false;
}

// The provisioned file holds one profile at its top level; user-defined profiles
// are groups named after the profile.
QString MmsConfig::group(const Configuration& config) const
{
    return m_type == PROVISIONED ? QString() : config.name;
}

bool MmsConfig::readConfiguration(Configuration& config)
{
    if (!hasUsableName(config))
        return false;
    const QString path = readPath();
    const auto settings = QFileInfo::exists(path) ? MmsConfigFile::open(path) : nullptr;
    if (settings)
        settings->beginGroup(group(config));
    if (!settings || settings->childKeys().isEmpty()) {
        qCDebug(lcMmsConfig) << "D: [MMS-CONFIG] No connection profile of type" << int(m_type)
                             << config.name;
        return false;
    }
    readFields(*settings, config);
    return true;
}

bool MmsConfig::writeConfiguration(const Configuration& config)
{
    if (!hasUsableName(config))
        return false;
    const QString path = writePath();
    const auto settings = MmsConfigFile::open(path);
    if (!settings)
        return false;
    settings->beginGroup(group(config));
    writeFields(*settings, config);
    settings->endGroup();
    settings->sync();
    // The profile holds a password.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (settings->status() == QSettings::NoError)
        return true;
    qCCritical(lcMmsConfig) << "[MMS-CONFIG] Could not save the connection profile to" << path;
    return false;
}

void MmsConfig::readFields(const QSettings& settings, Configuration& config)
{
    if (settings.contains(QStringLiteral("name")))
        config.name = settings.value(QStringLiteral("name")).toString();
    config.apn = settings.value(QStringLiteral("apn")).toString();
    config.userName = settings.value(QStringLiteral("userName")).toString();
    config.password = settings.value(QStringLiteral("password")).toString();
    config.mmsc = settings.value(QStringLiteral("mmsc")).toString();
    config.mmscPort = MmsConfigFile::readInt(settings, QStringLiteral("mmscPort"), 0);
    config.proxy = settings.value(QStringLiteral("proxy")).toString();
    config.proxyPort = MmsConfigFile::readInt(settings, QStringLiteral("proxyPort"), 0);
}

void MmsConfig::writeFields(QSettings& settings, const Configuration& config)
{
    settings.setValue(QStringLiteral("name"), config.name);
    settings.setValue(QStringLiteral("apn"), config.apn);
    settings.setValue(QStringLiteral("userName"), config.userName);
    settings.setValue(QStringLiteral("password"), config.password);
    settings.setValue(QStringLiteral("mmsc"), config.mmsc);
    settings.setValue(QStringLiteral("mmscPort"), config.mmscPort);
    settings.setValue(QStringLiteral("proxy"), config.proxy);
    settings.setValue(QStringLiteral("proxyPort"), config.proxyPort);
}
