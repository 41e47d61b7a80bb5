#include "tkbanner.h"
#include "tkquerydialog.h"
#include "tksheet.h"

#include <QPushButton>
#include <QtTest>

class TestTkDialogs : public QObject
{
    Q_OBJECT
private slots:
    void queryDialogAnswers_data();
    void queryDialogAnswers();
    void queryDialogSystemFlag();
    void sheetButtons_data();
    void sheetButtons();
    void bannerDisappearsOnItsOwn();
    void bannerAppearAgainRestartsTime();
};

void TestTkDialogs::queryDialogAnswers_data()
{
    QTest::addColumn<bool>("pressYes");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << true << 1024;
    QTest::newRow("no") << false << 0;
}

void TestTkDialogs::queryDialogAnswers()
{
    QFETCH(bool, pressYes);
    QFETCH(int, result);
    TkQueryDialog dialog(QStringLiteral("Title"), QStringLiteral("Text"));
    QCOMPARE(dialog.title(), QStringLiteral("Title"));
    QCOMPARE(dialog.text(), QStringLiteral("Text"));
    QTimer::singleShot(0, &dialog,
                       [&] { (pressYes ? dialog.yesButton() : dialog.noButton())->click(); });
    QCOMPARE(dialog.exec(), result);
}

void TestTkDialogs::queryDialogSystemFlag()
{
    TkQueryDialog dialog{QString(), QString()};
    QVERIFY(!dialog.isSystemModal());
    dialog.setSystemModal(true);
    QVERIFY(dialog.isSystemModal());
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    dialog.setSystemModal(false);
    QVERIFY(!dialog.isSystemModal());
}

void TestTkDialogs::sheetButtons_data()
{
    QTest::addColumn<bool>("pressDone");
    QTest::addColumn<int>("result");
    QTest::newRow("done") << true << 1024;
    QTest::newRow("cancel") << false << 0;
}

void TestTkDialogs::sheetButtons()
{
    QFETCH(bool, pressDone);
    QFETCH(int, result);
    TkSheet sheet;
    auto* form = new QWidget;
    sheet.setCentralWidget(form);
    QCOMPARE(form->parentWidget(), &sheet);
    QSignalSpy done(&sheet, &TkSheet::doneClicked);
    QSignalSpy cancelled(&sheet, &TkSheet::cancelClicked);
    QTimer::singleShot(0, &sheet,
                       [&] { (pressDone ? sheet.doneButton() : sheet.cancelButton())->click(); });
    QCOMPARE(sheet.exec(), result);
    QCOMPARE(done.count(), pressDone ? 1 : 0);
    QCOMPARE(cancelled.count(), pressDone ? 0 : 1);
}

void TestTkDialogs::bannerDisappearsOnItsOwn()
{
    TkBanner banner;
    banner.setTitle(QStringLiteral("Saved"));
    banner.setDuration(20);
    QSignalSpy gone(&banner, &TkBanner::disappeared);
    banner.appear();
    QVERIFY(banner.isVisible());
    QVERIFY(gone.wait());
    QVERIFY(!banner.isVisible());
    QCOMPARE(gone.count(), 1);
}

void TestTkDialogs::bannerAppearAgainRestartsTime()
{
    TkBanner banner;
    banner.setDuration(60000);
    banner.appear();
    banner.appear();
    QVERIFY(banner.isShowing());
    QSignalSpy gone(&banner, &TkBanner::disappeared);
    banner.disappear();
    banner.disappear(); // already hidden: reported once
    QCOMPARE(gone.count(), 1);
    QVERIFY(!banner.isShowing());
}

QTEST_MAIN(TestTkDialogs)
#include "tst_tkdialogs.moc"
