#include "mmsmainconfig.h"

#include "config_debug.h"
#include "mmsconfigfile.h"

namespace {

struct BoolField
{
    const char* key;
    bool MmsMainConfig::*field;
};

struct IntField
{
    const char* key;
    int MmsMainConfig::*field;
};

const BoolField boolFields[] = {
    {"automaticConnection", &MmsMainConfig::automaticConnection},
    {"deliveryReport", &MmsMainConfig::deliveryReport},
    {"readReport", &MmsMainConfig::readReport},
    {"homeNetworkModeSupported", &MmsMainConfig::homeNetworkModeSupported},
    {"subjectEnabled", &MmsMainConfig::subjectEnabled},
    {"ccBccEnabled", &MmsMainConfig::ccBccEnabled},
    {"deliveryReportSettingVisible", &MmsMainConfig::deliveryReportSettingVisible},
    {"readReportSettingVisible", &MmsMainConfig::readReportSettingVisible},
    {"validitySettingVisible", &MmsMainConfig::validitySettingVisible},
    {"restrictedMode", &MmsMainConfig::restrictedMode},
    {"emailRecipientsAllowed", &MmsMainConfig::emailRecipientsAllowed},
};

const IntField intFields[] = {
    {"maxMessageSize", &MmsMainConfig::maxMessageSize},
    {"retrivalMode", &MmsMainConfig::retrivalMode},
    {"messageValidity", &MmsMainConfig::messageValidity},
    {"readReportMode", &MmsMainConfig::readReportMode},
};

} // namespace

MmsMainConfig::MmsMainConfig()
{
    load();
}

QString MmsMainConfig::filePath()
{
    return MmsConfigFile::userPath(QStringLiteral("settings.conf"));
}

void MmsMainConfig::load()
{
    const auto settings = MmsConfigFile::open(filePath());
    if (!settings)
        return;
    for (const BoolField& f : boolFields)
        this->*f.field = MmsConfigFile::readBool(*settings, QLatin1String(f.key), this->*f.field);
    for (const IntField& f : intFields)
        this->*f.field = MmsConfigFile::readInt(*settings, QLatin1String(f.key), this->*f.field);
}

bool MmsMainConfig::save()
{
    const auto settings = MmsConfigFile::open(filePath());
    if (!settings)
        return false;
    for (const BoolField& f : boolFields)
        settings->setValue(QLatin1String(f.key), this->*f.field);
    for (const IntField& f : intFields)
        settings->setValue(QLatin1String(f.key), this->*f.field);
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    qCCritical(lcMmsConfig) << "[MMS-CONFIG] Could not save the MMS settings to" << filePath();
    return false;
}
