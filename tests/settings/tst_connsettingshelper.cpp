#include "connsettingshelper.h"
#include "connsettingssheet.h"
#include "connsettingswidget.h"
#include "mmsmainconfig.h"
#include "settingstestsupport.h"
#include "tkpopuplist.h"
#include "tkquerydialog.h"

#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QtTest>

#include <memory>

using namespace settingstest;

namespace {

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

class TestConnSettingsHelper : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installCatalogue(); }
    void init();
    void cleanup();

    void confirmationAnswer_data();
    void confirmationAnswer();
    void modeList();
    void pickingAutomaticStoresIt();
    void pickingUserDefinedOpensForm();
    void invalidModeIndexDoesNothing();
    void doneStoresModeAndProfile();
    void cancelLeavesEverythingUnchanged();

private:
    ConnSettingsSheet* openForm();

    std::unique_ptr<ConfigSandbox> m_sandbox;
    std::unique_ptr<ConnSettingsHelper> m_helper;
};

void TestConnSettingsHelper::init()
{
    m_sandbox = std::make_unique<ConfigSandbox>();
    m_helper = std::make_unique<ConnSettingsHelper>();
}

void TestConnSettingsHelper::cleanup()
{
    m_helper.reset();
    for (QWidget* window : QApplication::topLevelWidgets())
        delete window;
    m_sandbox.reset();
}

ConnSettingsSheet* TestConnSettingsHelper::openForm()
{
    m_helper->showConnSettingsUi();
    TkPopupList* list = visibleWindow<TkPopupList>();
    clickRow(list, 1);
    return visibleWindow<ConnSettingsSheet>();
}

void TestConnSettingsHelper::confirmationAnswer_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes offers the modes") << true;
    QTest::newRow("no does nothing") << false;
}

void TestConnSettingsHelper::confirmationAnswer()
{
    QFETCH(bool, yes);
    QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Show confirmation");
    m_helper->showConnSettingsConfirmation("Sending failed");
    QPointer<TkQueryDialog> dialog = visibleWindow<TkQueryDialog>();
    QCOMPARE(dialog->title(), QString("Sending failed"));
    QCOMPARE(dialog->text(), QString("The MMS connection settings are incomplete. Edit them now?"));
    if (yes)
        QTest::ignoreMessage(QtDebugMsg, "D: [MMS-CONNSET] Open settings dialog");
    (yes ? dialog->yesButton() : dialog->noButton())->click();
    QTRY_VERIFY(!dialog); // destroyed when done
    QCOMPARE(visibleWindow<TkPopupList>() != nullptr, yes);
    QVERIFY(!visibleWindow<ConnSettingsSheet>());
}

void TestConnSettingsHelper::modeList()
{
    m_helper->showConnSettingsUi();
    TkPopupList* list = visibleWindow<TkPopupList>();
    QVERIFY(list);
    QCOMPARE(list->title(), QString("Connection settings"));
    auto* model = qobject_cast<QStringListModel*>(list->itemModel());
    QVERIFY(model);
    QCOMPARE(model->stringList(), (QStringList{"Automatic", "User-defined"}));
}

void TestConnSettingsHelper::pickingAutomaticStoresIt()
{
    MmsMainConfig config;
    config.automaticConnection = false;
    config.save();
    m_helper->showConnSettingsUi();
    clickRow(visibleWindow<TkPopupList>(), 0);
    QCOMPARE(MmsMainConfig().automaticConnection, true);
    QVERIFY(!visibleWindow<ConnSettingsSheet>());
    QVERIFY(!visibleWindow<TkPopupList>());
}

void TestConnSettingsHelper::pickingUserDefinedOpensForm()
{
    const QByteArray before = storeContents();
    ConnSettingsSheet* sheet = openForm();
    QVERIFY(sheet);
    QVERIFY(sheet->isModal());
    QCOMPARE(storeContents(), before);
}

void TestConnSettingsHelper::invalidModeIndexDoesNothing()
{
    m_helper->slotOnSettingsModeChanged(QModelIndex());
    QStringListModel model({"a", "b", "c"});
    m_helper->slotOnSettingsModeChanged(model.index(2, 0));
    QVERIFY(!visibleWindow<ConnSettingsSheet>());
    QVERIFY(!QFile::exists(MmsMainConfig::filePath()));
}

void TestConnSettingsHelper::doneStoresModeAndProfile()
{
    storeProvisioned(operatorProfile());
    QPointer<ConnSettingsSheet> sheet = openForm();
    sheet->form()->findChild<QLineEdit*>("mmsSettingsApnEditor")->setText("fixed.apn");
    sheet->doneButton()->click();

    QCOMPARE(MmsMainConfig().automaticConnection, false);
    MmsConfig::Configuration expected = operatorProfile();
    expected.name = "UserDefined";
    expected.apn = "fixed.apn";
    QCOMPARE(settingstest::userDefined(), expected);
    QTRY_VERIFY(!sheet);
}

void TestConnSettingsHelper::cancelLeavesEverythingUnchanged()
{
    storeUserDefined(profile("my.apn", "", "", "", 0, "", 0));
    const QByteArray before = storeContents();
    QPointer<ConnSettingsSheet> sheet = openForm();
    sheet->form()->findChild<QLineEdit*>("mmsSettingsApnEditor")->setText("changed");
    sheet->cancelButton()->click();
    QTRY_VERIFY(!sheet);
    QCOMPARE(storeContents(), before);
}

QTEST_MAIN(TestConnSettingsHelper)
#include "tst_connsettingshelper.moc"
