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

Setup set(Field field, int value)
{
    return [=](MmsMainConfig& c) { c.*field = value; };
}

Setup setFlag(bool MmsMainConfig::*flag, bool value)
{
    return [=](MmsMainConfig& c) { c.*flag = value; };
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

// The settings file as it is on disk; empty when there is none.
QByteArray storedBytes()
{
    return ConfigSandbox::read(MmsMainConfig::filePath());
}

QRegularExpression critical(const QString& text)
{
    return QRegularExpression('^' + QRegularExpression::escape("[MMS-SETTINGS] " + text) + '$');
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

    // What each list offers and selects for a stored value (none on a fresh
    // phone); showing it never writes.
    void listShowsStore_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("critical");
        const auto row = [](const QString& tag, const char* list, const Setup& setup,
                            const QStringList& expected, int index, const QString& critical = {}) {
            QTest::addRow("%s", qPrintable(tag)) << list << setup << expected << index << critical;
        };
        const QStringList modes{"Automatic", "User-defined"};
        row("fresh phone", kMode, Setup(), modes, 0);
        row("automatic", kMode, setFlag(&MmsMainConfig::automaticConnection, true), modes, 0);
        row("user-defined", kMode, setFlag(&MmsMainConfig::automaticConnection, false), modes, 1);
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
        const QByteArray before = storedBytes();
        const QDateTime modified = QFileInfo(MmsMainConfig::filePath()).lastModified();
        if (!critical.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
        MmsSettingsWidget widget;
        widget.show();
        QCoreApplication::processEvents();
        TkComboBox* box = widget.findChild<TkComboBox*>(list);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QTEST(items, "expected");
        QTEST(box->currentIndex(), "index");
        QCOMPARE(storedBytes(), before);
        QCOMPARE(QFileInfo(MmsMainConfig::filePath()).lastModified(), modified);
        QVERIFY(!QFile::exists(MmsConfig::userDefinedFilePath()));
    }

    // The value each choice stores, starting from a value no list shows.
    void choiceStored_data()
    {
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("index");
        QTest::addColumn<Field>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("critical");
        const auto rows = [](const char* handler, const Setup& setup, Field field,
                             const QList<int>& values, const char* tag,
                             const QString& critical = {}) {
            for (int i = 0; i < values.size(); ++i)
                QTest::addRow("%s %d", tag, i)
                    << QByteArray(handler) << setup << i << field << values.at(i) << critical;
        };
        const Field mode = &MmsMainConfig::retrivalMode;
        const Field size = &MmsMainConfig::maxMessageSize;
        const Field validity = &MmsMainConfig::messageValidity;
        const Field report = &MmsMainConfig::readReportMode;
        rows("msgRetrivalModeChanged", set(mode, 7), mode, {0, 1, 2}, "retrieval");
        rows("msgRetrivalModeChanged", noHomeItem(7), mode, {1, 2}, "retrieval, no home item");
        rows("msgMaxSizeChanged", set(size, 1), size, {102400, 307200, 614400, 1048576}, "size",
             kUnknownSize);
        rows("msgMaxSizeChanged", restricted(1), size, {307200, 614400}, "size, restricted",
             kUnknownSize);
        rows("msgValidityChanged", set(validity, 2), validity, {1, 24, 168, -1}, "validity",
             kUnknownValidity);
        rows("msgReadReportModeChanged", set(report, 9), report, {1, 0, 2}, "read report mode");
    }
    void choiceStored()
    {
        QFETCH(QByteArray, handler);
        QFETCH(Setup, setup);
        QFETCH(int, index);
        QFETCH(Field, field);
        QFETCH(QString, critical);
        store(setup);
        if (!critical.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
        MmsSettingsWidget widget;
        QVERIFY(QMetaObject::invokeMethod(&widget, handler, Q_ARG(int, index)));
        QTEST(MmsMainConfig().*field, "value");
    }

    // An index outside the list either changes nothing (no list given) or
    // falls back to a safe value.
    void invalidChoice_data()
    {
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("critical");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("selected");
        QTest::addColumn<Field>("field");
        QTest::addColumn<int>("value");
        const auto unchanged = [](const char* tag, const char* handler, const Setup& setup,
                                  const QString& critical, const QList<int>& indexes) {
            for (int index : indexes)
                QTest::addRow("%s %d", tag, index)
                    << QByteArray(handler) << setup << index << critical << "" << 0 << Field() << 0;
        };
        const QString badMode = "Invalid retrival mode selected!";
        unchanged("retrieval", "msgRetrivalModeChanged", Setup([](MmsMainConfig&) {}), badMode,
                  {3, -1});
        // Index 2 would store mode 3, which no phone knows.
        unchanged("retrieval, no home item", "msgRetrivalModeChanged", noHomeItem(1), badMode,
                  {2, -1});
        unchanged("read report mode", "msgReadReportModeChanged",
                  set(&MmsMainConfig::readReportMode, 2), "Invalid read report mode selected!",
                  {3, -1});
        const Field size = &MmsMainConfig::maxMessageSize;
        for (int index : {4, -1})
            QTest::addRow("size %d", index) << QByteArray("msgMaxSizeChanged") << set(size, 614400)
                                            << index << kBadSize << kSize << 1 << size << 307200;
        for (int index : {2, 3})
            QTest::addRow("size, restricted, %d", index)
                << QByteArray("msgMaxSizeChanged") << restricted(614400) << index << kBadSize
                << kSize << 0 << size << 307200;
        const Field validity = &MmsMainConfig::messageValidity;
        for (int index : {4, -1})
            QTest::addRow("validity %d", index)
                << QByteArray("msgValidityChanged") << set(validity, 24) << index << kBadValidity
                << kValidity << 3 << validity << -1;
    }
    void invalidChoice()
    {
        QFETCH(QByteArray, handler);
        QFETCH(Setup, setup);
        QFETCH(int, index);
        QFETCH(QString, critical);
        QFETCH(QString, list);
        QFETCH(Field, field);
        store(setup);
        const QByteArray before = storedBytes();
        MmsSettingsWidget widget;
        QTest::ignoreMessage(QtCriticalMsg, ::critical(critical));
        QVERIFY(QMetaObject::invokeMethod(&widget, handler, Q_ARG(int, index)));
        if (list.isEmpty()) {
            QCOMPARE(storedBytes(), before);
            return;
        }
        QTEST(widget.findChild<TkComboBox*>(list)->currentIndex(), "selected");
        QTEST(MmsMainConfig().*field, "value");
    }

    void visibilityFlags_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addRow("no validity")
            << setFlag(&MmsMainConfig::validitySettingVisible, false)
            << QStringList{"mmsSettingsDeliveryReportButton", kReport} << QStringList{kValidity};
        QTest::addRow("no delivery report")
            << setFlag(&MmsMainConfig::deliveryReportSettingVisible, false)
            << QStringList{"mmsSettingsReadReportButton"}
            << QStringList{"mmsSettingsDeliveryReportButton", "mmsSettingsDeliveryReportLabel"};
        QTest::addRow("no read report") << setFlag(&MmsMainConfig::readReportSettingVisible, false)
                                        << QStringList{"mmsSettingsDeliveryReportButton"}
                                        << QStringList{"mmsSettingsReadReportButton", kReport};
    }
    void visibilityFlags()
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
        QTest::ignoreMessage(QtCriticalMsg, critical(kBadValidity));
        widget.msgValidityChanged(-1);
    }

    void switchesStoreAtOnce_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("logName");
        QTest::addRow("delivery report") << "mmsSettingsDeliveryReport"
                                         << "Delivery report";
        QTest::addRow("read report") << "mmsSettingsReadReport"
                                     << "Read report";
    }
    void switchesStoreAtOnce()
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

    void userPicksAreStored()
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
    }

    // "Automatic" is stored at once; "User-defined", the same item again
    // included, opens the form from the event loop: done stores the mode and
    // the profile, cancel and Escape restore the list and keep the store.
    void connectionMode_data()
    {
        QTest::addColumn<bool>("automaticBefore");
        QTest::addColumn<int>("picked");
        QTest::addColumn<int>("closeWith");
        QTest::addColumn<int>("index");
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
        store(setFlag(&MmsMainConfig::automaticConnection, automaticBefore));
        storeProvisioned(operatorProfile());
        const QByteArray before = storedBytes();
        MmsSettingsWidget widget;
        widget.show();
        TkComboBox* box = widget.findChild<TkComboBox*>(kMode);
        ConnSettingsSheet* form = sheet(widget);
        auto* apn = form->form()->findChild<QLineEdit*>("mmsSettingsApnEditor");
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
        QCOMPARE(box->currentIndex(), index);
        QCOMPARE(MmsMainConfig().automaticConnection, index == 0);
        if (closeWith == 0) {
            MmsConfig::Configuration expected = named(operatorProfile(), "UserDefined");
            expected.apn = "mine.apn";
            QCOMPARE(userDefined(), expected);
        } else if (closeWith > 0) {
            QCOMPARE(apn->text(), QString("op.apn"));
            QCOMPARE(storedBytes(), before);
            QVERIFY(!QFile::exists(MmsConfig::userDefinedFilePath()));
        }
    }

private:
    static ConnSettingsSheet* sheet(const MmsSettingsWidget& widget)
    {
        return widget.findChild<ConnSettingsSheet*>();
    }

    std::unique_ptr<ConfigSandbox> m_sandbox;
};

QTEST_MAIN(TestMmsSettingsWidget)
#include "tst_mmssettingswidget.moc"
