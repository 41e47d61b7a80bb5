#pragma once

#include <QSharedPointer>
#include <QString>

class QSettings;

// A connection profile of the configuration store: the operator's provisioned one
// or the one the user typed in.
//
// The provisioned profile is the file "mms/provisioned.conf", looked up in the
// user's configuration folder and then in the system's (XDG_CONFIG_DIRS, e.g.
// /etc/xdg/mms/provisioned.conf, where a fresh phone has it). Without that file
// reading it fails. User-defined profiles live apart, in "mms/profiles.conf" of the
// user's configuration folder, one group per profile name.
class MmsConfig
{
public:
    enum CONFIG_TYPE { PROVISIONED = 2, USER_DEFINED = 3 };

    struct Configuration
    {
        QString name;
        QString apn;
        QString userName;
        QString password;
        QString mmsc;
        int mmscPort = 0;
        QString proxy;
        int proxyPort = 0;

        bool operator==(const Configuration& other) const;
        bool operator!=(const Configuration& other) const { return !(*this == other); }
    };

    // A new handle on the profile of the given type; null for an unknown type.
    static QSharedPointer<MmsConfig> queryConfig(CONFIG_TYPE type);

    virtual ~MmsConfig();

    // Fills config from the store; false when there is no such profile or it cannot
    // be read. A user-defined profile is the one named by config.name.
    virtual bool readConfiguration(Configuration& config);
    // Stores config; a user-defined profile under config.name.
    virtual bool writeConfiguration(const Configuration& config);

    CONFIG_TYPE type() const { return m_type; }

    static QString provisionedFileName();
    static QString userDefinedFilePath();

protected:
    explicit MmsConfig(CONFIG_TYPE type);

private:
    QString readPath() const;
    QString writePath() const;
    bool hasUsableName(const Configuration& config) const;
    QString group(const Configuration& config) const;

    static void readFields(const QSettings& settings, Configuration& config);
    static void writeFields(QSettings& settings, const Configuration& config);

    CONFIG_TYPE m_type;
};
