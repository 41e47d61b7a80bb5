#include "mmstimedbanner.h"
#include "tkbanner.h"

#include <QPointer>
#include <QtTest>

class TestMmsTimedBanner : public QObject
{
    Q_OBJECT
private slots:
    void eachNoteIsABannerOfItsOwn();
    void windowGone();
};

void TestMmsTimedBanner::eachNoteIsABannerOfItsOwn()
{
    QWidget window;
    window.show();
    MmsTimedBanner banner(&window);
    QPointer<TkBanner> first = banner.showBanner(QStringLiteral("one"));
    QPointer<TkBanner> second = banner.showBanner(QStringLiteral("two"));
    QVERIFY(first && second && first != second);
    QCOMPARE(window.findChildren<TkBanner*>(QStringLiteral("mmsTimedBanner")).size(), 2);
    QVERIFY(first->isVisible());
    QCOMPARE(first->title(), QStringLiteral("one"));
    // Gone once shown.
    first->setDuration(1);
    QSignalSpy destroyed(first.data(), &QObject::destroyed);
    QVERIFY(destroyed.wait());
    QVERIFY(second);
}

void TestMmsTimedBanner::windowGone()
{
    auto* window = new QWidget;
    MmsTimedBanner banner(window);
    delete window;
    QVERIFY(!banner.showBanner(QStringLiteral("nobody sees this")));
}

QTEST_MAIN(TestMmsTimedBanner)
#include "tst_mmstimedbanner.moc"
