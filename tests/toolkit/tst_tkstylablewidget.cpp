#include "tkscalableimage.h"
#include "tkstylablewidget.h"
#include "tkstyleregistry.h"
#include "tkwidgetstyle.h"

#include <QPainter>
#include <QtTest>

namespace {

class CountingStyle : public TkWidgetStyle
{
    Q_OBJECT
public:
    using TkWidgetStyle::TkWidgetStyle;
};

TK_REGISTER_STYLE("libtest", CountingStyle)

// Counts style applications and paints its content area red.
class CountingWidget : public TkStylableWidget
{
public:
    CountingWidget()
        : TkStylableWidget(new CountingStyle)
    {
    }
    int applied = 0;
    QSize sizeAtApply;

protected:
    void applyStyle() override
    {
        ++applied;
        sizeAtApply = preferredSize();
    }
    void drawContents(QPainter* painter) override { painter->fillRect(0, 0, 10, 10, Qt::red); }
};

} // namespace

class TstTkStylableWidget : public QObject
{
    Q_OBJECT

private slots:
    void styleClassIsRegisteredAtLoad();
    void attributesBeforePolishAreAppliedWithIt();
    void laterAttributesAreAppliedOnceTogether();
    void themeSetsAttributesByStyleClass();
    void contentsAreDrawnInsideTheMargins();
    void scalableImageKeepsItsBorders();
};

void TstTkStylableWidget::styleClassIsRegisteredAtLoad()
{
    QCOMPARE(TkStyleRegistry::styleClasses("libtest"), QStringList("CountingStyle"));
    QCOMPARE(TkStyleRegistry::libraryOf("CountingStyle"), QString("libtest"));
    CountingWidget widget;
    QCOMPARE(widget.styleClass(), QString("CountingStyle"));
}

void TstTkStylableWidget::attributesBeforePolishAreAppliedWithIt()
{
    CountingWidget widget;
    widget.setPreferredSize(QSize(10, 20));
    widget.setMarginLeft(3);
    QCOMPARE(widget.applied, 0);
    widget.ensurePolished();
    QCOMPARE(widget.applied, 1);
    QCoreApplication::processEvents();
    QCOMPARE(widget.applied, 1);
    QCOMPARE(widget.sizeAtApply, QSize(10, 20));
}

void TstTkStylableWidget::laterAttributesAreAppliedOnceTogether()
{
    CountingWidget widget;
    widget.ensurePolished();
    widget.applied = 0;
    widget.setPreferredSize(QSize(30, 40));
    widget.setMarginTop(1);
    widget.setMarginBottom(2);
    QCOMPARE(widget.applied, 0);
    QTRY_COMPARE(widget.applied, 1);
    QCoreApplication::processEvents();
    QCOMPARE(widget.applied, 1);
    QCOMPARE(widget.sizeAtApply, QSize(30, 40));
}

void TstTkStylableWidget::themeSetsAttributesByStyleClass()
{
    CountingWidget widget;
    widget.setStyleSheet("[styleClass=\"CountingStyle\"] { qproperty-preferredSize: 50px 60px; "
                         "qproperty-marginRight: 7; }");
    widget.ensurePolished();
    QCOMPARE(widget.preferredSize(), QSize(50, 60));
    QCOMPARE(widget.marginRight(), 7);
    QCOMPARE(widget.sizeAtApply, QSize(50, 60));
}

void TstTkStylableWidget::contentsAreDrawnInsideTheMargins()
{
    CountingWidget widget;
    widget.setMarginLeft(5);
    widget.setMarginTop(7);
    widget.resize(40, 40);
    const QImage shown = widget.grab().toImage();
    QCOMPARE(shown.pixelColor(5, 7), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(14, 16), QColor(Qt::red));
    QVERIFY(shown.pixelColor(4, 7) != QColor(Qt::red));
    QVERIFY(shown.pixelColor(15, 16) != QColor(Qt::red));
}

void TstTkStylableWidget::scalableImageKeepsItsBorders()
{
    // A 30 x 30 image: blue 10-pixel borders around a green middle.
    QPixmap source(30, 30);
    source.fill(Qt::blue);
    QPainter(&source).fillRect(10, 10, 10, 10, Qt::green);
    const TkScalableImage image(source, QMargins(10, 10, 10, 10));
    QImage target(100, 60, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    image.draw(&painter, target.rect());
    painter.end();
    QCOMPARE(target.pixelColor(9, 9), QColor(Qt::blue));
    QCOMPARE(target.pixelColor(10, 10), QColor(Qt::green));
    QCOMPARE(target.pixelColor(89, 49), QColor(Qt::green));
    QCOMPARE(target.pixelColor(90, 50), QColor(Qt::blue));
    QCOMPARE(target.pixelColor(50, 5), QColor(Qt::blue));
}

QTEST_MAIN(TstTkStylableWidget)
#include "tst_tkstylablewidget.moc"
