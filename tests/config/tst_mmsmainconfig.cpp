#include "configsandbox.h"
#include "mmsmainconfig.h"

#include <QSettings>
#include <QtTest>

#include <memory>

namespace {

// Every field of the record by name, read through its public members.
QVariantMap snapshot(const MmsMainConfig& c)
{
    return {
        {"automaticConnection", c.automaticConnection},
        {"maxMessageSize", c.maxMessageSize},
        {"retrivalMode", c.retrivalMode},
        {"messageValidity", c.messageValidity},
        {"deliveryReport", c.deliveryReport},
        {"readReport", c.readReport},
        {"readReportMode", c.readReportMode},
        {"homeNetworkModeSupported", c.homeNetworkModeSupported},
        {"subjectEnabled", c.subjectEnabled},
        {"ccBccEnabled", c.ccBccEnabled},
        {"deliveryReportSettingVisible", c.deliveryReportSettingVisible},
        {"readReportSettingVisible", c.readReportSettingVisible},
        {"validitySettingVisible", c.validitySettingVisible},
        {"restrictedMode", c.restrictedMode},
        {"emailRecipientsAllowed", c.emailRecipientsAllowed},
    };
}

void assign(MmsMainConfig& c, const QString& field, const QVariant& value)
{
    const QHash<QString, bool*> bools = {
        {"automaticConnection", &c.automaticConnection},
        {"deliveryReport", &c.deliveryReport},
        {"readReport", &c.readReport},
        {"homeNetworkModeSupported", &c.homeNetworkModeSupported},
        {"subjectEnabled", &c.subjectEnabled},
        {"ccBccEnabled", &c.ccBccEnabled},
        {"deliveryReportSettingVisible", &c.deliveryReportSettingVisible},
        {"readReportSettingVisible", &c.readReportSettingVisible},
        {"validitySettingVisible", &c.validitySettingVisible},
        {"restrictedMode", &c.restrictedMode},
        {"emailRecipientsAllowed", &c.emailRecipientsAllowed},
    };
    const QHash<QString, int*> ints = {
        {"maxMessageSize", &c.maxMessageSize},
        {"retrivalMode", &c.retrivalMode},
        {"messageValidity", &c.messageValidity},
        {"readReportMode", &c.readReportMode},
    };
    if (bools.contains(field))
        *bools.value(field) = value.toBool();
    else
        *ints.value(field) = value.toInt();
}

} // namespace

class TestMmsMainConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void freshPhoneDefaults();
    void loadingWritesNothing();
    void roundTripsEachField_data();
    void roundTripsEachField();
    void saveWritesEveryField();
    void settersStoreTheContractNumbers_data();
    void settersStoreTheContractNumbers();
    void valuesWrittenByHand_data();
    void valuesWrittenByHand();
    void unparsableValueFallsBackToDefault_data();
    void unparsableValueFallsBackToDefault();
    void laterSaveWins();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsMainConfig::freshPhoneDefaults()
{
    const QVariantMap expected = {
        {"automaticConnection", true},
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
        {"emailRecipientsAllowed", true},
    };
    QCOMPARE(snapshot(MmsMainConfig()), expected);
}

void TestMmsMainConfig::loadingWritesNothing()
{
    MmsMainConfig config;
    QVERIFY(!QFile::exists(MmsMainConfig::filePath()));
    QVERIFY(!QFile::exists(m_sandbox->userFolder() + "/mms"));
}

void TestMmsMainConfig::roundTripsEachField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("automaticConnection") << "automaticConnection" << QVariant(false);
    QTest::newRow("maxMessageSize") << "maxMessageSize" << QVariant(1048576);
    QTest::newRow("retrivalMode 0") << "retrivalMode" << QVariant(0);
    QTest::newRow("retrivalMode 2") << "retrivalMode" << QVariant(2);
    QTest::newRow("messageValidity") << "messageValidity" << QVariant(168);
    QTest::newRow("deliveryReport") << "deliveryReport" << QVariant(true);
    QTest::newRow("readReport") << "readReport" << QVariant(true);
    QTest::newRow("readReportMode") << "readReportMode" << QVariant(2);
    QTest::newRow("homeNetworkModeSupported") << "homeNetworkModeSupported" << QVariant(false);
    QTest::newRow("subjectEnabled") << "subjectEnabled" << QVariant(false);
    QTest::newRow("ccBccEnabled") << "ccBccEnabled" << QVariant(false);
    QTest::newRow("deliveryReportSettingVisible")
        << "deliveryReportSettingVisible" << QVariant(false);
    QTest::newRow("readReportSettingVisible") << "readReportSettingVisible" << QVariant(false);
    QTest::newRow("validitySettingVisible") << "validitySettingVisible" << QVariant(false);
    QTest::newRow("restrictedMode") << "restrictedMode" << QVariant(true);
    QTest::newRow("emailRecipientsAllowed") << "emailRecipientsAllowed" << QVariant(false);
}

// Each field survives on its own and disturbs no other.
void TestMmsMainConfig::roundTripsEachField()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);

    QVariantMap expected;
    {
        MmsMainConfig writer;
        expected = snapshot(writer);
        expected[field] = value;
        assign(writer, field, value);
        QVERIFY(writer.save());
    }
    QCOMPARE(snapshot(MmsMainConfig()), expected);
}

void TestMmsMainConfig::saveWritesEveryField()
{
    MmsMainConfig config;
    QVERIFY(config.save());
    QSettings file(MmsMainConfig::filePath(), QSettings::IniFormat);
    QStringList keys = file.allKeys();
    keys.sort();
    QStringList fields = snapshot(config).keys();
    fields.sort();
    QCOMPARE(keys, fields);
}

void TestMmsMainConfig::settersStoreTheContractNumbers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("enumValue");
    QTest::addColumn<int>("stored");

    QTest::newRow("size 100") << "maxMessageSize" << int(MmsMainConfig::MAX_SIZE_100KB) << 102400;
    QTest::newRow("size 300") << "maxMessageSize" << int(MmsMainConfig::MAX_SIZE_300KB) << 307200;
    QTest::newRow("size 600") << "maxMessageSize" << int(MmsMainConfig::MAX_SIZE_600KB) << 614400;
    QTest::newRow("size 1M") << "maxMessageSize" << int(MmsMainConfig::MAX_SIZE_1MB) << 1048576;
    QTest::newRow("home network") << "retrivalMode"
                                  << int(MmsMainConfig::RETRIVAL_AUTOMATIC_HOME_NETWORK) << 0;
    QTest::newRow("automatic") << "retrivalMode" << int(MmsMainConfig::RETRIVAL_AUTOMATIC) << 1;
    QTest::newRow("manual") << "retrivalMode" << int(MmsMainConfig::RETRIVAL_MANUAL) << 2;
    QTest::newRow("hour") << "messageValidity" << int(MmsMainConfig::VALIDITY_1_HOUR) << 1;
    QTest::newRow("day") << "messageValidity" << int(MmsMainConfig::VALIDITY_1_DAY) << 24;
    QTest::newRow("week") << "messageValidity" << int(MmsMainConfig::VALIDITY_1_WEEK) << 168;
    QTest::newRow("maximum") << "messageValidity" << int(MmsMainConfig::VALIDITY_MAXIMUM) << -1;
    QTest::newRow("prompt") << "readReportMode" << int(MmsMainConfig::READ_REPORT_PROMPT) << 0;
    QTest::newRow("always") << "readReportMode" << int(MmsMainConfig::READ_REPORT_ALWAYS_SEND) << 1;
    QTest::newRow("never") << "readReportMode" << int(MmsMainConfig::READ_REPORT_DO_NOT_SEND) << 2;
}

void TestMmsMainConfig::settersStoreTheContractNumbers()
{
    QFETCH(QString, field);
    QFETCH(int, enumValue);
    QFETCH(int, stored);

    {
        MmsMainConfig writer;
        if (field == "maxMessageSize")
            writer.setMaxMessageSize(MmsMainConfig::MAX_MESSAGE_SIZE(enumValue));
        else if (field == "retrivalMode")
            writer.setRetrivalMode(MmsMainConfig::MESSAGE_RETRIVAL_MODE(enumValue));
        else if (field == "messageValidity")
            writer.setMessageValidity(MmsMainConfig::MESSAGE_VALIDITY(enumValue));
        else
            writer.setReadReportMode(MmsMainConfig::READ_REPORT_MODE(enumValue));
        QVERIFY(writer.save());
    }
    QCOMPARE(snapshot(MmsMainConfig()).value(field).toInt(), stored);
    QSettings file(MmsMainConfig::filePath(), QSettings::IniFormat);
    QCOMPARE(file.value(field).toInt(), stored);
}

void TestMmsMainConfig::valuesWrittenByHand_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("bool word") << QByteArray("restrictedMode=true") << "restrictedMode"
                               << QVariant(true);
    QTest::newRow("bool digit") << QByteArray("automaticConnection=0") << "automaticConnection"
                                << QVariant(false);
    QTest::newRow("bool capitals")
        << QByteArray("readReport = TRUE") << "readReport" << QVariant(true);
    QTest::newRow("negative int") << QByteArray("messageValidity=-1") << "messageValidity"
                                  << QVariant(-1);
    QTest::newRow("int") << QByteArray("maxMessageSize=614400") << "maxMessageSize"
                         << QVariant(614400);
}

void TestMmsMainConfig::valuesWrittenByHand()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QVariant, value);

    ConfigSandbox::write(MmsMainConfig::filePath(), "[General]\n" + line + "\n");
    QCOMPARE(snapshot(MmsMainConfig()).value(field), value);
}

void TestMmsMainConfig::unparsableValueFallsBackToDefault_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");

    QTest::newRow("bool") << QByteArray("automaticConnection=maybe") << "automaticConnection";
    QTest::newRow("int") << QByteArray("maxMessageSize=300k") << "maxMessageSize";
    QTest::newRow("list") << QByteArray("retrivalMode=1, 2") << "retrivalMode";
    QTest::newRow("empty") << QByteArray("readReportMode=") << "readReportMode";
}

void TestMmsMainConfig::unparsableValueFallsBackToDefault()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);

    ConfigSandbox::write(MmsMainConfig::filePath(),
                         "[General]\nrestrictedMode=true\n" + line + "\n");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^\\[MMS-CONFIG\\] Ignoring \"" + field + "\" in "));
    const QVariantMap loaded = snapshot(MmsMainConfig());
    MmsMainConfig defaults;
    QCOMPARE(loaded.value(field), snapshot(defaults).value(field));
    QCOMPARE(loaded.value("restrictedMode"), QVariant(true));
}

// The record is loaded once and saved whole, so the last writer's values stand.
void TestMmsMainConfig::laterSaveWins()
{
    MmsMainConfig first;
    MmsMainConfig second;
    first.deliveryReport = true;
    QVERIFY(first.save());
    second.readReport = true;
    QVERIFY(second.save());

    const MmsMainConfig loaded;
    QCOMPARE(loaded.readReport, true);
    QCOMPARE(loaded.deliveryReport, false);
}

QTEST_GUILESS_MAIN(TestMmsMainConfig)
#include "tst_mmsmainconfig.moc"
