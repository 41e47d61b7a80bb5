#include "tkscenewindow.h"

#include <QPointer>
#include <QtTest>

class TestTkSceneWindow : public QObject
{
    Q_OBJECT
private slots:
    void coversItsWidget();
    void destroyedWhenDismissed_data();
    void destroyedWhenDismissed();
};

void TestTkSceneWindow::coversItsWidget()
{
    QWidget page;
    page.resize(300, 400);
    auto* below = new QWidget(&page);
    below->setGeometry(10, 10, 100, 40);
    auto* overlay = new TkSceneWindow(&page);
    overlay->setView(new QWidget);
    page.show();
    overlay->appear();
    page.resize(500, 200);
    QCOMPARE(overlay->geometry(), page.rect());
    QCOMPARE(page.childAt(20, 20), overlay->view());
}

void TestTkSceneWindow::destroyedWhenDismissed_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("kept") << int(TkSceneWindow::KeepWhenDone) << false;
    QTest::newRow("destroyed") << int(TkSceneWindow::DestroyWhenDismissed) << true;
}

void TestTkSceneWindow::destroyedWhenDismissed()
{
    QFETCH(int, policy);
    QFETCH(bool, destroyed);
    QWidget page;
    QPointer<TkSceneWindow> overlay = new TkSceneWindow(&page);
    page.show();
    overlay->appear(TkSceneWindow::DeletionPolicy(policy));
    QSignalSpy disappeared(overlay.data(), &TkSceneWindow::disappeared);
    overlay->disappear();
    QCOMPARE(disappeared.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(overlay.isNull(), destroyed);
}

QTEST_MAIN(TestTkSceneWindow)
#include "tst_tkscenewindow.moc"
