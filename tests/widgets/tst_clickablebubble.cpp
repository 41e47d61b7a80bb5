#include "clickablebubble.h"
#include "tkstyle.h"

#include <QLabel>
#include <QtTest>

// Presses and taps on the bubble and on the children it watches.
class TstClickableBubble : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pressedModeWhileHeld();
    void release_data();
    void release();
    void watchedChildIsTappedForTheBubble();
    void unwatchedChildKeepsItsEvents();

private:
    ClickableBubble* m_bubble = nullptr;
    QLabel* m_child = nullptr;
};

// Counts the presses that reach a child.
class PressCounter : public QLabel
{
public:
    using QLabel::QLabel;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        QLabel::mousePressEvent(event);
    }
};

void TstClickableBubble::init()
{
    m_bubble = new ClickableBubble;
    m_bubble->resize(200, 60);
    m_child = new PressCounter(QStringLiteral("child"), m_bubble);
    m_child->setGeometry(10, 10, 40, 40);
}

void TstClickableBubble::cleanup()
{
    delete m_bubble;
}

void TstClickableBubble::pressedModeWhileHeld()
{
    QCOMPARE(tk::styleMode(m_bubble), QString());
    QTest::mousePress(m_bubble, Qt::LeftButton, {}, QPoint(150, 30));
    QCOMPARE(tk::styleMode(m_bubble), QStringLiteral("pressed"));
    QTest::mouseRelease(m_bubble, Qt::LeftButton, {}, QPoint(150, 30));
    QCOMPARE(tk::styleMode(m_bubble), QString());
}

void TstClickableBubble::release_data()
{
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<int>("clicks");
    QTest::newRow("inside: a tap") << QPoint(150, 30) << 1;
    QTest::newRow("slid away: cancelled") << QPoint(250, 30) << 0;
}

void TstClickableBubble::release()
{
    QFETCH(QPoint, releaseAt);
    QFETCH(int, clicks);
    QSignalSpy clicked(m_bubble, &ClickableBubble::clicked);
    QTest::mousePress(m_bubble, Qt::LeftButton, {}, QPoint(150, 30));
    QTest::mouseRelease(m_bubble, Qt::LeftButton, {}, releaseAt);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(tk::styleMode(m_bubble), QString());
}

void TstClickableBubble::watchedChildIsTappedForTheBubble()
{
    m_child->installEventFilter(m_bubble);
    QSignalSpy clicked(m_bubble, &ClickableBubble::clicked);
    QTest::mousePress(m_child, Qt::LeftButton);
    QCOMPARE(tk::styleMode(m_bubble), QStringLiteral("pressed"));
    QTest::mouseRelease(m_child, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(tk::styleMode(m_bubble), QString());
    QCOMPARE(static_cast<PressCounter*>(m_child)->presses, 0);
}

void TstClickableBubble::unwatchedChildKeepsItsEvents()
{
    QTest::mousePress(m_child, Qt::LeftButton);
    QTest::mouseRelease(m_child, Qt::LeftButton);
    QCOMPARE(static_cast<PressCounter*>(m_child)->presses, 1);
}

QTEST_MAIN(TstClickableBubble)
#include "tst_clickablebubble.moc"
