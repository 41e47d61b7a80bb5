#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "mmsmainconfig.h"
#include "mmssettingswidget.h"
#include "settingstestsupport.h"
#include "tkcombobox.h"
#include "tkstyle.h"
#include "tkswitchbutton.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace settingstest;

namespace {

using Setup = std::function<void(MmsMainConfig&)>;

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

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestMmsSettingsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installCatalogue(); }
    void init() { m_sandbox = std::make_unique<ConfigSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void listNames_data();
    void listNames();
    void switchRows_data();
    void switchRows();
    void visibilityFlags_data();
    void visibilityFlags();
    void connectionModeShown_data();
    void connectionModeShown();
    void retrievalShown_data();
    void retrievalShown();
    void retrievalStored_data();
    void retrievalStored();
    void retrievalInvalidIndex_data();
    void retrievalInvalidIndex();
    void sizeItems_data();
    void sizeItems();
    void sizeShown_data();
    void sizeShown();
    void sizeStored_data();
    void sizeStored();
    void sizeInvalidIndex_data();
    void sizeInvalidIndex();
    void validityShown_data();
    void validityShown();
    void validityStored_data();
    void validityStored();
    void validityInvalidIndex();
    void readReportModeShown_data();
    void readReportModeShown();
    void readReportModeStored_data();
    void readReportModeStored();
    void readReportModeInvalidIndex_data();
    void readReportModeInvalidIndex();
    void switchesStoreAtOnce_data();
    void switchesStoreAtOnce();
    void loadingWritesNothing_data();
    void loadingWritesNothing();
    void userPicksAreStored();
    void pickingAutomaticStoresIt();
    void pickingUserDefinedOpensSheetEachTime();
    void sheetLook();
    void cancelRestoresListAndKeepsProfile();
    void doneStoresModeAndProfile();

private:
    TkComboBox* list(const MmsSettingsWidget& widget, const char* name) const
    {
        return widget.findChild<TkComboBox*>(QLatin1String(name));
    }
    ConnSettingsSheet* sheet(const MmsSettingsWidget& widget) const
    {
        return widget.findChild<ConnSettingsSheet*>();
    }

    std::unique_ptr<ConfigSandbox> m_sandbox;
};

void TestMmsSettingsWidget::listNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("position");

    QTest::newRow("connection") << "mmsSettingsProxyPortButton"
                                << "Connection settings" << 0;
    QTest::newRow("retrieval") << "mmsSettingsDownloadingMode"
                               << "Message retrieval" << 1;
    QTest::newRow("size") << "mmsSettingsMessageSize"
                          << "Maximum message size" << 2;
    QTest::newRow("validity") << "mmsSettingsMessageValidity"
                              << "Message validity" << 3;
    QTest::newRow("read report mode") << "mmsSettingsReadReportMode"
                                      << "Send read reports" << 6;
}

void TestMmsSettingsWidget::listNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, title);
    QFETCH(int, position);

    MmsSettingsWidget widget;
    TkComboBox* box = widget.findChild<TkComboBox*>(objectName);
    QVERIFY(box);
    QCOMPARE(box->title(), title);
    QCOMPARE(tk::styleName(box), QString("CommonComboBoxInverted"));
    QCOMPARE(widget.layout()->indexOf(box), position);
    QCOMPARE(widget.layout()->contentsMargins(), QMargins());
}

void TestMmsSettingsWidget::switchRows_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");

    QTest::newRow("delivery report") << "mmsSettingsDeliveryReport"
                                     << "Request delivery report" << 4;
    QTest::newRow("read report") << "mmsSettingsReadReport"
                                 << "Request read report" << 5;
}

void TestMmsSettingsWidget::switchRows()
{
    QFETCH(QString, row);
    QFETCH(QString, text);
    QFETCH(int, position);

    MmsSettingsWidget widget;
    auto* label = widget.findChild<QLabel*>(row + "Label");
    auto* button = widget.findChild<TkSwitchButton*>(row + "Button");
    QVERIFY(label);
    QVERIFY(button);
    QCOMPARE(label->text(), text);
    QCOMPARE(tk::styleName(label), QString("CommonSingleTitleInverted"));
    QCOMPARE(tk::styleName(button), QString("CommonRightSwitchInverted"));
    QVERIFY(button->isCheckable());
    QWidget* panel = label->parentWidget();
    QCOMPARE(button->parentWidget(), panel);
    QCOMPARE(tk::styleName(panel), QString("CommonPanelInverted"));
    QCOMPARE(widget.layout()->indexOf(panel), position);
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

void TestMmsSettingsWidget::connectionModeShown_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("index");
    QTest::newRow("automatic") << true << 0;
    QTest::newRow("user-defined") << false << 1;
}

void TestMmsSettingsWidget::connectionModeShown()
{
    QFETCH(bool, automatic);
    QFETCH(int, index);

    store([&](MmsMainConfig& c) { c.automaticConnection = automatic; });
    MmsSettingsWidget widget;
    TkComboBox* box = list(widget, "mmsSettingsProxyPortButton");
    QCOMPARE(items(box), (QStringList{"Automatic", "User-defined"}));
    QCOMPARE(box->currentIndex(), index);
}

void TestMmsSettingsWidget::retrievalShown_data()
{
    QTest::addColumn<bool>("homeItem");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("index");

    QTest::newRow("home item, mode 0") << true << 0 << 0;
    QTest::newRow("home item, mode 1") << true << 1 << 1;
    QTest::newRow("home item, mode 2") << true << 2 << 2;
    QTest::newRow("no home item, mode 0 selects nothing") << false << 0 << -1;
    QTest::newRow("no home item, mode 1") << false << 1 << 0;
    QTest::newRow("no home item, mode 2") << false << 2 << 1;
}

void TestMmsSettingsWidget::retrievalShown()
{
    QFETCH(bool, homeItem);
    QFETCH(int, mode);
    QFETCH(int, index);

    store([&](MmsMainConfig& c) {
        c.homeNetworkModeSupported = homeItem;
        c.retrivalMode = mode;
    });
    MmsSettingsWidget widget;
    TkComboBox* box = list(widget, "mmsSettingsDownloadingMode");
    QStringList expected{"Automatic", "Manual"};
    if (homeItem)
        expected.prepend("Automatic in home network");
    QCOMPARE(items(box), expected);
    QCOMPARE(box->currentIndex(), index);
}

void TestMmsSettingsWidget::retrievalStored_data()
{
    QTest::addColumn<bool>("homeItem");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("mode");

    QTest::newRow("home item, index 0") << true << 0 << 0;
    QTest::newRow("home item, index 1") << true << 1 << 1;
    QTest::newRow("home item, index 2") << true << 2 << 2;
    QTest::newRow("no home item, automatic") << false << 0 << 1;
    QTest::newRow("no home item, manual") << false << 1 << 2;
}

void TestMmsSettingsWidget::retrievalStored()
{
    QFETCH(bool, homeItem);
    QFETCH(int, index);
    QFETCH(int, mode);

    store([&](MmsMainConfig& c) {
        c.homeNetworkModeSupported = homeItem;
        c.retrivalMode = 7;
    });
    MmsSettingsWidget widget;
    widget.msgRetrivalModeChanged(index);
    QCOMPARE(MmsMainConfig().retrivalMode, mode);
}

void TestMmsSettingsWidget::retrievalInvalidIndex_data()
{
    QTest::addColumn<bool>("homeItem");
    QTest::addColumn<int>("index");

    QTest::newRow("home item, 3") << true << 3;
    QTest::newRow("home item, -1") << true << -1;
    // Index 2 would store mode 3, which no phone knows.
    QTest::newRow("no home item, 2") << false << 2;
    QTest::newRow("no home item, -1") << false << -1;
}

void TestMmsSettingsWidget::retrievalInvalidIndex()
{
    QFETCH(bool, homeItem);
    QFETCH(int, index);

    store([&](MmsMainConfig& c) { c.homeNetworkModeSupported = homeItem; });
    const QByteArray before = storedBytes();
    MmsSettingsWidget widget;
    QTest::ignoreMessage(QtCriticalMsg, critical("Invalid retrival mode selected!"));
    widget.msgRetrivalModeChanged(index);
    QCOMPARE(storedBytes(), before);
}

void TestMmsSettingsWidget::sizeItems_data()
{
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("normal") << false
                            << QStringList{"Small (100 kB)", "Medium (300 kB)", "Large (600 kB)",
                                           "Extra large (1 MB)"};
    QTest::newRow("restricted") << true << QStringList{"Medium (300 kB)", "Large (600 kB)"};
}

void TestMmsSettingsWidget::sizeItems()
{
    QFETCH(bool, restricted);
    QFETCH(QStringList, expected);
    store([&](MmsMainConfig& c) { c.restrictedMode = restricted; });
    MmsSettingsWidget widget;
    QCOMPARE(items(list(widget, "mmsSettingsMessageSize")), expected);
}

void TestMmsSettingsWidget::sizeShown_data()
{
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("unknown");

    QTest::newRow("100 KB") << false << 102400 << 0 << false;
    QTest::newRow("300 KB") << false << 307200 << 1 << false;
    QTest::newRow("600 KB") << false << 614400 << 2 << false;
    QTest::newRow("1 MB") << false << 1048576 << 3 << false;
    QTest::newRow("unknown size") << false << 500000 << 1 << true;
    QTest::newRow("restricted, 100 KB shows 300") << true << 102400 << 0 << false;
    QTest::newRow("restricted, 300 KB") << true << 307200 << 0 << false;
    QTest::newRow("restricted, 600 KB") << true << 614400 << 1 << false;
    QTest::newRow("restricted, 1 MB shows 600") << true << 1048576 << 1 << false;
    QTest::newRow("restricted, unknown size") << true << 0 << 0 << true;
}

void TestMmsSettingsWidget::sizeShown()
{
    QFETCH(bool, restricted);
    QFETCH(int, size);
    QFETCH(int, index);
    QFETCH(bool, unknown);

    store([&](MmsMainConfig& c) {
        c.restrictedMode = restricted;
        c.maxMessageSize = size;
    });
    const QByteArray before = storedBytes();
    if (unknown)
        QTest::ignoreMessage(QtCriticalMsg, critical("Unknown message size limit, reset to 300Kb"));
    MmsSettingsWidget widget;
    QCOMPARE(list(widget, "mmsSettingsMessageSize")->currentIndex(), index);
    QCOMPARE(storedBytes(), before);
}

void TestMmsSettingsWidget::sizeStored_data()
{
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");

    QTest::newRow("small") << false << 0 << 102400;
    QTest::newRow("medium") << false << 1 << 307200;
    QTest::newRow("large") << false << 2 << 614400;
    QTest::newRow("extra large") << false << 3 << 1048576;
    QTest::newRow("restricted, medium") << true << 0 << 307200;
    QTest::newRow("restricted, large") << true << 1 << 614400;
}

void TestMmsSettingsWidget::sizeStored()
{
    QFETCH(bool, restricted);
    QFETCH(int, index);
    QFETCH(int, size);

    store([&](MmsMainConfig& c) {
        c.restrictedMode = restricted;
        c.maxMessageSize = 1;
    });
    QTest::ignoreMessage(QtCriticalMsg, critical("Unknown message size limit, reset to 300Kb"));
    MmsSettingsWidget widget;
    widget.msgMaxSizeChanged(index);
    QCOMPARE(MmsMainConfig().maxMessageSize, size);
}

void TestMmsSettingsWidget::sizeInvalidIndex_data()
{
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selected");

    QTest::newRow("normal, 4") << false << 4 << 1;
    QTest::newRow("normal, -1") << false << -1 << 1;
    QTest::newRow("restricted, 2") << true << 2 << 0;
    QTest::newRow("restricted, 3") << true << 3 << 0;
}

void TestMmsSettingsWidget::sizeInvalidIndex()
{
    QFETCH(bool, restricted);
    QFETCH(int, index);
    QFETCH(int, selected);

    store([&](MmsMainConfig& c) {
        c.restrictedMode = restricted;
        c.maxMessageSize = 614400;
    });
    MmsSettingsWidget widget;
    QTest::ignoreMessage(QtCriticalMsg,
                         critical("Invalid message size limit selected, reset to 300Kb"));
    widget.msgMaxSizeChanged(index);
    QCOMPARE(list(widget, "mmsSettingsMessageSize")->currentIndex(), selected);
    QCOMPARE(MmsMainConfig().maxMessageSize, 307200);
}

void TestMmsSettingsWidget::validityShown_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("unknown");

    QTest::newRow("hour") << 1 << 0 << false;
    QTest::newRow("day") << 24 << 1 << false;
    QTest::newRow("week") << 168 << 2 << false;
    QTest::newRow("maximum") << -1 << 3 << false;
    QTest::newRow("two days") << 48 << 3 << true;
    QTest::newRow("zero") << 0 << 3 << true;
}

void TestMmsSettingsWidget::validityShown()
{
    QFETCH(int, hours);
    QFETCH(int, index);
    QFETCH(bool, unknown);

    store([&](MmsMainConfig& c) { c.messageValidity = hours; });
    const QByteArray before = storedBytes();
    if (unknown)
        QTest::ignoreMessage(QtCriticalMsg,
                             critical("Unknown message validity, reset to maximum time;"));
    MmsSettingsWidget widget;
    TkComboBox* box = list(widget, "mmsSettingsMessageValidity");
    QCOMPARE(items(box), (QStringList{"1 hour", "1 day", "1 week", "Maximum"}));
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(storedBytes(), before);
}

void TestMmsSettingsWidget::validityStored_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("hours");
    QTest::newRow("hour") << 0 << 1;
    QTest::newRow("day") << 1 << 24;
    QTest::newRow("week") << 2 << 168;
    QTest::newRow("maximum") << 3 << -1;
}

void TestMmsSettingsWidget::validityStored()
{
    QFETCH(int, index);
    QFETCH(int, hours);

    store([](MmsMainConfig& c) { c.messageValidity = 2; });
    QTest::ignoreMessage(QtCriticalMsg,
                         critical("Unknown message validity, reset to maximum time;"));
    MmsSettingsWidget widget;
    widget.msgValidityChanged(index);
    QCOMPARE(MmsMainConfig().messageValidity, hours);
}

void TestMmsSettingsWidget::validityInvalidIndex()
{
    store([](MmsMainConfig& c) { c.messageValidity = 24; });
    MmsSettingsWidget widget;
    TkComboBox* box = list(widget, "mmsSettingsMessageValidity");
    for (int index : {4, -1}) {
        QTest::ignoreMessage(QtCriticalMsg,
                             critical("Invalid message validity selected, reset to maximum time"));
        widget.msgValidityChanged(index);
        QCOMPARE(box->currentIndex(), 3);
        QCOMPARE(MmsMainConfig().messageValidity, -1);
        box->setCurrentIndex(1);
    }
}

void TestMmsSettingsWidget::readReportModeShown_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("index");
    QTest::newRow("prompt is the second item") << 0 << 1;
    QTest::newRow("always send") << 1 << 0;
    QTest::newRow("do not send") << 2 << 2;
    QTest::newRow("unknown selects nothing") << 5 << -1;
}

void TestMmsSettingsWidget::readReportModeShown()
{
    QFETCH(int, mode);
    QFETCH(int, index);

    store([&](MmsMainConfig& c) { c.readReportMode = mode; });
    const QByteArray before = storedBytes();
    MmsSettingsWidget widget;
    TkComboBox* box = list(widget, "mmsSettingsReadReportMode");
    QCOMPARE(items(box), (QStringList{"Always send", "Ask every time", "Do not send"}));
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(storedBytes(), before);
}

void TestMmsSettingsWidget::readReportModeStored_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("mode");
    QTest::newRow("always send") << 0 << 1;
    QTest::newRow("prompt") << 1 << 0;
    QTest::newRow("do not send") << 2 << 2;
}

void TestMmsSettingsWidget::readReportModeStored()
{
    QFETCH(int, index);
    QFETCH(int, mode);

    store([](MmsMainConfig& c) { c.readReportMode = 9; });
    MmsSettingsWidget widget;
    widget.msgReadReportModeChanged(index);
    QCOMPARE(MmsMainConfig().readReportMode, mode);
}

void TestMmsSettingsWidget::readReportModeInvalidIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
}

void TestMmsSettingsWidget::readReportModeInvalidIndex()
{
    QFETCH(int, index);
    store([](MmsMainConfig& c) { c.readReportMode = 2; });
    const QByteArray before = storedBytes();
    MmsSettingsWidget widget;
    QTest::ignoreMessage(QtCriticalMsg, critical("Invalid read report mode selected!"));
    widget.msgReadReportModeChanged(index);
    QCOMPARE(storedBytes(), before);
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
    QTest::ignoreMessage(QtDebugMsg, qPrintable("D: [MMS-SETTINGS] " + logName + ": false"));
    MmsSettingsWidget widget;
    widget.show();
    auto* button = widget.findChild<TkSwitchButton*>(row + "Button");
    QVERIFY(!button->isChecked());

    QTest::ignoreMessage(QtDebugMsg, qPrintable("D: [MMS-SETTINGS] " + logName + " clicked: true"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(stored(), true);
    QTest::ignoreMessage(QtDebugMsg,
                         qPrintable("D: [MMS-SETTINGS] " + logName + " clicked: false"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(stored(), false);

    store([&](MmsMainConfig& c) { c.deliveryReport = c.readReport = true; });
    QTest::ignoreMessage(QtDebugMsg, qPrintable("D: [MMS-SETTINGS] " + logName + ": true"));
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
    QCOMPARE(box->currentIndex(), 1);

    for (int round = 0; round < 2; ++round) {
        pick(box, 1);
        QVERIFY(!sheet(widget)->isVisible()); // opened from the event loop
        QTRY_VERIFY(sheet(widget)->isVisible());
        QVERIFY(sheet(widget)->isModal());
        sheet(widget)->cancelButton()->click();
        QVERIFY(!sheet(widget)->isVisible());
    }
}

void TestMmsSettingsWidget::sheetLook()
{
    MmsSettingsWidget widget;
    ConnSettingsSheet* s = sheet(widget);
    QVERIFY(s);
    QCOMPARE(s->cancelButton()->text(), QString("Cancel"));
    QCOMPARE(tk::styleName(s->cancelButton()), QString("CommonSheetHeaderButtonInverted"));
    QCOMPARE(s->doneButton()->text(), QString("Done"));
    QCOMPARE(tk::styleName(s->doneButton()), QString("CommonSheetHeaderButtonAccentInverted"));
    QCOMPARE(tk::styleName(s->cancelButton()->parentWidget()),
             QString("CommonSheetHeaderPanelInverted"));
    QCOMPARE(tk::styleName(s->centralWidget()), QString("SheetCentralSlotIverted"));
    QVERIFY(s->form());
    QVERIFY(s->centralWidget()->isAncestorOf(s->form()));
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
    QCOMPARE(box->currentIndex(), 1);
    auto* apn = sheet(widget)->form()->findChild<QLineEdit*>("mmsSettingsApnEditor");
    apn->setText("edited.apn");
    sheet(widget)->cancelButton()->click();

    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(apn->text(), QString("my.apn"));
    QCOMPARE(storedBytes(), before);
    QCOMPARE(settingstest::userDefined(), [&] {
        MmsConfig::Configuration c = user;
        c.name = "UserDefined";
        return c;
    }());

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
