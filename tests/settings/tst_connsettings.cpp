#include "connsettingshelper.h"
#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "localizedintvalidator.h"
#include "mmsmainconfig.h"
#include "settingstestsupport.h"
#include "tklineedit.h"
#include "tkpopuplist.h"
#include "tkquerydialog.h"

#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QtTest>

#include <memory>

using Configuration = MmsConfig::Configuration;
Q_DECLARE_METATYPE(Configuration)

using namespace settingstest;

namespace {

const char* const kApn = "mmsSettingsApnEditor";
const char* const kMmscPort = "mmsMMSCPortEditor";
const char* const kProxyPort = "mmsSettingsProxyPortEditor";

TkLineEdit* editor(const ConnSettingsWidget& form, const char* name)
{
    return form.findChild<TkLineEdit*>(QLatin1String(name));
}

// What the form shows, read back as a profile (ports parsed as the locale does).
Configuration shown(const ConnSettingsWidget& form)
{
    const auto text = [&](const char* name) { return editor(form, name)->text(); };
    return profile(text(kApn), text("mmsSettingsUserNameEditor"), text("mmsSettingsPasswordEditor"),
                   text("mmsMMSCCenterEditor"), QLocale().toInt(text(kMmscPort)),
                   text("mmsSettingsProxyEditor"), QLocale().toInt(text(kProxyPort)));
}

void clickRow(TkPopupList* list, int row)
{
    const QModelIndex index = list->itemModel()->index(row, 0);
    QTest::mouseClick(list->listView()->viewport(), Qt::LeftButton, {},
                      list->listView()->visualRect(index).center());
}

// Everything the store holds, to show that nothing changed.
QByteArray storeContents()
{
    return ConfigSandbox::read(MmsMainConfig::filePath()) +
           ConfigSandbox::read(MmsConfig::userDefinedFilePath());
}

} // namespace

// The connection settings form, the port validator it uses and the helper
// that offers the form when sending finds the settings incomplete.
class TestConnSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installCatalogue(); }
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup()
    {
        m_helper.reset();
        qDeleteAll(QApplication::topLevelWidgets());
        QLocale::setDefault(QLocale::c());
        m_sandbox.reset();
    }

    void portValidator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("state");
        const auto row = [](const char* tag, const char* locale, const char* input,
                            QValidator::State state) {
            QTest::addRow("%s", tag) << QString(locale) << QString::fromUtf8(input) << int(state);
        };
        row("latin port", "en_GB", "8080", QValidator::Acceptable);
        row("zero", "en_GB", "0", QValidator::Acceptable);
        row("top", "en_GB", "65535", QValidator::Acceptable);
        row("above the top", "en_GB", "65536", QValidator::Invalid);
        row("six digits", "en_GB", "100000", QValidator::Invalid);
        row("empty", "en_GB", "", QValidator::Intermediate);
        row("negative", "en_GB", "-1", QValidator::Invalid);
        row("letters", "en_GB", "80a", QValidator::Invalid);
        row("blank", "en_GB", "80 80", QValidator::Invalid);
        row("arabic-indic top", "ar_EG", "٦٥٥٣٥", QValidator::Acceptable);
        row("arabic-indic above the top", "ar_EG", "٦٥٥٣٦", QValidator::Invalid);
        row("latin digits in arabic locale", "ar_EG", "8080", QValidator::Acceptable);
        row("bengali port", "bn_BD", "৮০৮০", QValidator::Acceptable);
        row("other script's digits", "bn_BD", "٨٠", QValidator::Invalid);
    }
    void portValidator()
    {
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QLocale::setDefault(QLocale(locale));
        LocalizedIntValidator validator;
        QString text = input;
        int pos = text.size();
        QTEST(int(validator.validate(text, pos)), "state");
        QCOMPARE(text, input);
    }

    void loadChoosesProfile_data()
    {
        QTest::addColumn<bool>("hasUserDefined");
        QTest::addColumn<Configuration>("stored");
        QTest::addColumn<bool>("hasProvisioned");
        QTest::addColumn<Configuration>("expected");
        const Configuration none;
        const Configuration user =
            profile("my.apn", "me", "pw", "http://my.mmsc/", 80, "1.2.3.4", 3128);
        const Configuration onlyProxyPort = profile("", "", "", "", 0, "", 8080);
        const Configuration onlyMmscPort = profile("", "", "", "", 9201, "", 0);
        const Configuration onlyPassword = profile("", "", "secret", "", 0, "", 0);
        const Configuration op = named(operatorProfile(), "");
        QTest::addRow("fresh phone: the operator's") << false << none << true << op;
        QTest::addRow("all-empty user profile: the operator's") << true << none << true << op;
        QTest::addRow("only a proxy port: as is") << true << onlyProxyPort << true << onlyProxyPort;
        QTest::addRow("only a centre port: as is") << true << onlyMmscPort << true << onlyMmscPort;
        QTest::addRow("only a password: as is") << true << onlyPassword << true << onlyPassword;
        QTest::addRow("user's profile") << true << user << true << user;
        QTest::addRow("nothing anywhere") << false << none << false << none;
        QTest::addRow("all-empty, nothing provisioned") << true << none << false << none;
    }
    void loadChoosesProfile()
    {
        QFETCH(Configuration, stored);
        QFETCH(Configuration, expected);
        QFETCH(bool, hasUserDefined);
        QFETCH(bool, hasProvisioned);
        if (hasUserDefined)
            storeUserDefined(stored);
        if (hasProvisioned)
            storeProvisioned(operatorProfile());
        ConnSettingsWidget form;
        QCOMPARE(shown(form), named(expected, ""));
    }

    // Saving makes the values shown, the operator's included, the user-defined
    // profile; the provisioned one stays as it is.
    void saveStoresEveryField()
    {
        storeProvisioned(operatorProfile());
        ConnSettingsWidget form;
        form.save();
        QCOMPARE(userDefined(), named(operatorProfile(), "UserDefined"));
        const std::pair<const char*, QString> texts[] = {
            {kApn, "apn.x"},
            {"mmsSettingsUserNameEditor", "user x"},
            {"mmsSettingsPasswordEditor", "pass x"},
            {"mmsMMSCCenterEditor", "http://x/"},
            {kMmscPort, "81"},
            {"mmsSettingsProxyEditor", "proxy.x"},
            {kProxyPort, "8081"},
        };
        for (const auto& [name, text] : texts)
            editor(form, name)->setText(text);
        QCOMPARE(editor(form, "mmsSettingsPasswordEditor")->echoMode(), QLineEdit::Password);
        form.save();
        QCOMPARE(userDefined(),
                 named(profile("apn.x", "user x", "pass x", "http://x/", 81, "proxy.x", 8081),
                       "UserDefined"));
        Configuration provisioned;
        MmsConfig::queryConfig(MmsConfig::PROVISIONED)->readConfiguration(provisioned);
        QCOMPARE(provisioned, operatorProfile());
    }

    void loadThrowsEditsAway()
    {
        const Configuration user = profile("my.apn", "me", "pw", "http://my.mmsc/", 80, "", 0);
        storeUserDefined(user);
        ConnSettingsWidget form;
        editor(form, kApn)->setText("edited");
        editor(form, kMmscPort)->setText("1");
        form.load();
        QCOMPARE(shown(form), user);
    }

    // Typed text as the field keeps it: blanks are refused where no address
    // holds them, ports stop at the top.
    void typing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addRow("apn space") << kApn << "mms apn"
                                   << "mmsapn";
        QTest::addRow("apn tab") << kApn << "mms\tapn"
                                 << "mmsapn";
        QTest::addRow("mmsc space") << "mmsMMSCCenterEditor"
                                    << "http://a b/"
                                    << "http://ab/";
        QTest::addRow("proxy space") << "mmsSettingsProxyEditor"
                                     << " 10.0.0.1 "
                                     << "10.0.0.1";
        QTest::addRow("user name keeps blanks") << "mmsSettingsUserNameEditor"
                                                << "my name"
                                                << "my name";
        QTest::addRow("password keeps blanks") << "mmsSettingsPasswordEditor"
                                               << "pass word"
                                               << "pass word";
        QTest::addRow("port above the top") << kProxyPort << "65536"
                                            << "6553";
        QTest::addRow("port at the top") << kProxyPort << "655350"
                                         << "65535";
    }
    void typing()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        ConnSettingsWidget form;
        auto* edit = form.findChild<QLineEdit*>(field);
        edit->clear();
        type(edit, typed);
        QTEST(edit->text(), "kept");
    }

    void portsInLocaleDigits()
    {
        QLocale::setDefault(QLocale("ar_EG"));
        storeUserDefined(profile("apn", "", "", "http://m/", 0, "proxy", 8080));
        ConnSettingsWidget form;
        QLineEdit* mmscPort = editor(form, kMmscPort);
        QLineEdit* proxyPort = editor(form, kProxyPort);
        QCOMPARE(mmscPort->text(), QString::fromUtf8("٠"));
        QCOMPARE(proxyPort->text(), QString::fromUtf8("٨٠٨٠"));
        mmscPort->clear();
        type(mmscPort, QString::fromUtf8("٩٢٠١"));
        QCOMPARE(mmscPort->text(), QString::fromUtf8("٩٢٠١"));
        proxyPort->clear();
        type(proxyPort, QString::fromUtf8("٦٥٥٣٥"));
        form.save();
        QCOMPARE(userDefined().mmscPort, 9201);
        QCOMPARE(userDefined().proxyPort, 65535);
    }

    void unparsablePortSavedAsZero()
    {
        ConnSettingsWidget form;
        editor(form, kMmscPort)->clear();
        editor(form, kProxyPort)->setText("x");
        form.save();
        QCOMPARE(userDefined().mmscPort, 0);
        QCOMPARE(userDefined().proxyPort, 0);
    }

    void helperConfirmation_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addRow("yes offers the modes") << true;
        QTest::addRow("no does nothing") << false;
    }
    void helperConfirmation()
    {
        QFETCH(bool, yes);
        QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Show confirmation");
        helper()->showConnSettingsConfirmation("Sending failed");
        QPointer<TkQueryDialog> dialog = visibleWindow<TkQueryDialog>();
        QCOMPARE(dialog->title(), QString("Sending failed"));
        QCOMPARE(dialog->text(),
                 QString("The MMS connection settings are incomplete. Edit them now?"));
        if (yes)
            QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Open settings dialog");
        (yes ? dialog->yesButton() : dialog->noButton())->click();
        QTRY_VERIFY(!dialog); // destroyed when done
        TkPopupList* list = visibleWindow<TkPopupList>();
        QCOMPARE(list != nullptr, yes);
        QVERIFY(!visibleWindow<ConnSettingsSheet>());
        if (!yes)
            return;
        QCOMPARE(list->title(), QString("Connection settings"));
        QCOMPARE(qobject_cast<QStringListModel*>(list->itemModel())->stringList(),
                 (QStringList{"Automatic", "User-defined"}));
    }

    void helperInvalidModeIndexDoesNothing()
    {
        helper()->slotOnSettingsModeChanged(QModelIndex());
        QStringListModel model({"a", "b", "c"});
        helper()->slotOnSettingsModeChanged(model.index(2, 0));
        QVERIFY(!visibleWindow<ConnSettingsSheet>());
        QVERIFY(!QFile::exists(MmsMainConfig::filePath()));
    }

    // "Automatic" is stored at once; "User-defined" opens the form, modal,
    // and only done stores the mode and the profile.
    void helperModes_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("done");
        QTest::addColumn<bool>("automatic");
        QTest::addRow("automatic") << 0 << false << true;
        QTest::addRow("user-defined, done") << 1 << true << false;
        QTest::addRow("user-defined, cancel") << 1 << false << true;
    }
    void helperModes()
    {
        QFETCH(int, row);
        QFETCH(bool, done);
        QFETCH(bool, automatic);
        store(row != 0);
        storeUserDefined(profile("my.apn", "", "", "", 0, "", 0));
        const QByteArray before = storeContents();
        helper()->showConnSettingsUi();
        clickRow(visibleWindow<TkPopupList>(), row);
        QVERIFY(!visibleWindow<TkPopupList>());
        QPointer<ConnSettingsSheet> sheet = visibleWindow<ConnSettingsSheet>();
        QCOMPARE(sheet.isNull(), row == 0);
        if (sheet) {
            QVERIFY(sheet->isModal());
            QCOMPARE(storeContents(), before);
            editor(*sheet->form(), kApn)->setText("fixed.apn");
            (done ? sheet->doneButton() : sheet->cancelButton())->click();
            QTRY_VERIFY(!sheet);
        }
        QCOMPARE(MmsMainConfig().automaticConnection, automatic);
        if (row == 1 && !done)
            QCOMPARE(storeContents(), before);
        if (done)
            QCOMPARE(userDefined(),
                     named(profile("fixed.apn", "", "", "", 0, "", 0), "UserDefined"));
    }

private:
    ConnSettingsHelper* helper()
    {
        if (!m_helper)
            m_helper = std::make_unique<ConnSettingsHelper>();
        return m_helper.get();
    }
    static void store(bool automaticConnection)
    {
        MmsMainConfig config;
        config.automaticConnection = automaticConnection;
        config.save();
    }

    std::unique_ptr<ConfigSandbox> m_sandbox;
    std::unique_ptr<ConnSettingsHelper> m_helper;
};

QTEST_MAIN(TestConnSettings)
#include "tst_connsettings.moc"
