#include "configsandbox.h"
#include "mmsconfig.h"
#include "testprofiles.h"

#include <QSettings>
#include <QtTest>

#include <memory>

using Configuration = MmsConfig::Configuration;
Q_DECLARE_METATYPE(Configuration)

namespace {

Configuration operatorProfile()
{
    return testProfile("Operator", "mms.operator.example", "op", "secret",
                       "http://mmsc.operator.example/", 8002, "10.0.0.1", 8080);
}

Configuration userProfile(const QString& name = "UserDefined")
{
    return testProfile(name, "my.apn", "me", "pa ss", "http://my.mmsc/", 80, "192.168.1.1", 3128);
}

bool write(MmsConfig::CONFIG_TYPE type, const Configuration& c)
{
    return MmsConfig::queryConfig(type)->writeConfiguration(c);
}

// The profile of the type asked for by name.
Configuration read(MmsConfig::CONFIG_TYPE type, const QString& name = QString())
{
    Configuration c;
    c.name = name;
    MmsConfig::queryConfig(type)->readConfiguration(c);
    return c;
}

bool exists(MmsConfig::CONFIG_TYPE type, const QString& name)
{
    Configuration c;
    c.name = name;
    return MmsConfig::queryConfig(type)->readConfiguration(c);
}

} // namespace

// The connection profiles: the operator's provisioned one and the user's own.
class TestMmsConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void queryConfigRefusesOtherTypes();
    void freshPhoneHasNoProfiles();
    void userDefinedRoundTrip_data();
    void userDefinedRoundTrip();
    void profilesKeptApartByTypeAndName();
    void userDefinedNeedsName();
    void provisionedFromUserThenSystemFolder();
    void shippedProvisionedSample();
    void profileFileIsPrivate();
    void unparsablePortReadsAsZero();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsConfig::queryConfigRefusesOtherTypes()
{
    for (int type : {1, 4}) {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[MMS-CONFIG\\] No connection profile of type"));
        QVERIFY(!MmsConfig::queryConfig(MmsConfig::CONFIG_TYPE(type)));
    }
}

// A failed read leaves the record as it was and creates nothing.
void TestMmsConfig::freshPhoneHasNoProfiles()
{
    Configuration c = userProfile();
    QVERIFY(!MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->readConfiguration(c));
    QCOMPARE(c, userProfile());
    c = operatorProfile();
    QVERIFY(!MmsConfig::queryConfig(MmsConfig::PROVISIONED)->readConfiguration(c));
    QCOMPARE(c, operatorProfile());
    QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
}

void TestMmsConfig::userDefinedRoundTrip_data()
{
    QTest::addColumn<Configuration>("stored");
    const QString u = "UserDefined";
    QTest::newRow("every field") << userProfile();
    QTest::newRow("all empty") << testProfile(u, "", "", "", "", 0, "", 0);
    QTest::newRow("only proxy port") << testProfile(u, "", "", "", "", 0, "", 8080);
    QTest::newRow("highest ports") << testProfile(u, "a", "", "", "m", 65535, "p", 65535);
    QTest::newRow("INI-special characters")
        << testProfile(u, "apn;1", "user=name", "p#ss,word\"\\", "[mmsc]", 1, "%proxy%", 2);
    QTest::newRow("non-Latin") << testProfile(u, "точка", "ユーザー", "密码", "", 0, "", 0);
}

void TestMmsConfig::userDefinedRoundTrip()
{
    QFETCH(Configuration, stored);
    QVERIFY(write(MmsConfig::USER_DEFINED, stored));
    QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined"), stored);
}

void TestMmsConfig::profilesKeptApartByTypeAndName()
{
    QVERIFY(write(MmsConfig::PROVISIONED, operatorProfile()));
    QVERIFY(!exists(MmsConfig::USER_DEFINED, "UserDefined"));
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile("Other")));
    Configuration changed = operatorProfile();
    changed.apn = "other.apn";
    QVERIFY(write(MmsConfig::PROVISIONED, changed));
    QCOMPARE(read(MmsConfig::PROVISIONED), changed);
    QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined"), userProfile());
    QCOMPARE(read(MmsConfig::USER_DEFINED, "Other"), userProfile("Other"));
    QVERIFY(!exists(MmsConfig::USER_DEFINED, "Unknown"));
}

void TestMmsConfig::userDefinedNeedsName()
{
    const QRegularExpression warning("^\\[MMS-CONFIG\\] A user-defined profile needs a name");
    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!write(MmsConfig::USER_DEFINED, userProfile(QString())));
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    QTest::ignoreMessage(QtWarningMsg, warning);
    QVERIFY(!exists(MmsConfig::USER_DEFINED, QString()));
}

// The operator's profile ships in the system folder; the user's own copy comes first.
void TestMmsConfig::provisionedFromUserThenSystemFolder()
{
    QSettings file(m_sandbox->systemStoreFile("provisioned.conf"), QSettings::IniFormat);
    file.setValue("apn", "system.apn");
    file.setValue("mmsc", "http://system.mmsc/");
    file.setValue("mmscPort", 9201);
    file.sync();
    QCOMPARE(read(MmsConfig::PROVISIONED),
             testProfile(QString(), "system.apn", "", "", "http://system.mmsc/", 9201, "", 0));
    QVERIFY(write(MmsConfig::PROVISIONED, operatorProfile()));
    QCOMPARE(read(MmsConfig::PROVISIONED), operatorProfile());
    QCOMPARE(QSettings(file.fileName(), QSettings::IniFormat).value("apn"), "system.apn");
}

void TestMmsConfig::shippedProvisionedSample()
{
    qputenv("XDG_CONFIG_DIRS", DRAVEL_SOURCE_DIR "/contracts/config/xdg");
    const Configuration loaded = read(MmsConfig::PROVISIONED);
    QCOMPARE(loaded.name, QString("Demo Operator MMS"));
    QVERIFY(!loaded.apn.isEmpty() && !loaded.mmsc.isEmpty());
    QCOMPARE(loaded.mmscPort, 80);
    QCOMPARE(loaded.proxyPort, 8080);
}

// Profiles hold passwords.
void TestMmsConfig::profileFileIsPrivate()
{
    QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
    const QFile::Permissions granted = QFile::permissions(MmsConfig::userDefinedFilePath());
    QVERIFY(granted.testFlag(QFile::ReadOwner) && granted.testFlag(QFile::WriteOwner));
    QVERIFY(!(granted & 0x0077)); // nothing for the group or others
}

void TestMmsConfig::unparsablePortReadsAsZero()
{
    ConfigSandbox::write(MmsConfig::userDefinedFilePath(),
                         "[UserDefined]\napn=a\nmmscPort=eighty\nproxyPort=8080\n");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring \"mmscPort\""));
    const Configuration loaded = read(MmsConfig::USER_DEFINED, "UserDefined");
    QCOMPARE(loaded.apn, QString("a"));
    QCOMPARE(loaded.mmscPort, 0);
    QCOMPARE(loaded.proxyPort, 8080);
}

QTEST_GUILESS_MAIN(TestMmsConfig)
#include "tst_mmsconfig.moc"
