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

} // namespace

class TestMmsMainConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void freshPhoneDefaults();
    void loadingWritesNothing();
    void everyFieldRoundTrips();
    void saveWritesEveryField();
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

// Every field away from its default survives a save; saveWritesEveryField shows that no two
// fields share a key.
void TestMmsMainConfig::everyFieldRoundTrips()
{
    QVariantMap expected;
    {
        MmsMainConfig writer;
        writer.automaticConnection = false;
        writer.maxMessageSize = 1048576;
        writer.retrivalMode = 2;
        writer.messageValidity = 168;
        writer.deliveryReport = writer.readReport = true;
        writer.readReportMode = 2;
        writer.homeNetworkModeSupported = writer.subjectEnabled = writer.ccBccEnabled = false;
        writer.deliveryReportSettingVisible = writer.readReportSettingVisible = false;
        writer.validitySettingVisible = writer.emailRecipientsAllowed = false;
        writer.restrictedMode = true;
        expected = snapshot(writer);
        const QVariantMap defaults = snapshot(MmsMainConfig());
        for (const QString& field : defaults.keys())
            QVERIFY2(expected.value(field) != defaults.value(field), qPrintable(field));
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
