#include "configsandbox.h"
#include "mmsconfig.h"
#include "mmsconfigfile.h"
#include "mmsmainconfig.h"
#include "testprofiles.h"

#include <QSettings>
#include <QtTest>

#include <memory>
#include <unistd.h>

#define FIELDS                                                                                     \
    X(automaticConnection)                                                                         \
    X(maxMessageSize)                                                                              \
    X(retrivalMode) X(messageValidity) X(deliveryReport) X(readReport) X(readReportMode)           \
        X(homeNetworkModeSupported) X(subjectEnabled) X(ccBccEnabled)                              \
            X(deliveryReportSettingVisible) X(readReportSettingVisible) X(validitySettingVisible)  \
                X(restrictedMode) X(emailRecipientsAllowed)

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

const QByteArray malformedIni = "[General\nautomaticConnection=false\n";

enum Damage { Malformed, Directory, Unreadable };

// Leaves a damaged file at path; the content it held, if any.
QByteArray damage(const QString& path, Damage kind)
{
    switch (kind) {
    case Malformed:
        ConfigSandbox::write(path, malformedIni);
        return malformedIni;
    case Directory:
        QDir().mkpath(path + "/inside");
        return {};
    case Unreadable:
        ConfigSandbox::write(path, "automaticConnection=false\n");
        QFile::setPermissions(path, {});
        return "automaticConnection=false\n";
    }
    return {};
}

void expectMovedAsideLog(const QString& path, Damage kind)
{
    QTest::ignoreMessage(
        QtCriticalMsg,
        QRegularExpression("^\\[MMS-CONFIG\\] Configuration file \"" +
                           QRegularExpression::escape(path) + "\" " +
                           (kind == Malformed ? "is not a valid INI file" : "cannot be read") +
                           " - moved aside to \"" + QRegularExpression::escape(path) +
                           ".damaged-[0-9T-]+\" and started afresh$"));
}

QVariantMap snapshot(const MmsMainConfig& c)
{
    QVariantMap fields;
#define X(f) fields[#f] = c.f;
    FIELDS
#undef X
    return fields;
}

void apply(MmsMainConfig& c, const QString& field, const QVariant& value)
{
#define X(f)                                                                                       \
    if (field == #f)                                                                               \
        c.f = value.value<decltype(c.f)>();
    FIELDS
#undef X
}

} // namespace

Q_DECLARE_METATYPE(Damage)

// Connection profiles (the operator's provisioned one and the user's own), the settings
// record, and how both treat damaged files and bad values.
class TestMmsConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }

    void cleanup()
    {
        // Let the temporary directory remove what the tests locked down.
        QFile::setPermissions(m_sandbox->userFolder() + "/mms",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_sandbox.reset();
    }

    void damagedFileIsMovedAside_data()
    {
        QTest::addColumn<Damage>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("malformed INI") << Malformed << int(QSettings::FormatError);
        QTest::newRow("directory in its place") << Directory << int(QSettings::AccessError);
        QTest::newRow("no read permission") << Unreadable << int(QSettings::AccessError);
    }
    // The settings record starts from the defaults and saves into a fresh file; the damaged one is
    // kept as it was.
    void damagedFileIsMovedAside()
    {
        QFETCH(Damage, kind);
        QFETCH(int, status);
        if (kind == Unreadable && geteuid() == 0)
            QSKIP("root reads every file");
        const QString path = MmsMainConfig::filePath();
        const QByteArray content = damage(path, kind);
        // Someone in the process has looked at the file before: QSettings keeps that copy and stays
        // silent about the damage the second time.
        QCOMPARE(int(QSettings(path, QSettings::IniFormat).status()), status);

        expectMovedAsideLog(path, kind);
        MmsMainConfig config;
        QCOMPARE(config.automaticConnection, true);
        config.deliveryReport = true;
        QVERIFY(config.save());
        QCOMPARE(MmsMainConfig().deliveryReport, true);

        const QStringList aside = ConfigSandbox::movedAside(path);
        QCOMPARE(aside.size(), 1);
        const QString asidePath = QFileInfo(path).dir().filePath(aside.first());
        QFile::setPermissions(asidePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (kind == Directory)
            QVERIFY(QFileInfo(asidePath + "/inside").isDir());
        else
            QCOMPARE(ConfigSandbox::read(asidePath), content);
    }

    void damagedProfileReadsAsMissing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::newRow("user-defined") << int(MmsConfig::USER_DEFINED) << "profiles.conf";
        QTest::newRow("provisioned") << int(MmsConfig::PROVISIONED) << "provisioned.conf";
    }
    // Then a fresh profile is written and read back.
    void damagedProfileReadsAsMissing()
    {
        QFETCH(int, type);
        QFETCH(QString, file);
        const QString path = m_sandbox->userStoreFile(file);
        ConfigSandbox::write(path, "[UserDefined\napn=a\n");
        const auto profiles = MmsConfig::queryConfig(MmsConfig::CONFIG_TYPE(type));
        MmsConfig::Configuration config;
        config.name = "UserDefined";
        expectMovedAsideLog(path, Malformed);
        QVERIFY(!profiles->readConfiguration(config));
        config.apn = "fresh.apn";
        QVERIFY(profiles->writeConfiguration(config));
        MmsConfig::Configuration loaded;
        loaded.name = config.name;
        QVERIFY(profiles->readConfiguration(loaded));
        QCOMPARE(loaded.apn, config.apn);
        QCOMPARE(ConfigSandbox::movedAside(path).size(), 1);
    }

    void repeatedDamageKeepsEveryCopy()
    {
        const QString path = MmsMainConfig::filePath();
        for (int round = 0; round < 3; ++round) {
            ConfigSandbox::write(path, "[round" + QByteArray::number(round) + "\n");
            expectMovedAsideLog(path, Malformed);
            QVERIFY(MmsConfigFile::open(path));
        }
        const QStringList aside = ConfigSandbox::movedAside(path);
        QCOMPARE(aside.size(), 3);
        QSet<QByteArray> contents;
        for (const QString& name : aside)
            contents.insert(ConfigSandbox::read(QFileInfo(path).dir().filePath(name)));
        QCOMPARE(contents, (QSet<QByteArray>{"[round0\n", "[round1\n", "[round2\n"}));
    }

    void fileThatCannotBeMovedIsNeverOverwritten()
    {
        if (geteuid() == 0)
            QSKIP("root may rename in a read-only folder");
        const QString path = MmsMainConfig::filePath();
        damage(path, Malformed);
        QFile::setPermissions(QFileInfo(path).absolutePath(), QFile::ReadOwner | QFile::ExeOwner);

        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression("could not be moved aside; using defaults"));
        QVERIFY(!MmsConfigFile::open(path));

        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("could not be moved aside"));
        MmsMainConfig config;
        QCOMPARE(config.automaticConnection, true);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("could not be moved aside"));
        QVERIFY(!config.save());
        QCOMPARE(ConfigSandbox::read(path), malformedIni);
    }

    // A value that is not of the asked type is ignored with a warning: the fallback (5 or the given
    // truth value) stands.
    void readValue_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QVariant>("fallback");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("warning");
        const QString number = "not a number", truth = "not true or false";
        QTest::newRow("int") << QByteArray("42") << QVariant(5) << QVariant(42) << "";
        QTest::newRow("negative") << QByteArray("-1") << QVariant(5) << QVariant(-1) << "";
        QTest::newRow("padded") << QByteArray(" 7 ") << QVariant(5) << QVariant(7) << "";
        QTest::newRow("word") << QByteArray("seven") << QVariant(5) << QVariant(5) << number;
        QTest::newRow("fraction") << QByteArray("1.5") << QVariant(5) << QVariant(5) << number;
        QTest::newRow("too big") << QByteArray("99999999999") << QVariant(5) << QVariant(5)
                                 << number;
        QTest::newRow("empty") << QByteArray("") << QVariant(5) << QVariant(5) << number;
        QTest::newRow("true") << QByteArray("true") << QVariant(false) << QVariant(true) << "";
        QTest::newRow("false") << QByteArray("false") << QVariant(true) << QVariant(false) << "";
        QTest::newRow("1") << QByteArray("1") << QVariant(false) << QVariant(true) << "";
        QTest::newRow("0") << QByteArray("0") << QVariant(true) << QVariant(false) << "";
        QTest::newRow("yes") << QByteArray("yes") << QVariant(false) << QVariant(false) << truth;
        QTest::newRow("2") << QByteArray("2") << QVariant(true) << QVariant(true) << truth;
    }
    void readValue()
    {
        QFETCH(QByteArray, text);
        QFETCH(QVariant, fallback);
        QFETCH(QVariant, expected);
        QFETCH(QString, warning);
        const QString path = MmsMainConfig::filePath();
        ConfigSandbox::write(path, "value=" + text + "\n");
        const std::unique_ptr<QSettings> settings = MmsConfigFile::open(path);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("Ignoring \"value\" .* " + warning));
        if (fallback.type() == QVariant::Bool) {
            QCOMPARE(MmsConfigFile::readBool(*settings, "value", fallback.toBool()),
                     expected.toBool());
        } else {
            QCOMPARE(MmsConfigFile::readInt(*settings, "value", 5), expected.toInt());
            QCOMPARE(MmsConfigFile::readInt(*settings, "absent", 5), 5);
        }
    }

    void queryConfigRefusesOtherTypes()
    {
        for (int type : {1, 4}) {
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression("^\\[MMS-CONFIG\\] No connection profile of type"));
            QVERIFY(!MmsConfig::queryConfig(MmsConfig::CONFIG_TYPE(type)));
        }
    }

    // A failed read leaves the record as it was and creates nothing.
    void freshPhoneHasNoProfiles()
    {
        Configuration c = userProfile();
        QVERIFY(!MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->readConfiguration(c));
        QCOMPARE(c, userProfile());
        c = operatorProfile();
        QVERIFY(!MmsConfig::queryConfig(MmsConfig::PROVISIONED)->readConfiguration(c));
        QCOMPARE(c, operatorProfile());
        QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
    }

    void userDefinedRoundTrip_data()
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
    void userDefinedRoundTrip()
    {
        QFETCH(Configuration, stored);
        QVERIFY(write(MmsConfig::USER_DEFINED, stored));
        QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined"), stored);
    }

    void profilesKeptApartByTypeAndName()
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

    void userDefinedNeedsName()
    {
        const QRegularExpression warning("^\\[MMS-CONFIG\\] A user-defined profile needs a name");
        QTest::ignoreMessage(QtWarningMsg, warning);
        QVERIFY(!write(MmsConfig::USER_DEFINED, userProfile(QString())));
        QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QVERIFY(!exists(MmsConfig::USER_DEFINED, QString()));
    }

    // The operator's profile ships in the system folder; the user's own copy comes first.
    void provisionedFromUserThenSystemFolder()
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

    void shippedProvisionedSample()
    {
        qputenv("XDG_CONFIG_DIRS", DRAVEL_SOURCE_DIR "/contracts/config/xdg");
        const Configuration loaded = read(MmsConfig::PROVISIONED);
        QCOMPARE(loaded.name, QString("Demo Operator MMS"));
        QVERIFY(!loaded.apn.isEmpty() && !loaded.mmsc.isEmpty());
        QCOMPARE(loaded.mmscPort, 80);
        QCOMPARE(loaded.proxyPort, 8080);
    }

    // Profiles hold passwords.
    void profileFileIsPrivate()
    {
        QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
        const QFile::Permissions granted = QFile::permissions(MmsConfig::userDefinedFilePath());
        QVERIFY(granted.testFlag(QFile::ReadOwner) && granted.testFlag(QFile::WriteOwner));
        QVERIFY(!(granted & 0x0077)); // nothing for the group or others
    }

    void unparsablePortReadsAsZero()
    {
        ConfigSandbox::write(MmsConfig::userDefinedFilePath(),
                             "[UserDefined]\napn=a\nmmscPort=eighty\nproxyPort=8080\n");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring \"mmscPort\""));
        const Configuration loaded = read(MmsConfig::USER_DEFINED, "UserDefined");
        QCOMPARE(loaded.apn, QString("a"));
        QCOMPARE(loaded.mmscPort, 0);
        QCOMPARE(loaded.proxyPort, 8080);
    }

    void fieldDefaultsAndRoundTrip_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("fresh");
        QTest::addColumn<QVariant>("changed");
        const auto row = [](const char* field, const QVariant& fresh, const QVariant& changed) {
            QTest::newRow(field) << QString(field) << fresh << changed;
        };
        row("automaticConnection", true, false);
        row("maxMessageSize", 307200, 1048576);
        row("retrivalMode", 1, 2);
        row("messageValidity", -1, 168);
        row("deliveryReport", false, true);
        row("readReport", false, true);
        row("readReportMode", 0, 2);
        row("homeNetworkModeSupported", true, false);
        row("subjectEnabled", true, false);
        row("ccBccEnabled", true, false);
        row("deliveryReportSettingVisible", true, false);
        row("readReportSettingVisible", true, false);
        row("validitySettingVisible", true, false);
        row("restrictedMode", false, true);
        row("emailRecipientsAllowed", true, false);
    }
    // Every other field keeps its default, so no two fields share a key.
    void fieldDefaultsAndRoundTrip()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, fresh);
        QFETCH(QVariant, changed);
        MmsMainConfig config;
        QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
        QVariantMap expected = snapshot(config);
        QCOMPARE(expected.value(field), fresh);
        apply(config, field, changed);
        QVERIFY(config.save());
        expected[field] = changed;
        QCOMPARE(snapshot(MmsMainConfig()), expected);
    }

    void unparsableValueFallsBackToDefault_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::newRow("bool") << QByteArray("automaticConnection=maybe") << "automaticConnection";
        QTest::newRow("int") << QByteArray("maxMessageSize=300k") << "maxMessageSize";
        QTest::newRow("list") << QByteArray("retrivalMode=1, 2") << "retrivalMode";
    }
    void unparsableValueFallsBackToDefault()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        ConfigSandbox::write(MmsMainConfig::filePath(), "[General]\nrestrictedMode=true\n" + line);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^\\[MMS-CONFIG\\] Ignoring \"" + field + "\" in "));
        const QVariantMap loaded = snapshot(MmsMainConfig());
        ConfigSandbox::write(MmsMainConfig::filePath(), "");
        QCOMPARE(loaded.value(field), snapshot(MmsMainConfig()).value(field));
        QCOMPARE(loaded.value("restrictedMode"), QVariant(true));
    }

    // The record is loaded once and saved whole, so the last writer's values stand.
    void laterSaveWins()
    {
        MmsMainConfig first;
        MmsMainConfig second;
        first.deliveryReport = true;
        QVERIFY(first.save());
        second.readReport = true;
        QVERIFY(second.save());
        const MmsMainConfig loaded;
        QVERIFY(loaded.readReport && !loaded.deliveryReport);
    }

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

QTEST_GUILESS_MAIN(TestMmsConfig)
#include "tst_mmsconfig.moc"
