#include "mmsspinneroverlayview.h"
#include "mmsspinneroverlaywidget.h"
#include "tkscenewindow.h"
#include "tkspinner.h"

#include <QPushButton>
#include <QtTest>

class TestMmsSpinnerOverlay : public QObject
{
    Q_OBJECT
private slots:
    void nothingUnderItReacts_data();
    void nothingUnderItReacts();
};

void TestMmsSpinnerOverlay::nothingUnderItReacts_data()
{
    QTest::addColumn<bool>("sceneWindow");
    QTest::newRow("editor page's scene window") << true;
    QTest::newRow("quick-send widget's overlay") << false;
}

void TestMmsSpinnerOverlay::nothingUnderItReacts()
{
    QFETCH(bool, sceneWindow);
    QWidget page;
    page.resize(300, 300);
    auto* button = new QPushButton(QStringLiteral("Send"), &page);
    button->setGeometry(page.rect());
    MmsSpinnerOverlayWidget* overlay = nullptr;
    if (sceneWindow) {
        auto* window = new TkSceneWindow(&page);
        overlay = new MmsSpinnerOverlayView;
        window->setView(overlay);
        window->appear();
    } else {
        overlay = new MmsSpinnerOverlayWidget(&page);
        overlay->setGeometry(page.rect());
    }
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(overlay->spinner()->isSpinning());
    QCOMPARE(overlay->spinner()->geometry().center(), overlay->rect().center());
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, page.rect().center());
    QCOMPARE(clicked.count(), 0);
}

QTEST_MAIN(TestMmsSpinnerOverlay)
#include "tst_mmsspinneroverlay.moc"
