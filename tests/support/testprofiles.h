#pragma once

#include "mmsconfig.h"

// A connection profile with every field given.
inline MmsConfig::Configuration testProfile(const QString& name, const QString& apn,
                                            const QString& userName, const QString& password,
                                            const QString& mmsc, int mmscPort, const QString& proxy,
                                            int proxyPort)
{
    MmsConfig::Configuration profile;
    profile.name = name;
    profile.apn = apn;
    profile.userName = userName;
    profile.password = password;
    profile.mmsc = mmsc;
    profile.mmscPort = mmscPort;
    profile.proxy = proxy;
    profile.proxyPort = proxyPort;
    return profile;
}
