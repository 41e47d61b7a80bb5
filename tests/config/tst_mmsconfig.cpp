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
    X(retrivalMode)                                                                                \
    X(messageValidity)                                                                             \
    X(deliveryReport)                                                                              \
    X(readReport) X(readReportMode) X(homeNetworkModeSupported) X(subjectEnabled) X(ccBccEnabled)  \
        X(deliveryReportSettingVisible) X(readReportSettingVisible) X(validitySettingVisible)      \
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

const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

const QByteArray malformedIni = "[General\nautomaticConnection=false\n";

enum Damage { Malformed, Directory, Unreadable };

// Leaves a damaged file at path; the content it held, if any.
QByteArray damage(const QString& path, Damage kind)
{
    const QByteArray content = kind == Malformed ? malformedIni : "automaticConnection=false\n";
    if (kind == Directory && QDir().mkpath(path + "/inside"))
        return {};
    ConfigSandbox::write(path, content);
    if (kind == Unreadable)
        QFile::setPermissions(path, {});
    return content;
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
        QFile::setPermissions(m_sandbox->userFolder() + "/mms", ownerOnly);
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
        QFile::setPermissions(asidePath, ownerOnly);
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
        const auto kind = MmsConfig::CONFIG_TYPE(type);
        expectMovedAsideLog(path, Malformed);
        QVERIFY(!exists(kind, "UserDefined"));
        QVERIFY(write(kind, userProfile()));
        QCOMPARE(read(kind, "UserDefined"), userProfile());
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
        const auto row = [](const char* text, const QVariant& fallback, const QVariant& expected,
                            const QString& warning) {
            QTest::addRow("%s", text) << QByteArray(text) << fallback << expected << warning;
        };
        row("42", 5, 42, "");
        row(" 7 ", 5, 7, "");
        row("99999999999", 5, 5, number);
        row("", 5, 5, number);
        row("true", false, true, "");
        row("false", true, false, "");
        row("1", false, true, "");
        row("0", true, false, "");
        row("yes", false, false, truth);
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
        if (fallback.type() == QVariant::Bool)
            QCOMPARE(MmsConfigFile::readBool(*settings, "value", fallback.toBool()), expected);
        else
            QCOMPARE(MmsConfigFile::readInt(*settings, "value", 5) +
                         MmsConfigFile::readInt(*settings, "absent", 0),
                     expected.toInt());
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
        for (const auto type : {MmsConfig::USER_DEFINED, MmsConfig::PROVISIONED}) {
            Configuration c = userProfile();
            QVERIFY(!MmsConfig::queryConfig(type)->readConfiguration(c));
            QCOMPARE(c, userProfile());
        }
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
        QVERIFY(!loaded.apn.isEmpty() && !loaded.mmsc.isEmpty());
        QCOMPARE(QVariantList({loaded.name, loaded.mmscPort, loaded.proxyPort}),
                 QVariantList({"Demo Operator MMS", 80, 8080}));
    }

    // Profiles hold passwords.
    void profileFileIsPrivate()
    {
        QVERIFY(write(MmsConfig::USER_DEFINED, userProfile()));
        const QFile::Permissions granted = QFile::permissions(MmsConfig::userDefinedFilePath());
        QCOMPARE(granted & (0x0077 | QFile::ReadOwner | QFile::WriteOwner),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    void unparsablePortReadsAsZero()
    {
        ConfigSandbox::write(MmsConfig::userDefinedFilePath(),
                             "[UserDefined]\napn=a\nmmscPort=eighty\nproxyPort=8080\n");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring \"mmscPort\""));
        QCOMPARE(read(MmsConfig::USER_DEFINED, "UserDefined"),
                 testProfile("UserDefined", "a", "", "", "", 0, "", 8080));
    }

    // Each field saved alone reads back while every other keeps its default, so no two fields
    // share a key. A truth value changes to its opposite.
    void fieldDefaultsAndRoundTrip()
    {
        const QVariantMap fresh{{"automaticConnection", true},
                                {"maxMessageSize", 307200},
                                {"retrivalMode", 1},
                                {"messageValidity", -1},
                                {"deliveryReport", false},
                                {"readReport", false},
                                {"readReportMode", 0},
                                {"homeNetworkModeSupported", true},
                                {"subjectEnabled", true},
                                {"ccBccEnabled", true},
                                {"deliveryReportSettingVisible", true},
                                {"readReportSettingVisible", true},
                                {"validitySettingVisible", true},
                                {"restrictedMode", false},
                                {"emailRecipientsAllowed", true}};
        const QVariantMap numbers{{"maxMessageSize", 1048576},
                                  {"retrivalMode", 2},
                                  {"messageValidity", 168},
                                  {"readReportMode", 2}};
        QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
        QCOMPARE(snapshot(MmsMainConfig()), fresh);
        for (auto field = fresh.begin(); field != fresh.end(); ++field) {
            QFile::remove(MmsMainConfig::filePath());
            QVariantMap expected = fresh;
            expected[field.key()] = numbers.value(field.key(), !field.value().toBool());
            MmsMainConfig config;
            apply(config, field.key(), expected.value(field.key()));
            QVERIFY(config.save());
            QCOMPARE(snapshot(MmsMainConfig()), expected);
        }
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
        MmsMainConfig first, second;
        first.deliveryReport = true;
        QVERIFY(first.save());
        second.readReport = true;
        QVERIFY(second.save());
        QVERIFY(MmsMainConfig().readReport && !MmsMainConfig().deliveryReport);
    }

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

QTEST_GUILESS_MAIN(TestMmsConfig)
#include "tst_mmsconfig.moc"
