#include "tklayout.h"
#include "tklinearlayoutpolicy.h"

#include <QBoxLayout>
#include <QLabel>
#include <QtTest>

class TestTkLayout : public QObject
{
    Q_OBJECT
private slots:
    void followsWindowOrientation_data();
    void followsWindowOrientation();
    void widgetOnlyInOtherPolicyIsHidden();
    void stretchesAndInsertionOrder();
    void deletedWidgetLeavesPolicy();
    void switchingBetweenPoliciesOfOneOrientation();
};

void TestTkLayout::followsWindowOrientation_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<int>("direction");
    QTest::newRow("tall") << QSize(480, 854) << true << int(QBoxLayout::TopToBottom);
    QTest::newRow("wide") << QSize(854, 480) << false << int(QBoxLayout::LeftToRight);
    // A square window is not taller than wide.
    QTest::newRow("square") << QSize(500, 500) << false << int(QBoxLayout::LeftToRight);
}

void TestTkLayout::followsWindowOrientation()
{
    QFETCH(QSize, windowSize);
    QFETCH(bool, portrait);
    QFETCH(int, direction);

    QWidget window;
    auto* host = new QWidget(&window);
    auto* layout = new TkLayout(host);
    auto* column = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* row = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
    layout->setPortraitPolicy(column);
    layout->setLandscapePolicy(row);
    auto* label = new QLabel(QStringLiteral("a"));
    column->addItem(label);
    row->addItem(label);

    window.resize(windowSize);
    window.show();
    QCOMPARE(layout->isPortrait(), portrait);
    QCOMPARE(layout->activePolicy(), portrait ? column : row);
    auto* box = qobject_cast<QBoxLayout*>(host->layout());
    QVERIFY(box);
    QCOMPARE(int(box->direction()), direction);
    QCOMPARE(box->indexOf(label), 0);
}

void TestTkLayout::widgetOnlyInOtherPolicyIsHidden()
{
    QWidget window;
    window.resize(480, 854);
    auto* layout = new TkLayout(&window);
    auto* column = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* row = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
    layout->setPortraitPolicy(column);
    layout->setLandscapePolicy(row);
    auto* both = new QLabel(QStringLiteral("both"));
    auto* wideOnly = new QLabel(QStringLiteral("wide only"));
    column->addItem(both);
    row->addItem(both);
    row->addItem(wideOnly);
    window.show();

    QVERIFY(both->isVisible());
    QVERIFY(!wideOnly->isVisible());

    window.resize(854, 480);
    QCoreApplication::processEvents();
    QVERIFY(row->isActive());
    QVERIFY(wideOnly->isVisible());

    window.resize(480, 854);
    QCoreApplication::processEvents();
    QVERIFY(column->isActive());
    QVERIFY(!wideOnly->isVisible());
}

void TestTkLayout::stretchesAndInsertionOrder()
{
    QWidget host;
    auto* layout = new TkLayout(&host);
    auto* column = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(column);
    auto* first = new QLabel;
    auto* second = new QLabel;
    column->addItem(second);
    column->addStretch();
    column->insertItem(0, first);
    column->addItem(first); // already held: ignored

    QCOMPARE(column->count(), 3);
    QCOMPARE(column->itemAt(0), first);
    QCOMPARE(column->itemAt(1), second);
    QCOMPARE(column->itemAt(2), static_cast<QWidget*>(nullptr));
    QCOMPARE(first->parentWidget(), &host);
    auto* box = qobject_cast<QBoxLayout*>(host.layout());
    QCOMPARE(box->count(), 3);
    QVERIFY(box->itemAt(2)->spacerItem());
}

void TestTkLayout::deletedWidgetLeavesPolicy()
{
    QWidget host;
    auto* layout = new TkLayout(&host);
    auto* column = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(column);
    auto* doomed = new QLabel;
    column->addItem(doomed);
    delete doomed;
    column->addItem(new QLabel); // rebuilds without touching the dead widget
    QCOMPARE(host.layout()->count(), 1);
}

// Two policies taking turns as the only one, as a label and the editor it
// turns into do: the inactive one's widget never shows.
void TestTkLayout::switchingBetweenPoliciesOfOneOrientation()
{
    QWidget host;
    auto* layout = new TkLayout(&host);
    auto* first = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* second = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* label = new QLabel(QStringLiteral("label"));
    auto* other = new QLabel(QStringLiteral("other"));
    first->addItem(label);
    second->addItem(other);
    layout->setPolicy(first);
    host.show();
    QVERIFY(label->isVisible());
    QVERIFY(!other->isVisible());

    layout->setPolicy(second);
    QVERIFY(!label->isVisible());
    QVERIFY(other->isVisible());
    host.resize(host.height() + 100, host.width());
    QCOMPARE(layout->activePolicy(), second);
}

QTEST_MAIN(TestTkLayout)
#include "tst_tklayout.moc"
