#include "configsandbox.h"
#include "mmsconfig.h"
#include "mmsconfigfile.h"
#include "mmsmainconfig.h"

#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

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

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestMmsConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup();

    void damagedFileIsMovedAside_data();
    void damagedFileIsMovedAside();
    void damagedProfileReadsAsMissing_data();
    void damagedProfileReadsAsMissing();
    void repeatedDamageKeepsEveryCopy();
    void fileThatCannotBeMovedIsNeverOverwritten();
    void readValue_data();
    void readValue();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsConfigFile::cleanup()
{
    // Let the temporary directory remove what the tests locked down.
    QFile::setPermissions(m_sandbox->userFolder() + "/mms",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_sandbox.reset();
}

void TestMmsConfigFile::damagedFileIsMovedAside_data()
{
    QTest::addColumn<Damage>("kind");
    QTest::addColumn<int>("status");
    QTest::newRow("malformed INI") << Malformed << int(QSettings::FormatError);
    QTest::newRow("directory in its place") << Directory << int(QSettings::AccessError);
    QTest::newRow("no read permission") << Unreadable << int(QSettings::AccessError);
}

// The settings record starts from the defaults and saves into a fresh file; the damaged one is
// kept as it was.
void TestMmsConfigFile::damagedFileIsMovedAside()
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

void TestMmsConfigFile::damagedProfileReadsAsMissing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("file");
    QTest::newRow("user-defined") << int(MmsConfig::USER_DEFINED) << "profiles.conf";
    QTest::newRow("provisioned") << int(MmsConfig::PROVISIONED) << "provisioned.conf";
}

// Then a fresh profile is written and read back.
void TestMmsConfigFile::damagedProfileReadsAsMissing()
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

void TestMmsConfigFile::repeatedDamageKeepsEveryCopy()
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

void TestMmsConfigFile::fileThatCannotBeMovedIsNeverOverwritten()
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
void TestMmsConfigFile::readValue_data()
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
    QTest::newRow("too big") << QByteArray("99999999999") << QVariant(5) << QVariant(5) << number;
    QTest::newRow("empty") << QByteArray("") << QVariant(5) << QVariant(5) << number;
    QTest::newRow("true") << QByteArray("true") << QVariant(false) << QVariant(true) << "";
    QTest::newRow("false") << QByteArray("false") << QVariant(true) << QVariant(false) << "";
    QTest::newRow("1") << QByteArray("1") << QVariant(false) << QVariant(true) << "";
    QTest::newRow("0") << QByteArray("0") << QVariant(true) << QVariant(false) << "";
    QTest::newRow("yes") << QByteArray("yes") << QVariant(false) << QVariant(false) << truth;
    QTest::newRow("2") << QByteArray("2") << QVariant(true) << QVariant(true) << truth;
}

void TestMmsConfigFile::readValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QVariant, fallback);
    QFETCH(QVariant, expected);
    QFETCH(QString, warning);
    const QString path = MmsMainConfig::filePath();
    ConfigSandbox::write(path, "value=" + text + "\n");
    const std::unique_ptr<QSettings> settings = MmsConfigFile::open(path);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Ignoring \"value\" .* " + warning));
    if (fallback.type() == QVariant::Bool) {
        QCOMPARE(MmsConfigFile::readBool(*settings, "value", fallback.toBool()), expected.toBool());
    } else {
        QCOMPARE(MmsConfigFile::readInt(*settings, "value", 5), expected.toInt());
        QCOMPARE(MmsConfigFile::readInt(*settings, "absent", 5), 5);
    }
}

QTEST_GUILESS_MAIN(TestMmsConfigFile)
#include "tst_mmsconfigfile.moc"
