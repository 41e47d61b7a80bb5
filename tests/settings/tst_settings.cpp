#include "../config/configsandbox.h"
#include "../widgets/widgettest.h"
#include "catalogue.h"
#include "connsettingshelper.h"
#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "localizedintvalidator.h"
#include "mmsconfig.h"
#include "mmsmainconfig.h"
#include "mmssettingswidget.h"
#include "testprofiles.h"
#include "tkcombobox.h"
#include "tklineedit.h"
#include "tkpopuplist.h"
#include "tkquerydialog.h"
#include "tkswitchbutton.h"
#include "visiblewindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QtTest>

#include <functional>
#include <memory>

using Configuration = MmsConfig::Configuration;

namespace {

// Picks an item through the opened list, as a finger does.
void pick(QComboBox* box, int index)
{
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

// Types text one character at a time (any script), as the input method does.
void type(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text) {
        for (const auto kind : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(kind, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &event);
        }
    }
}

Configuration profile(const QString& apn, const QString& userName, const QString& password,
                      const QString& mmsc, int mmscPort, const QString& proxy, int proxyPort)
{
    return testProfile(QString(), apn, userName, password, mmsc, mmscPort, proxy, proxyPort);
}

Configuration named(Configuration config, const QString& name)
{
    config.name = name;
    return config;
}

Configuration operatorProfile()
{
    return named(profile("op.apn", "op", "opsecret", "http://op.mmsc/", 8002, "10.0.0.1", 8080),
                 "Operator");
}

void storeProvisioned(const Configuration& config)
{
    MmsConfig::queryConfig(MmsConfig::PROVISIONED)->writeConfiguration(config);
}

void storeUserDefined(Configuration config)
{
    MmsConfig::queryConfig(MmsConfig::USER_DEFINED)
        ->writeConfiguration(named(config, "UserDefined"));
}

// The stored user-defined profile; name "UserDefined", empty if there is none.
Configuration userDefined()
{
    Configuration config = named({}, "UserDefined");
    MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->readConfiguration(config);
    return config;
}

const char* const kApn = "mmsSettingsApnEditor";
const char* const kMmscPort = "mmsMMSCPortEditor";
const char* const kProxyPort = "mmsSettingsProxyPortEditor";

TkLineEdit* editor(const ConnSettingsWidget& form, const char* name)
{
    return form.findChild<TkLineEdit*>(QLatin1String(name));
}

// Types the profile into the form's editors, made in the order of its fields.
void fill(const ConnSettingsWidget& form, const Configuration& c)
{
    const QList<TkLineEdit*> editors = form.findChildren<TkLineEdit*>();
    const QString port = QLocale().toString(c.mmscPort),
                  proxyPort = QLocale().toString(c.proxyPort);
    int i = 0;
    for (const QString& text : {c.apn, c.userName, c.password, c.mmsc, port, c.proxy, proxyPort})
        editors.at(i++)->setText(text);
}

// What the form shows, read back as a profile (ports parsed as the locale does).
Configuration shown(const ConnSettingsWidget& form)
{
    const auto text = [&](const char* name) { return editor(form, name)->text(); };
    return profile(text(kApn), text("mmsSettingsUserNameEditor"), text("mmsSettingsPasswordEditor"),
                   text("mmsMMSCCenterEditor"), QLocale().toInt(text(kMmscPort)),
                   text("mmsSettingsProxyEditor"), QLocale().toInt(text(kProxyPort)));
}

// Everything the store holds, to show that nothing changed.
QByteArray storeContents()
{
    return ConfigSandbox::read(MmsMainConfig::filePath()) +
           ConfigSandbox::read(MmsConfig::userDefinedFilePath());
}

using Setup = std::function<void(MmsMainConfig&)>;
using Field = int MmsMainConfig::*;

void store(const Setup& setup)
{
    MmsMainConfig config;
    setup(config);
    config.save();
}

template <class T> Setup set(T MmsMainConfig::*field, T value)
{
    return [=](MmsMainConfig& c) { c.*field = value; };
}

Setup noHomeItem(int mode)
{
    return [=](MmsMainConfig& c) {
        c.homeNetworkModeSupported = false;
        c.retrivalMode = mode;
    };
}

Setup restricted(int size)
{
    return [=](MmsMainConfig& c) {
        c.restrictedMode = true;
        c.maxMessageSize = size;
    };
}

void expectCritical(const QString& text)
{
    if (!text.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, qPrintable("[MMS-SETTINGS] " + text));
}

const char* const kMode = "mmsSettingsProxyPortButton";
const char* const kRetrieval = "mmsSettingsDownloadingMode";
const char* const kSize = "mmsSettingsMessageSize";
const char* const kValidity = "mmsSettingsMessageValidity";
const char* const kReport = "mmsSettingsReadReportMode";
const QStringList kSizes{"Small (100 kB)", "Medium (300 kB)", "Large (600 kB)",
                         "Extra large (1 MB)"};
const QStringList kRetrievals{"Automatic in home network", "Automatic", "Manual"};
const QString kUnknownSize = "Unknown message size limit, reset to 300Kb";
const QString kUnknownValidity = "Unknown message validity, reset to maximum time;";
const QString kBadSize = "Invalid message size limit selected, reset to 300Kb";
const QString kBadValidity = "Invalid message validity selected, reset to maximum time";
const int kUntouched = INT_MIN; // the store stays as it was

// The page's handler of the list that sets this field.
const char* handler(Field field)
{
    if (field == &MmsMainConfig::retrivalMode)
        return "msgRetrivalModeChanged";
    if (field == &MmsMainConfig::maxMessageSize)
        return "msgMaxSizeChanged";
    return field == &MmsMainConfig::messageValidity ? "msgValidityChanged"
                                                    : "msgReadReportModeChanged";
}

} // namespace

Q_DECLARE_METATYPE(Configuration)
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Field)

// The settings page, the connection settings form with its port validator,
// and the helper that offers the form when sending finds the settings
// incomplete; each test on a phone that was never configured.
class TestSettings : public QObject
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
        columns<QString, QString, int>({"locale", "input", "state"});
        const auto row = [](const char* tag, const char* locale, const char* input,
                            QValidator::State state) {
            QTest::addRow("%s", tag) << QString(locale) << QString::fromUtf8(input) << int(state);
        };
        row("zero", "en_GB", "0", QValidator::Acceptable);
        row("top", "en_GB", "65535", QValidator::Acceptable);
        row("above the top", "en_GB", "65536", QValidator::Invalid);
        row("empty", "en_GB", "", QValidator::Intermediate);
        row("negative", "en_GB", "-1", QValidator::Invalid);
        row("letters", "en_GB", "80a", QValidator::Invalid);
        row("arabic-indic top", "ar_EG", "٦٥٥٣٥", QValidator::Acceptable);
        row("arabic-indic above the top", "ar_EG", "٦٥٥٣٦", QValidator::Invalid);
        row("latin digits in arabic locale", "ar_EG", "8080", QValidator::Acceptable);
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

    // A user-defined profile with any field set wins over the operator's.
    void loadChoosesProfile_data()
    {
        columns<bool, Configuration, bool, Configuration>(
            {"hasUserDefined", "stored", "hasProvisioned", "expected"});
        const Configuration none;
        const Configuration user =
            profile("my.apn", "me", "pw", "http://my.mmsc/", 80, "1.2.3.4", 3128);
        const Configuration onlyProxyPort = profile("", "", "", "", 0, "", 8080);
        const Configuration op = named(operatorProfile(), "");
        QTest::addRow("fresh phone: the operator's") << false << none << true << op;
        QTest::addRow("all-empty user profile: the operator's") << true << none << true << op;
        QTest::addRow("only a proxy port: as is") << true << onlyProxyPort << true << onlyProxyPort;
        QTest::addRow("user's profile") << true << user << true << user;
        QTest::addRow("nothing anywhere") << false << none << false << none;
        QTest::addRow("all-empty, nothing provisioned") << true << none << false << none;
    }
    void loadChoosesProfile()
    {
        QFETCH(Configuration, stored);
        QFETCH(bool, hasUserDefined);
        QFETCH(bool, hasProvisioned);
        if (hasUserDefined)
            storeUserDefined(stored);
        if (hasProvisioned)
            storeProvisioned(operatorProfile());
        ConnSettingsWidget form;
        QTEST(shown(form), "expected");
    }

    // Saving makes the values shown, the operator's included, the user-defined
    // profile; the provisioned one stays as it is. Loading throws edits away.
    void saveAndLoad()
    {
        storeProvisioned(operatorProfile());
        ConnSettingsWidget form;
        form.save();
        QCOMPARE(userDefined(), named(operatorProfile(), "UserDefined"));
        const Configuration edited =
            profile("apn.x", "user x", "pass x", "http://x/", 81, "proxy.x", 8081);
        fill(form, edited);
        QCOMPARE(editor(form, "mmsSettingsPasswordEditor")->echoMode(), QLineEdit::Password);
        form.save();
        QCOMPARE(userDefined(), named(edited, "UserDefined"));
        Configuration provisioned;
        MmsConfig::queryConfig(MmsConfig::PROVISIONED)->readConfiguration(provisioned);
        QCOMPARE(provisioned, operatorProfile());
        fill(form, profile("edited", "", "", "", 1, "", 0));
        form.load();
        QCOMPARE(shown(form), edited);
    }

    // Typed text as the field keeps it: blanks are refused where no address
    // holds them, ports stop at the top.
    void typing_data()
    {
        columns<QString, QString, QString>({"field", "typed", "kept"});
        const auto row = [](const char* tag, const char* field, const char* typed,
                            const char* kept) {
            QTest::addRow("%s", tag) << field << typed << kept;
        };
        row("apn space", kApn, "mms apn", "mmsapn");
        row("mmsc space", "mmsMMSCCenterEditor", "http://a b/", "http://ab/");
        row("proxy space", "mmsSettingsProxyEditor", " 10.0.0.1 ", "10.0.0.1");
        row("user name keeps blanks", "mmsSettingsUserNameEditor", "my name", "my name");
        row("port above the top", kProxyPort, "65536", "6553");
        row("port at the top", kProxyPort, "655350", "65535");
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

    // Ports show and take the locale's digits; what does not parse is saved as 0.
    void portsInLocaleDigits()
    {
        QLocale::setDefault(QLocale("ar_EG"));
        storeUserDefined(profile("apn", "", "", "http://m/", 0, "proxy", 8080));
        ConnSettingsWidget form;
        QLineEdit* mmscPort = editor(form, kMmscPort);
        QLineEdit* proxyPort = editor(form, kProxyPort);
        QCOMPARE(mmscPort->text() + ' ' + proxyPort->text(), QString::fromUtf8("٠ ٨٠٨٠"));
        proxyPort->clear();
        type(proxyPort, QString::fromUtf8("٦٥٥٣٥"));
        QCOMPARE(proxyPort->text(), QString::fromUtf8("٦٥٥٣٥"));
        form.save();
        QCOMPARE(QPair(userDefined().mmscPort, userDefined().proxyPort), QPair(0, 65535));
        mmscPort->clear();
        proxyPort->setText("x");
        form.save();
        QCOMPARE(QPair(userDefined().mmscPort, userDefined().proxyPort), QPair(0, 0));
    }

    // Sending with incomplete settings asks whether to edit them; yes offers
    // the modes. "Automatic" is stored at once; "User-defined" opens the form,
    // modal, and only done stores the mode and the profile.
    void helper_data()
    {
        columns<bool, int, bool, bool>({"yes", "row", "done", "automatic"});
        QTest::addRow("no does nothing") << false << 0 << false << false;
        QTest::addRow("automatic") << true << 0 << false << true;
        QTest::addRow("user-defined, done") << true << 1 << true << false;
        QTest::addRow("user-defined, cancel") << true << 1 << false << true;
    }
    void helper()
    {
        QFETCH(bool, yes);
        QFETCH(int, row);
        QFETCH(bool, done);
        store(set(&MmsMainConfig::automaticConnection, row != 0 || !yes));
        storeUserDefined(profile("my.apn", "", "", "", 0, "", 0));
        const QByteArray before = storeContents();
        QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Show confirmation");
        connSettingsHelper()->showConnSettingsConfirmation("Sending failed");
        QPointer<TkQueryDialog> dialog = visibleWindow<TkQueryDialog>();
        QCOMPARE(dialog->text(),
                 QString("The MMS connection settings are incomplete. Edit them now?"));
        if (yes)
            QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Open settings dialog");
        (yes ? dialog->yesButton() : dialog->noButton())->click();
        QTRY_VERIFY(!dialog); // destroyed when done
        TkPopupList* list = visibleWindow<TkPopupList>();
        QVERIFY(!visibleWindow<ConnSettingsSheet>());
        QCOMPARE(
            list ? list->title() + ": " +
                       qobject_cast<QStringListModel*>(list->itemModel())->stringList().join(", ")
                 : QString(),
            yes ? "Connection settings: Automatic, User-defined" : "");
        if (!yes) {
            // A mode index from nowhere does nothing either.
            connSettingsHelper()->slotOnSettingsModeChanged(QModelIndex());
            QStringListModel model({"a", "b", "c"});
            connSettingsHelper()->slotOnSettingsModeChanged(model.index(2, 0));
            QVERIFY(!visibleWindow<ConnSettingsSheet>());
            QCOMPARE(storeContents(), before);
            return;
        }
        QTest::mouseClick(list->listView()->viewport(), Qt::LeftButton, {},
                          list->listView()->visualRect(list->itemModel()->index(row, 0)).center());
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
        QTEST(MmsMainConfig().automaticConnection, "automatic");
        if (row == 1 && !done)
            QCOMPARE(storeContents(), before);
        if (done)
            QCOMPARE(userDefined(),
                     named(profile("fixed.apn", "", "", "", 0, "", 0), "UserDefined"));
    }

    // What each list offers and selects for a stored value (none on a fresh
    // phone); showing it never writes.
    void listShowsStore_data()
    {
        columns<QString, Setup, QStringList, int, QString>(
            {"list", "setup", "expected", "index", "critical"});
        const auto row = [](const QString& tag, const char* list, const Setup& setup,
                            const QStringList& expected, int index, const QString& critical = {}) {
            QTest::addRow("%s", qPrintable(tag)) << list << setup << expected << index << critical;
        };
        const QStringList modes{"Automatic", "User-defined"};
        row("fresh phone", kMode, Setup(), modes, 0);
        row("user-defined", kMode, set(&MmsMainConfig::automaticConnection, false), modes, 1);
        for (int m = 0; m < 3; ++m)
            row(QString("mode %1").arg(m), kRetrieval, set(&MmsMainConfig::retrivalMode, m),
                kRetrievals, m);
        // Without the home-network item, mode 0 selects nothing.
        for (int m = 0; m < 3; ++m)
            row(QString("no home item, mode %1").arg(m), kRetrieval, noHomeItem(m),
                kRetrievals.mid(1), m - 1);
        const int bytes[] = {102400, 307200, 614400, 1048576};
        for (int i = 0; i < 4; ++i)
            row(QString("%1 bytes").arg(bytes[i]), kSize,
                set(&MmsMainConfig::maxMessageSize, bytes[i]), kSizes, i);
        row("unknown size", kSize, set(&MmsMainConfig::maxMessageSize, 500000), kSizes, 1,
            kUnknownSize);
        // Restricted mode offers 300 KB and 600 KB only, rounding the others in.
        for (int i = 0; i < 4; ++i)
            row(QString("restricted, %1 bytes").arg(bytes[i]), kSize, restricted(bytes[i]),
                kSizes.mid(1, 2), i / 2);
        row("restricted, unknown size", kSize, restricted(0), kSizes.mid(1, 2), 0, kUnknownSize);
        const int hours[] = {1, 24, 168, -1, 48, 0};
        for (int i = 0; i < 6; ++i)
            row(QString("%1 hours").arg(hours[i]), kValidity,
                set(&MmsMainConfig::messageValidity, hours[i]),
                {"1 hour", "1 day", "1 week", "Maximum"}, qMin(i, 3),
                i > 3 ? kUnknownValidity : QString());
        const QList<QPair<int, int>> reportModes{{0, 1}, {1, 0}, {2, 2}, {5, -1}};
        for (const auto& [mode, index] : reportModes)
            row(QString("read report mode %1").arg(mode), kReport,
                set(&MmsMainConfig::readReportMode, mode),
                {"Always send", "Ask every time", "Do not send"}, index);
    }
    void listShowsStore()
    {
        QFETCH(QString, list);
        QFETCH(Setup, setup);
        QFETCH(QString, critical);
        if (setup)
            store(setup);
        const QByteArray before = storeContents();
        const QDateTime modified = QFileInfo(MmsMainConfig::filePath()).lastModified();
        expectCritical(critical);
        MmsSettingsWidget widget;
        widget.show();
        QCoreApplication::processEvents();
        TkComboBox* box = widget.findChild<TkComboBox*>(list);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QTEST(items, "expected");
        QTEST(box->currentIndex(), "index");
        QCOMPARE(QPair(storeContents(), QFileInfo(MmsMainConfig::filePath()).lastModified()),
                 QPair(before, modified));
    }

    // The value each choice stores, starting from a value no list shows; an
    // index outside the list leaves the store as it was (no list given) or
    // stores and shows a safe value.
    void choiceStored_data()
    {
        columns<Setup, int, Field, int, QString, QString, int>(
            {"setup", "index", "field", "value", "critical", "list", "selected"});
        const auto rows = [](const char* tag, const Setup& setup, Field field,
                             const QList<int>& indexes, const QList<int>& values,
                             const QString& critical = {}, const char* list = "",
                             int selected = 0) {
            for (int i = 0; i < indexes.size(); ++i)
                QTest::addRow("%s %d", tag, indexes.at(i))
                    << setup << indexes.at(i) << field << values.value(i, values.last()) << critical
                    << QString(list) << selected;
        };
        const Field mode = &MmsMainConfig::retrivalMode;
        const Field size = &MmsMainConfig::maxMessageSize;
        const Field validity = &MmsMainConfig::messageValidity;
        const Field report = &MmsMainConfig::readReportMode;
        rows("retrieval", set(mode, 7), mode, {0, 1, 2}, {0, 1, 2});
        rows("retrieval, no home item", noHomeItem(7), mode, {0, 1}, {1, 2});
        rows("size", set(size, 1), size, {0, 1, 2, 3}, {102400, 307200, 614400, 1048576},
             kUnknownSize);
        rows("size, restricted", restricted(1), size, {0, 1}, {307200, 614400}, kUnknownSize);
        rows("validity", set(validity, 2), validity, {0, 1, 2, 3}, {1, 24, 168, -1},
             kUnknownValidity);
        rows("read report mode", set(report, 9), report, {0, 1, 2}, {1, 0, 2});
        const QString badMode = "Invalid retrival mode selected!";
        rows("bad retrieval", set(mode, 1), mode, {3, -1}, {kUntouched}, badMode);
        // Index 2 would store mode 3, which no phone knows.
        rows("bad retrieval, no home item", noHomeItem(1), mode, {2}, {kUntouched}, badMode);
        rows("bad read report mode", set(report, 2), report, {3, -1}, {kUntouched},
             "Invalid read report mode selected!");
        rows("bad size", set(size, 614400), size, {4, -1}, {307200}, kBadSize, kSize, 1);
        rows("bad size, restricted", restricted(614400), size, {2}, {307200}, kBadSize, kSize);
        rows("bad validity", set(validity, 24), validity, {4, -1}, {-1}, kBadValidity, kValidity,
             3);
    }
    void choiceStored()
    {
        QFETCH(Setup, setup);
        QFETCH(int, index);
        QFETCH(Field, field);
        QFETCH(int, value);
        QFETCH(QString, critical);
        QFETCH(QString, list);
        store(setup);
        const QByteArray before = storeContents();
        expectCritical(critical);
        MmsSettingsWidget widget;
        QVERIFY(QMetaObject::invokeMethod(&widget, handler(field), Q_ARG(int, index)));
        if (!list.isEmpty())
            QTEST(widget.findChild<TkComboBox*>(list)->currentIndex(), "selected");
        if (value == kUntouched)
            QCOMPARE(storeContents(), before);
        else
            QCOMPARE(MmsMainConfig().*field, value);
    }

    // Rows the operator hides are not built; their handlers stay harmless.
    void visibilityFlags_data()
    {
        columns<Setup, QStringList, QStringList>({"setup", "present", "absent"});
        const QString delivery = "mmsSettingsDeliveryReportButton";
        const QString read = "mmsSettingsReadReportButton";
        QTest::addRow("no validity") << set(&MmsMainConfig::validitySettingVisible, false)
                                     << QStringList{delivery, kReport} << QStringList{kValidity};
        QTest::addRow("no delivery report")
            << set(&MmsMainConfig::deliveryReportSettingVisible, false) << QStringList{read}
            << QStringList{delivery, "mmsSettingsDeliveryReportLabel"};
        QTest::addRow("no read report") << set(&MmsMainConfig::readReportSettingVisible, false)
                                        << QStringList{delivery} << QStringList{read, kReport};
    }
    void visibilityFlags()
    {
        QFETCH(Setup, setup);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        store(setup);
        MmsSettingsWidget widget;
        QStringList found;
        for (const QString& name : present + absent) {
            if (widget.findChild<QWidget*>(name))
                found << name;
        }
        QCOMPARE(found, present);
        expectCritical(kBadValidity);
        widget.msgValidityChanged(-1);
    }

    // What the user picks or switches on the page is stored at once; the
    // switches show what is stored.
    void userChoicesAreStored()
    {
        MmsSettingsWidget widget;
        widget.show();
        const QList<std::tuple<const char*, int, Field, int>> picks{
            {kRetrieval, 2, &MmsMainConfig::retrivalMode, 2},
            {kSize, 3, &MmsMainConfig::maxMessageSize, 1048576},
            {kValidity, 1, &MmsMainConfig::messageValidity, 24},
            {kReport, 2, &MmsMainConfig::readReportMode, 2}};
        for (const auto& [list, index, field, value] : picks) {
            pick(widget.findChild<TkComboBox*>(list), index);
            QCOMPARE(MmsMainConfig().*field, value);
        }
        const QList<QPair<QString, bool MmsMainConfig::*>> switches{
            {"mmsSettingsDeliveryReportButton", &MmsMainConfig::deliveryReport},
            {"mmsSettingsReadReportButton", &MmsMainConfig::readReport}};
        for (const auto& [name, flag] : switches) {
            auto* button = widget.findChild<TkSwitchButton*>(name);
            QVERIFY(!button->isChecked());
            for (const bool checked : {true, false}) {
                QTest::mouseClick(button, Qt::LeftButton);
                QCOMPARE(MmsMainConfig().*flag, checked);
            }
        }
        store([&](MmsMainConfig& c) { c.deliveryReport = c.readReport = true; });
        MmsSettingsWidget reloaded;
        for (const auto& [name, flag] : switches)
            QVERIFY(reloaded.findChild<TkSwitchButton*>(name)->isChecked());
    }

    // "Automatic" is stored at once; "User-defined", the same item again
    // included, opens the form from the event loop: done stores the mode and
    // the profile, cancel and Escape restore the list and keep the store.
    void connectionMode_data()
    {
        columns<bool, int, int, int>({"automaticBefore", "picked", "closeWith", "index"});
        const int noForm = -1, done = 0, cancel = 1, escape = 2;
        QTest::addRow("automatic") << false << 0 << noForm << 0;
        QTest::addRow("user-defined, done") << true << 1 << done << 1;
        QTest::addRow("user-defined again, done") << false << 1 << done << 1;
        QTest::addRow("user-defined, cancel") << true << 1 << cancel << 0;
        QTest::addRow("user-defined, Escape") << true << 1 << escape << 0;
    }
    void connectionMode()
    {
        QFETCH(bool, automaticBefore);
        QFETCH(int, picked);
        QFETCH(int, closeWith);
        QFETCH(int, index);
        store(set(&MmsMainConfig::automaticConnection, automaticBefore));
        storeProvisioned(operatorProfile());
        const QByteArray before = storeContents();
        MmsSettingsWidget widget;
        widget.show();
        TkComboBox* box = widget.findChild<TkComboBox*>(kMode);
        ConnSettingsSheet* form = widget.findChild<ConnSettingsSheet*>();
        QLineEdit* apn = editor(*form->form(), kApn);
        pick(box, picked);
        QVERIFY(!form->isVisible());
        if (closeWith != -1) {
            QTRY_VERIFY(form->isVisible());
            QVERIFY(form->isModal());
            apn->setText("mine.apn");
            if (closeWith == 2)
                QTest::keyClick(form, Qt::Key_Escape);
            else
                (closeWith == 0 ? form->doneButton() : form->cancelButton())->click();
        }
        QCoreApplication::processEvents();
        QVERIFY(!form->isVisible());
        QCOMPARE(QPair(box->currentIndex(), MmsMainConfig().automaticConnection),
                 QPair(index, index == 0));
        if (closeWith == 0) {
            Configuration expected = named(operatorProfile(), "UserDefined");
            expected.apn = "mine.apn";
            QCOMPARE(userDefined(), expected);
        } else if (closeWith > 0) {
            QCOMPARE(apn->text(), QString("op.apn"));
            QCOMPARE(storeContents(), before);
        }
    }

private:
    ConnSettingsHelper* connSettingsHelper()
    {
        if (!m_helper)
            m_helper = std::make_unique<ConnSettingsHelper>();
        return m_helper.get();
    }

    std::unique_ptr<ConfigSandbox> m_sandbox;
    std::unique_ptr<ConnSettingsHelper> m_helper;
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
