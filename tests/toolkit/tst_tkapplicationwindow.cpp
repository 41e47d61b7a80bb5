#include "tkapplicationpage.h"
#include "tkapplicationwindow.h"

#include <QAction>
#include <QToolButton>
#include <QtTest>

namespace {

class CountingPage : public TkApplicationPage
{
public:
    int created = 0;

protected:
    void createContent() override
    {
        ++created;
        setCentralWidget(new QWidget);
    }
};

} // namespace

class TestTkApplicationWindow : public QObject
{
    Q_OBJECT
private slots:
    void contentIsCreatedOnceWhenShown();
    void dismissTakesPageOffAndDeletesIt();
    void actionsAppearInToolbarAndMenu();
    void backButtonIsReported();
};

void TestTkApplicationWindow::contentIsCreatedOnceWhenShown()
{
    TkApplicationWindow window;
    auto* page = new CountingPage;
    QCOMPARE(page->created, 0);
    window.showPage(page);
    window.showPage(page);
    QCOMPARE(page->created, 1);
    QVERIFY(page->centralWidget());
    QCOMPARE(window.currentPage(), page);
}

void TestTkApplicationWindow::dismissTakesPageOffAndDeletesIt()
{
    TkApplicationWindow window;
    auto* first = new CountingPage;
    QPointer<CountingPage> second = new CountingPage;
    window.showPage(first);
    window.showPage(second);
    QCOMPARE(window.pages().size(), 2);
    window.dismissPage(second);
    QCOMPARE(window.currentPage(), first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(second.isNull());
}

void TestTkApplicationWindow::actionsAppearInToolbarAndMenu()
{
    TkApplicationPage page;
    auto* send = new QAction(QStringLiteral("Send"), &page);
    auto* forward = new QAction(QStringLiteral("Forward"), &page);
    page.addToolbarAction(send);
    page.addViewMenuAction(forward);
    QCOMPARE(page.toolbarActions(), QList<QAction*>{send});
    QCOMPARE(page.viewMenuActions(), QList<QAction*>{forward});
}

void TestTkApplicationWindow::backButtonIsReported()
{
    TkApplicationPage page;
    QSignalSpy back(&page, &TkApplicationPage::backButtonClicked);
    page.findChild<QToolButton*>(QStringLiteral("TkPageBackButton"))->click();
    QCOMPARE(back.count(), 1);
}

QTEST_MAIN(TestTkApplicationWindow)
#include "tst_tkapplicationwindow.moc"
