#include "connsettingswidget.h"
#include "settingstestsupport.h"
#include "tklineedit.h"

#include <QtTest>

#include <memory>

using Configuration = MmsConfig::Configuration;
Q_DECLARE_METATYPE(Configuration)

using namespace settingstest;

namespace {

TkLineEdit* editor(const ConnSettingsWidget& form, const char* name)
{
    return form.findChild<TkLineEdit*>(QLatin1String(name));
}

// What the form shows, read back as a profile (ports parsed as the locale does).
Configuration shown(const ConnSettingsWidget& form)
{
    const auto port = [&](const char* name) { return QLocale().toInt(editor(form, name)->text()); };
    return profile(editor(form, "mmsSettingsApnEditor")->text(),
                   editor(form, "mmsSettingsUserNameEditor")->text(),
                   editor(form, "mmsSettingsPasswordEditor")->text(),
                   editor(form, "mmsMMSCCenterEditor")->text(), port("mmsMMSCPortEditor"),
                   editor(form, "mmsSettingsProxyEditor")->text(),
                   port("mmsSettingsProxyPortEditor"));
}

Configuration named(Configuration config, const QString& name)
{
    config.name = name;
    return config;
}

} // namespace

class TestConnSettingsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installCatalogue(); }
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup();

    void loadChoosesProfile_data();
    void loadChoosesProfile();
    void savingProvisionedValuesMakesThemUserDefined();
    void saveStoresEveryField();
    void loadThrowsEditsAway();
    void blanksRefused_data();
    void blanksRefused();
    void portsInLocaleDigits();
    void portAboveTopRefused();
    void unparsablePortSavedAsZero();

private:
    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestConnSettingsWidget::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_sandbox.reset();
}

void TestConnSettingsWidget::loadChoosesProfile_data()
{
    QTest::addColumn<bool>("hasUserDefined");
    QTest::addColumn<Configuration>("userDefined");
    QTest::addColumn<bool>("hasProvisioned");
    QTest::addColumn<Configuration>("expected");

    const Configuration none;
    const Configuration user =
        profile("my.apn", "me", "pw", "http://my.mmsc/", 80, "1.2.3.4", 3128);
    const Configuration onlyProxyPort = profile("", "", "", "", 0, "", 8080);
    const Configuration onlyMmscPort = profile("", "", "", "", 9201, "", 0);
    const Configuration onlyPassword = profile("", "", "secret", "", 0, "", 0);

    QTest::newRow("fresh phone: the operator's")
        << false << none << true << named(operatorProfile(), "");
    QTest::newRow("all-empty user profile: the operator's")
        << true << none << true << named(operatorProfile(), "");
    QTest::newRow("only a proxy port: as is") << true << onlyProxyPort << true << onlyProxyPort;
    QTest::newRow("only a centre port: as is") << true << onlyMmscPort << true << onlyMmscPort;
    QTest::newRow("only a password: as is") << true << onlyPassword << true << onlyPassword;
    QTest::newRow("user's profile") << true << user << true << user;
    QTest::newRow("nothing anywhere") << false << none << false << none;
    QTest::newRow("all-empty, nothing provisioned") << true << none << false << none;
}

void TestConnSettingsWidget::loadChoosesProfile()
{
    QFETCH(bool, hasUserDefined);
    QFETCH(Configuration, userDefined);
    QFETCH(bool, hasProvisioned);
    QFETCH(Configuration, expected);

    if (hasUserDefined)
        storeUserDefined(userDefined);
    if (hasProvisioned)
        storeProvisioned(operatorProfile());

    ConnSettingsWidget form;
    QCOMPARE(shown(form), named(expected, ""));
}

void TestConnSettingsWidget::savingProvisionedValuesMakesThemUserDefined()
{
    storeProvisioned(operatorProfile());
    ConnSettingsWidget form;
    form.save();
    QCOMPARE(settingstest::userDefined(), named(operatorProfile(), "UserDefined"));
}

void TestConnSettingsWidget::saveStoresEveryField()
{
    storeProvisioned(operatorProfile());
    ConnSettingsWidget form;
    const std::pair<const char*, QString> texts[] = {
        {"mmsSettingsApnEditor", "apn.x"},
        {"mmsSettingsUserNameEditor", "user x"},
        {"mmsSettingsPasswordEditor", "pass x"},
        {"mmsMMSCCenterEditor", "http://x/"},
        {"mmsMMSCPortEditor", "81"},
        {"mmsSettingsProxyEditor", "proxy.x"},
        {"mmsSettingsProxyPortEditor", "8081"},
    };
    for (const auto& [name, text] : texts)
        editor(form, name)->setText(text);
    QCOMPARE(editor(form, "mmsSettingsPasswordEditor")->echoMode(), QLineEdit::Password);
    form.save();

    QCOMPARE(settingstest::userDefined(),
             named(profile("apn.x", "user x", "pass x", "http://x/", 81, "proxy.x", 8081),
                   "UserDefined"));
    const Configuration untouched = [] {
        Configuration c;
        MmsConfig::queryConfig(MmsConfig::PROVISIONED)->readConfiguration(c);
        return c;
    }();
    QCOMPARE(untouched, operatorProfile());
}

void TestConnSettingsWidget::loadThrowsEditsAway()
{
    const Configuration user = profile("my.apn", "me", "pw", "http://my.mmsc/", 80, "", 0);
    storeUserDefined(user);
    ConnSettingsWidget form;
    editor(form, "mmsSettingsApnEditor")->setText("edited");
    editor(form, "mmsMMSCPortEditor")->setText("1");
    form.load();
    QCOMPARE(shown(form), user);
}

void TestConnSettingsWidget::blanksRefused_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("apn space") << "mmsSettingsApnEditor"
                               << "mms apn"
                               << "mmsapn";
    QTest::newRow("apn tab") << "mmsSettingsApnEditor"
                             << "mms\tapn"
                             << "mmsapn";
    QTest::newRow("mmsc space") << "mmsMMSCCenterEditor"
                                << "http://a b/"
                                << "http://ab/";
    QTest::newRow("proxy space") << "mmsSettingsProxyEditor"
                                 << " 10.0.0.1 "
                                 << "10.0.0.1";
    QTest::newRow("user name keeps blanks") << "mmsSettingsUserNameEditor"
                                            << "my name"
                                            << "my name";
    QTest::newRow("password keeps blanks") << "mmsSettingsPasswordEditor"
                                           << "pass word"
                                           << "pass word";
}

void TestConnSettingsWidget::blanksRefused()
{
    QFETCH(QString, objectName);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    ConnSettingsWidget form;
    QLineEdit* edit = form.findChild<QLineEdit*>(objectName);
    type(edit, typed);
    QCOMPARE(edit->text(), kept);
}

void TestConnSettingsWidget::portsInLocaleDigits()
{
    QLocale::setDefault(QLocale("ar_EG"));
    storeUserDefined(profile("apn", "", "", "http://m/", 0, "proxy", 8080));

    ConnSettingsWidget form;
    QLineEdit* mmscPort = editor(form, "mmsMMSCPortEditor");
    QLineEdit* proxyPort = editor(form, "mmsSettingsProxyPortEditor");
    QCOMPARE(mmscPort->text(), QString::fromUtf8("٠"));
    QCOMPARE(proxyPort->text(), QString::fromUtf8("٨٠٨٠"));

    mmscPort->clear();
    type(mmscPort, QString::fromUtf8("٩٢٠١"));
    QCOMPARE(mmscPort->text(), QString::fromUtf8("٩٢٠١"));
    proxyPort->clear();
    type(proxyPort, QString::fromUtf8("٦٥٥٣٥"));
    form.save();

    const Configuration stored = settingstest::userDefined();
    QCOMPARE(stored.mmscPort, 9201);
    QCOMPARE(stored.proxyPort, 65535);
}

void TestConnSettingsWidget::portAboveTopRefused()
{
    ConnSettingsWidget form;
    QLineEdit* port = editor(form, "mmsSettingsProxyPortEditor");
    port->clear();
    type(port, "65536");
    QCOMPARE(port->text(), QString("6553"));
    type(port, "5");
    QCOMPARE(port->text(), QString("65535"));
    type(port, "0");
    QCOMPARE(port->text(), QString("65535"));
}

void TestConnSettingsWidget::unparsablePortSavedAsZero()
{
    ConnSettingsWidget form;
    editor(form, "mmsMMSCPortEditor")->clear();
    editor(form, "mmsSettingsProxyPortEditor")->setText("x");
    form.save();
    const Configuration stored = settingstest::userDefined();
    QCOMPARE(stored.mmscPort, 0);
    QCOMPARE(stored.proxyPort, 0);
}

QTEST_MAIN(TestConnSettingsWidget)
#include "tst_connsettingswidget.moc"
