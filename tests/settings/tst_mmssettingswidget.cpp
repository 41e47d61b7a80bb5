#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "mmsmainconfig.h"
#include "mmssettingswidget.h"
#include "settingstestsupport.h"
#include "tkcombobox.h"
#include "tkswitchbutton.h"

#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace settingstest;

namespace {

using Setup = std::function<void(MmsMainConfig&)>;
using Field = int MmsMainConfig::*;

void store(const Setup& setup)
{
    MmsMainConfig config;
    setup(config);
    config.save();
}

// The settings file as it is on disk; empty when there is none.
QByteArray storedBytes()
{
    return ConfigSandbox::read(MmsMainConfig::filePath());
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QRegularExpression critical(const QString& text)
{
    return QRegularExpression('^' + QRegularExpression::escape("[MMS-SETTINGS] " + text) + '$');
}

const QStringList sizes{"Small (100 kB)", "Medium (300 kB)", "Large (600 kB)",
                        "Extra large (1 MB)"};
const QStringList validities{"1 hour", "1 day", "1 week", "Maximum"};
const QStringList reportModes{"Always send", "Ask every time", "Do not send"};
const QStringList retrievals{"Automatic in home network", "Automatic", "Manual"};
const QString unknownSize = "Unknown message size limit, reset to 300Kb";
const QString unknownValidity = "Unknown message validity, reset to maximum time;";

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

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Field)

class TestMmsSettingsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installCatalogue(); }
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void listShowsStore_data();
    void listShowsStore();
    void choiceStored_data();
    void choiceStored();
    void invalidChoice_data();
    void invalidChoice();
    void visibilityFlags_data();
    void visibilityFlags();
    void switchesStoreAtOnce_data();
    void switchesStoreAtOnce();
    void loadingWritesNothing_data();
    void loadingWritesNothing();
    void userPicksAreStored();
    void pickingAutomaticStoresIt();
    void pickingUserDefinedOpensSheetEachTime();
    void cancelRestoresListAndKeepsProfile();
    void doneStoresModeAndProfile();

private:
    TkComboBox* list(const MmsSettingsWidget& widget, const QString& name) const
    {
        return widget.findChild<TkComboBox*>(name);
    }
    ConnSettingsSheet* sheet(const MmsSettingsWidget& widget) const
    {
        return widget.findChild<ConnSettingsSheet*>();
    }

    std::unique_ptr<ConfigSandbox> m_sandbox;
};

// What each list offers and selects for a stored value; showing it never writes.
void TestMmsSettingsWidget::listShowsStore_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("critical");

    const auto row = [](const char* name, const char* list, const Setup& setup,
                        const QStringList& expected, int index, const QString& critical = {}) {
        QTest::newRow(name) << list << setup << expected << index << critical;
    };
    const char* mode = "mmsSettingsProxyPortButton";
    const QStringList modes{"Automatic", "User-defined"};
    row(
        "automatic", mode, [](MmsMainConfig& c) { c.automaticConnection = true; }, modes, 0);
    row(
        "user-defined", mode, [](MmsMainConfig& c) { c.automaticConnection = false; }, modes, 1);

    const char* retrieval = "mmsSettingsDownloadingMode";
    for (int m = 0; m < 3; ++m) {
        row(
            qPrintable(QString("home item, mode %1").arg(m)), retrieval,
            [=](MmsMainConfig& c) { c.retrivalMode = m; }, retrievals, m);
    }
    row("no home item, mode 0 selects nothing", retrieval, noHomeItem(0), retrievals.mid(1), -1);
    row("no home item, mode 1", retrieval, noHomeItem(1), retrievals.mid(1), 0);
    row("no home item, mode 2", retrieval, noHomeItem(2), retrievals.mid(1), 1);

    const char* size = "mmsSettingsMessageSize";
    const int bytes[] = {102400, 307200, 614400, 1048576};
    for (int i = 0; i < 4; ++i) {
        row(
            qPrintable(QString("%1 bytes").arg(bytes[i])), size,
            [=](MmsMainConfig& c) { c.maxMessageSize = bytes[i]; }, sizes, i);
    }
    row(
        "unknown size", size, [](MmsMainConfig& c) { c.maxMessageSize = 500000; }, sizes, 1,
        unknownSize);
    const QStringList restrictedSizes = sizes.mid(1, 2);
    row("restricted, 100 KB shows 300", size, restricted(102400), restrictedSizes, 0);
    row("restricted, 300 KB", size, restricted(307200), restrictedSizes, 0);
    row("restricted, 600 KB", size, restricted(614400), restrictedSizes, 1);
    row("restricted, 1 MB shows 600", size, restricted(1048576), restrictedSizes, 1);
    row("restricted, unknown size", size, restricted(0), restrictedSizes, 0, unknownSize);

    const char* validity = "mmsSettingsMessageValidity";
    const int hours[] = {1, 24, 168, -1, 48, 0};
    for (int i = 0; i < 6; ++i) {
        row(
            qPrintable(QString("%1 hours").arg(hours[i])), validity,
            [=](MmsMainConfig& c) { c.messageValidity = hours[i]; }, validities, qMin(i, 3),
            i > 3 ? unknownValidity : QString());
    }

    const char* report = "mmsSettingsReadReportMode";
    const int reportIndex[] = {1, 0, 2, -1};
    for (int m = 0; m < 4; ++m) {
        const int stored = m == 3 ? 5 : m;
        row(
            qPrintable(QString("read report mode %1").arg(stored)), report,
            [=](MmsMainConfig& c) { c.readReportMode = stored; }, reportModes, reportIndex[m]);
    }
}

void TestMmsSettingsWidget::listShowsStore()
{
    QFETCH(QString, list);
    QFETCH(Setup, setup);
    QFETCH(QStringList, expected);
    QFETCH(int, index);
    QFETCH(QString, critical);

    store(setup);
    const QByteArray before = storedBytes();
    if (!critical.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
    MmsSettingsWidget widget;
    TkComboBox* box = this->list(widget, list);
    QCOMPARE(items(box), expected);
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(storedBytes(), before);
}

// The value each choice stores, starting from a value no list shows.
void TestMmsSettingsWidget::choiceStored_data()
{
    QTest::addColumn<QByteArray>("handler");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("index");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("critical");

    const auto rows = [](const char* handler, const Setup& setup, Field field,
                         const QList<int>& values, const char* prefix,
                         const QString& critical = {}) {
        for (int i = 0; i < values.size(); ++i) {
            QTest::addRow("%s %d", prefix, i)
                << QByteArray(handler) << setup << i << field << values.at(i) << critical;
        }
    };
    rows(
        "msgRetrivalModeChanged", [](MmsMainConfig& c) { c.retrivalMode = 7; },
        &MmsMainConfig::retrivalMode, {0, 1, 2}, "retrieval");
    rows("msgRetrivalModeChanged", noHomeItem(7), &MmsMainConfig::retrivalMode, {1, 2},
         "retrieval, no home item");
    rows(
        "msgMaxSizeChanged", [](MmsMainConfig& c) { c.maxMessageSize = 1; },
        &MmsMainConfig::maxMessageSize, {102400, 307200, 614400, 1048576}, "size", unknownSize);
    rows("msgMaxSizeChanged", restricted(1), &MmsMainConfig::maxMessageSize, {307200, 614400},
         "size, restricted", unknownSize);
    rows(
        "msgValidityChanged", [](MmsMainConfig& c) { c.messageValidity = 2; },
        &MmsMainConfig::messageValidity, {1, 24, 168, -1}, "validity", unknownValidity);
    rows(
        "msgReadReportModeChanged", [](MmsMainConfig& c) { c.readReportMode = 9; },
        &MmsMainConfig::readReportMode, {1, 0, 2}, "read report mode");
}

void TestMmsSettingsWidget::choiceStored()
{
    QFETCH(QByteArray, handler);
    QFETCH(Setup, setup);
    QFETCH(int, index);
    QFETCH(Field, field);
    QFETCH(int, value);
    QFETCH(QString, critical);

    store(setup);
    if (!critical.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
    MmsSettingsWidget widget;
    QVERIFY(QMetaObject::invokeMethod(&widget, handler, Q_ARG(int, index)));
    QCOMPARE(MmsMainConfig().*field, value);
}

// An index outside the list either changes nothing or falls back to a safe value.
void TestMmsSettingsWidget::invalidChoice_data()
{
    QTest::addColumn<QByteArray>("handler");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("critical");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("value");

    const Setup home = [](MmsMainConfig&) {};
    const QString badMode = "Invalid retrival mode selected!";
    // Unchanged store: no list and no field to look at.
    for (int index : {3, -1})
        QTest::addRow("retrieval %d", index) << QByteArray("msgRetrivalModeChanged") << home
                                             << index << badMode << "" << 0 << Field() << 0;
    // Index 2 would store mode 3, which no phone knows.
    for (int index : {2, -1})
        QTest::addRow("retrieval, no home item, %d", index)
            << QByteArray("msgRetrivalModeChanged") << noHomeItem(1) << index << badMode << "" << 0
            << Field() << 0;
    const QString badSize = "Invalid message size limit selected, reset to 300Kb";
    const auto large = [](MmsMainConfig& c) { c.maxMessageSize = 614400; };
    for (int index : {4, -1})
        QTest::addRow("size %d", index)
            << QByteArray("msgMaxSizeChanged") << Setup(large) << index << badSize
            << "mmsSettingsMessageSize" << 1 << &MmsMainConfig::maxMessageSize << 307200;
    for (int index : {2, 3})
        QTest::addRow("size, restricted, %d", index)
            << QByteArray("msgMaxSizeChanged") << restricted(614400) << index << badSize
            << "mmsSettingsMessageSize" << 0 << &MmsMainConfig::maxMessageSize << 307200;
    const auto day = [](MmsMainConfig& c) { c.messageValidity = 24; };
    for (int index : {4, -1})
        QTest::addRow("validity %d", index)
            << QByteArray("msgValidityChanged") << Setup(day) << index
            << "Invalid message validity selected, reset to maximum time"
            << "mmsSettingsMessageValidity" << 3 << &MmsMainConfig::messageValidity << -1;
    const auto never = [](MmsMainConfig& c) { c.readReportMode = 2; };
    for (int index : {3, -1})
        QTest::addRow("read report mode %d", index)
            << QByteArray("msgReadReportModeChanged") << Setup(never) << index
            << "Invalid read report mode selected!"
            << "" << 0 << Field() << 0;
}

void TestMmsSettingsWidget::invalidChoice()
{
    QFETCH(QByteArray, handler);
    QFETCH(Setup, setup);
    QFETCH(int, index);
    QFETCH(QString, critical);
    QFETCH(QString, list);
    QFETCH(int, selected);
    QFETCH(Field, field);
    QFETCH(int, value);

    store(setup);
    const QByteArray before = storedBytes();
    MmsSettingsWidget widget;
    QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
    QVERIFY(QMetaObject::invokeMethod(&widget, handler, Q_ARG(int, index)));
    if (list.isEmpty()) {
        QCOMPARE(storedBytes(), before);
        return;
    }
    QCOMPARE(this->list(widget, list)->currentIndex(), selected);
    QCOMPARE(MmsMainConfig().*field, value);
}

void TestMmsSettingsWidget::visibilityFlags_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("all shown") << Setup([](MmsMainConfig&) {})
                               << QStringList{"mmsSettingsMessageValidity",
                                              "mmsSettingsDeliveryReportButton",
                                              "mmsSettingsReadReportButton",
                                              "mmsSettingsReadReportMode"}
                               << QStringList{};
    QTest::newRow("no validity") << Setup([](MmsMainConfig& c) {
        c.validitySettingVisible = false;
    }) << QStringList{"mmsSettingsDeliveryReportButton", "mmsSettingsReadReportMode"}
                                 << QStringList{"mmsSettingsMessageValidity"};
    QTest::newRow("no delivery report")
        << Setup([](MmsMainConfig& c) { c.deliveryReportSettingVisible = false; })
        << QStringList{"mmsSettingsReadReportButton"}
        << QStringList{"mmsSettingsDeliveryReportButton", "mmsSettingsDeliveryReportLabel"};
    QTest::newRow("no read report")
        << Setup([](MmsMainConfig& c) { c.readReportSettingVisible = false; })
        << QStringList{"mmsSettingsDeliveryReportButton"}
        << QStringList{"mmsSettingsReadReportButton", "mmsSettingsReadReportMode"};
}

void TestMmsSettingsWidget::visibilityFlags()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);

    store(setup);
    MmsSettingsWidget widget;
    for (const QString& name : present)
        QVERIFY2(widget.findChild<QWidget*>(name), qPrintable(name));
    for (const QString& name : absent)
        QVERIFY2(!widget.findChild<QWidget*>(name), qPrintable(name));
    // The handler of a hidden row may still be called without harm.
    QTest::ignoreMessage(QtCriticalMsg,
                         critical("Invalid message validity selected, reset to maximum time"));
    widget.msgValidityChanged(-1);
}

void TestMmsSettingsWidget::switchesStoreAtOnce_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("logName");
    QTest::newRow("delivery report") << "mmsSettingsDeliveryReport"
                                     << "Delivery report";
    QTest::newRow("read report") << "mmsSettingsReadReport"
                                 << "Read report";
}

void TestMmsSettingsWidget::switchesStoreAtOnce()
{
    QFETCH(QString, row);
    QFETCH(QString, logName);

    const auto stored = [&] {
        const MmsMainConfig c;
        return row == "mmsSettingsReadReport" ? c.readReport : c.deliveryReport;
    };
    const auto expectLog = [&](const QString& text) {
        QTest::ignoreMessage(QtDebugMsg, qPrintable("D: [MMS-SETTINGS] " + logName + text));
    };
    expectLog(": false");
    MmsSettingsWidget widget;
    widget.show();
    auto* button = widget.findChild<TkSwitchButton*>(row + "Button");
    QVERIFY(!button->isChecked());

    for (const bool checked : {true, false}) {
        expectLog(QString(" clicked: %1").arg(checked ? "true" : "false"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(stored(), checked);
    }

    store([&](MmsMainConfig& c) { c.deliveryReport = c.readReport = true; });
    expectLog(": true");
    MmsSettingsWidget reloaded;
    QVERIFY(reloaded.findChild<TkSwitchButton*>(row + "Button")->isChecked());
}

void TestMmsSettingsWidget::loadingWritesNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("criticals");
    QTest::newRow("fresh phone") << QByteArray() << 0;
    QTest::newRow("unknown values")
        << QByteArray("[General]\nmaxMessageSize=5\nmessageValidity=3\nretrivalMode=0\n"
                      "homeNetworkModeSupported=false\nreadReportMode=8\n")
        << 2;
    QTest::newRow("restricted mode rounding")
        << QByteArray("[General]\nrestrictedMode=true\nmaxMessageSize=1048576\n") << 0;
}

void TestMmsSettingsWidget::loadingWritesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(int, criticals);
    if (!file.isEmpty())
        ConfigSandbox::write(MmsMainConfig::filePath(), file);
    const QDateTime modified = QFileInfo(MmsMainConfig::filePath()).lastModified();

    for (int i = 0; i < criticals; ++i)
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("Unknown message"));
    MmsSettingsWidget widget;
    widget.show();
    QCoreApplication::processEvents();

    QCOMPARE(storedBytes(), file);
    QCOMPARE(QFileInfo(MmsMainConfig::filePath()).lastModified(), modified);
    QVERIFY(!QFile::exists(MmsConfig::userDefinedFilePath()));
}

void TestMmsSettingsWidget::userPicksAreStored()
{
    MmsSettingsWidget widget;
    widget.show();
    pick(list(widget, "mmsSettingsDownloadingMode"), 2);
    pick(list(widget, "mmsSettingsMessageSize"), 3);
    pick(list(widget, "mmsSettingsMessageValidity"), 1);
    pick(list(widget, "mmsSettingsReadReportMode"), 2);

    const MmsMainConfig stored;
    QCOMPARE(stored.retrivalMode, 2);
    QCOMPARE(stored.maxMessageSize, 1048576);
    QCOMPARE(stored.messageValidity, 24);
    QCOMPARE(stored.readReportMode, 2);
}

void TestMmsSettingsWidget::pickingAutomaticStoresIt()
{
    store([](MmsMainConfig& c) { c.automaticConnection = false; });
    MmsSettingsWidget widget;
    widget.show();
    pick(list(widget, "mmsSettingsProxyPortButton"), 0);
    QCOMPARE(MmsMainConfig().automaticConnection, true);
    QCoreApplication::processEvents();
    QVERIFY(!sheet(widget)->isVisible());
}

void TestMmsSettingsWidget::pickingUserDefinedOpensSheetEachTime()
{
    store([](MmsMainConfig& c) { c.automaticConnection = false; });
    MmsSettingsWidget widget;
    widget.show();
    TkComboBox* box = list(widget, "mmsSettingsProxyPortButton");

    for (int round = 0; round < 2; ++round) {
        pick(box, 1);
        QVERIFY(!sheet(widget)->isVisible()); // opened from the event loop
        QTRY_VERIFY(sheet(widget)->isVisible());
        QVERIFY(sheet(widget)->isModal());
        sheet(widget)->cancelButton()->click();
        QVERIFY(!sheet(widget)->isVisible());
    }
}

void TestMmsSettingsWidget::cancelRestoresListAndKeepsProfile()
{
    const MmsConfig::Configuration user = profile("my.apn", "", "", "http://m/", 0, "", 0);
    storeUserDefined(user);
    const QByteArray before = storedBytes();
    MmsSettingsWidget widget;
    widget.show();
    TkComboBox* box = list(widget, "mmsSettingsProxyPortButton");

    pick(box, 1);
    QTRY_VERIFY(sheet(widget)->isVisible());
    auto* apn = sheet(widget)->form()->findChild<QLineEdit*>("mmsSettingsApnEditor");
    apn->setText("edited.apn");
    sheet(widget)->cancelButton()->click();

    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(apn->text(), QString("my.apn"));
    QCOMPARE(storedBytes(), before);
    MmsConfig::Configuration expected = user;
    expected.name = "UserDefined";
    QCOMPARE(settingstest::userDefined(), expected);

    // Escape leaves the sheet the same way.
    pick(box, 1);
    QTRY_VERIFY(sheet(widget)->isVisible());
    QTest::keyClick(sheet(widget), Qt::Key_Escape);
    QVERIFY(!sheet(widget)->isVisible());
    QCOMPARE(box->currentIndex(), 0);
}

void TestMmsSettingsWidget::doneStoresModeAndProfile()
{
    storeProvisioned(operatorProfile());
    MmsSettingsWidget widget;
    widget.show();
    TkComboBox* box = list(widget, "mmsSettingsProxyPortButton");
    pick(box, 1);
    QTRY_VERIFY(sheet(widget)->isVisible());
    ConnSettingsWidget* form = sheet(widget)->form();
    form->findChild<QLineEdit*>("mmsSettingsApnEditor")->setText("mine.apn");
    form->findChild<QLineEdit*>("mmsSettingsProxyPortEditor")->setText("3128");
    sheet(widget)->doneButton()->click();

    QVERIFY(!sheet(widget)->isVisible());
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(MmsMainConfig().automaticConnection, false);
    MmsConfig::Configuration expected = operatorProfile();
    expected.name = "UserDefined";
    expected.apn = "mine.apn";
    expected.proxyPort = 3128;
    QCOMPARE(settingstest::userDefined(), expected);
}

QTEST_MAIN(TestMmsSettingsWidget)
#include "tst_mmssettingswidget.moc"
