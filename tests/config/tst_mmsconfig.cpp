#include "configsandbox.h"
#include "mmsconfig.h"
#include "testprofiles.h"

#include <QSettings>
#include <QtTest>

#include <memory>

using Configuration = MmsConfig::Configuration;
Q_DECLARE_METATYPE(Configuration)

namespace {

Configuration profile(const QString& name, const QString& apn, const QString& userName,
                      const QString& password, const QString& mmsc, int mmscPort,
                      const QString& proxy, int proxyPort)
{
    return testProfile(name, apn, userName, password, mmsc, mmscPort, proxy, proxyPort);
}

Configuration operatorProfile()
{
    return profile("Operator", "mms.operator.example", "op", "secret",
                   "http://mmsc.operator.example/", 8002, "10.0.0.1", 8080);
}

Configuration userProfile()
{
    return profile("UserDefined", "my.apn", "me", "pa ss", "http://my.mmsc/", 80, "192.168.1.1",
                   3128);
}

Configuration named(const QString& name)
{
    Configuration c;
    c.name = name;
    return c;
}

bool write(MmsConfig::CONFIG_TYPE type, const Configuration& c)
{
    return MmsConfig::queryConfig(type)->writeConfiguration(c);
}

// Reads the profile of the type, asking for it by the given name.
std::pair<bool, Configuration> read(MmsConfig::CONFIG_TYPE type, const QString& name)
{
    Configuration c = named(name);
    const bool ok = MmsConfig::queryConfig(type)->readConfiguration(c);
    return {ok, c};
}

} // namespace

class TestMmsConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void queryConfigRefusesOtherTypes_data();
    void queryConfigRefusesOtherTypes();
    void freshPhoneHasNoProfiles_data();
    void freshPhoneHasNoProfiles();
    void failedReadLeavesRecordAlone();
    void userDefinedRoundTrip_data();
    void userDefinedRoundTrip();
    void profilesKeptApart();
    void userDefinedProfilesKeptApartByName();
    void userDefinedNeedsName();
    void provisionedFromSystemFolder();
    void usersProvisionedCopyComesFirst();
    void shippedProvisionedSample();
    void profileFileIsPrivate();
    void unparsablePortReadsAsZero();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsConfig::queryConfigRefusesOtherTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("below") << 1;
    QTest::newRow("above") << 4;
}

void TestMmsConfig::queryConfigRefusesOtherTypes()
{
    QFETCH(int, type);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^\\[MMS-CONFIG\\] No connection "
                                                          "profile of type"));
    QVERIFY(!MmsConfig::queryConfig(MmsConfig::CONFIG_TYPE(type)));
}

void TestMmsConfig::freshPhoneHasNoProfiles_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("provisioned") << int(MmsConfig::PROVISIONED) << QString();
    QTest::newRow("user-defined") << int(MmsConfig::USER_DEFINED) << "UserDefined";
}

void TestMmsConfig::freshPhoneHasNoProfiles()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QVERIFY(!read(MmsConfig::CONFIG_TYPE(type), name).first);
    QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
}

void TestMmsConfig::failedReadLeavesRecordAlone()
{
    Configuration c = userProfile();
    QVERIFY(!MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->readConfiguration(c));
    QCOMPARE(c, userProfile());
}

void TestMmsConfig::userDefinedRoundTrip_data()
{
    QTest::addColumn<Configuration>("stored");

    QTest::newRow("every field") << userProfile();
    QTest::newRow("all empty") << named("UserDefined");
    QTest::newRow("only proxy port") << profile("UserDefined", "", "", "", "", 0, "", 8080);
    QTest::newRow("highest ports") << profile("UserDefined", "a", "", "", "m", 65535, "p", 65535);
    QTest::newRow("INI-special characters")
        << profile("UserDefined", "apn;1", "user=name", "p#ss,word\"\\", "[mmsc]", 1, "%proxy%", 2);
    QTest::newRow("non-Latin") << profile("UserDefined", "точка", "ユーザー", "密码", "", 0, "", 0);
}

void TestMmsConfig::userDefinedRoundTrip()
{
    QFETCH(Configuration, stored);
    QVERIFY(write(MmsConfig::USER_DEFINED, stored));
    const auto [ok, loaded] = read(MmsConfig::USER_DEFINED, "UserDefined");
    QVERIFY(ok);
    QCOMPARE(loaded, stored);
}

void TestMmsConfig::profilesKeptApart()
{
    QVERIFY(write(MmsConfig::PROVISIONED, operatorProfile()));
    QVERIFY(!read(MmsConfig::USER_DEFINED, "UserDefined").first);

    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    QCOMPARE(read(MmsConfig::PROVISIONED, QString()).second, operatorProfile());
    QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined").second, userProfile());

    Configuration changed = operatorProfile();
    changed.apn = "other.apn";
    QVERIFY(write(MmsConfig::PROVISIONED, changed));
    QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined").second, userProfile());
}

void TestMmsConfig::userDefinedProfilesKeptApartByName()
{
    Configuration other = operatorProfile();
    other.name = "Other";
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    QVERIFY(write(MmsConfig::USER_DEFINED, other));
    QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined").second, userProfile());
    QCOMPARE(read(MmsConfig::USER_DEFINED, "Other").second, other);
    QVERIFY(!read(MmsConfig::USER_DEFINED, "Unknown").first);
}

void TestMmsConfig::userDefinedNeedsName()
{
    const QRegularExpression warning("^\\[MMS-CONFIG\\] A user-defined profile needs a name");
    Configuration nameless = userProfile();
    nameless.name.clear();
    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!write(MmsConfig::USER_DEFINED, nameless));

    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!read(MmsConfig::USER_DEFINED, QString()).first);
}

void TestMmsConfig::provisionedFromSystemFolder()
{
    QSettings file(m_sandbox->systemStoreFile("provisioned.conf"), QSettings::IniFormat);
    file.setValue("apn", "system.apn");
    file.setValue("mmsc", "http://system.mmsc/");
    file.setValue("mmscPort", 9201);
    file.sync();

    const auto [ok, loaded] = read(MmsConfig::PROVISIONED, QString());
    QVERIFY(ok);
    QCOMPARE(loaded, profile(QString(), "system.apn", "", "", "http://system.mmsc/", 9201, "", 0));
}

void TestMmsConfig::usersProvisionedCopyComesFirst()
{
    QSettings file(m_sandbox->systemStoreFile("provisioned.conf"), QSettings::IniFormat);
    file.setValue("apn", "system.apn");
    file.sync();
    QVERIFY(write(MmsConfig::PROVISIONED, operatorProfile()));

    QCOMPARE(read(MmsConfig::PROVISIONED, QString()).second, operatorProfile());
    QCOMPARE(QSettings(m_sandbox->systemStoreFile("provisioned.conf"), QSettings::IniFormat)
                 .value("apn")
                 .toString(),
             QString("system.apn"));
}

void TestMmsConfig::shippedProvisionedSample()
{
    qputenv("XDG_CONFIG_DIRS", DRAVEL_SOURCE_DIR "/contracts/config/xdg");
    const auto [ok, loaded] = read(MmsConfig::PROVISIONED, QString());
    QVERIFY(ok);
    QCOMPARE(loaded.name, QString("Demo Operator MMS"));
    QVERIFY(!loaded.apn.isEmpty());
    QVERIFY(!loaded.mmsc.isEmpty());
    QCOMPARE(loaded.mmscPort, 80);
    QCOMPARE(loaded.proxyPort, 8080);
}

// Profiles hold passwords.
void TestMmsConfig::profileFileIsPrivate()
{
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    const QFile::Permissions permissions = QFile::permissions(MmsConfig::userDefinedFilePath());
    QVERIFY(permissions.testFlag(QFile::ReadOwner));
    QVERIFY(permissions.testFlag(QFile::WriteOwner));
    QVERIFY(!(permissions &
              (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
}

void TestMmsConfig::unparsablePortReadsAsZero()
{
    ConfigSandbox::write(MmsConfig::userDefinedFilePath(),
                         "[UserDefined]\napn=a\nmmscPort=eighty\nproxyPort=8080\n");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring \"mmscPort\""));
    const auto [ok, loaded] = read(MmsConfig::USER_DEFINED, "UserDefined");
    QVERIFY(ok);
    QCOMPARE(loaded.mmscPort, 0);
    QCOMPARE(loaded.proxyPort, 8080);
}

QTEST_GUILESS_MAIN(TestMmsConfig)
#include "tst_mmsconfig.moc"
