#include "configsandbox.h"
#include "mmsmainconfig.h"

#include <QtTest>

#include <memory>

#define FIELDS                                                                                     \
    X(automaticConnection)                                                                         \
    X(maxMessageSize) X(retrivalMode) X(messageValidity) X(deliveryReport) X(readReport)           \
        X(readReportMode) X(homeNetworkModeSupported) X(subjectEnabled) X(ccBccEnabled)            \
            X(deliveryReportSettingVisible) X(readReportSettingVisible) X(validitySettingVisible)  \
                X(restrictedMode) X(emailRecipientsAllowed)

namespace {

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

// The settings record: a fresh phone's defaults, saving and loading each field, bad values.
class TestMmsMainConfig : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void fieldDefaultsAndRoundTrip_data();
    void fieldDefaultsAndRoundTrip();
    void unparsableValueFallsBackToDefault_data();
    void unparsableValueFallsBackToDefault();
    void laterSaveWins();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsMainConfig::fieldDefaultsAndRoundTrip_data()
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
void TestMmsMainConfig::fieldDefaultsAndRoundTrip()
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

void TestMmsMainConfig::unparsableValueFallsBackToDefault_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::newRow("bool") << QByteArray("automaticConnection=maybe") << "automaticConnection";
    QTest::newRow("int") << QByteArray("maxMessageSize=300k") << "maxMessageSize";
    QTest::newRow("list") << QByteArray("retrivalMode=1, 2") << "retrivalMode";
}

void TestMmsMainConfig::unparsableValueFallsBackToDefault()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    ConfigSandbox::write(MmsMainConfig::filePath(), "[General]\nrestrictedMode=true\n" + line);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^\\[MMS-CONFIG\\] Ignoring \"" + field + "\" in "));
    const QVariantMap loaded = snapshot(MmsMainConfig());
    ConfigSandbox::write(MmsMainConfig::filePath(), "");
    QCOMPARE(loaded.value(field), snapshot(MmsMainConfig()).value(field));
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
    QVERIFY(loaded.readReport && !loaded.deliveryReport);
}

QTEST_GUILESS_MAIN(TestMmsMainConfig)
#include "tst_mmsmainconfig.moc"
