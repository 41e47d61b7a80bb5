#include "tkapplicationpage.h"
#include "tkapplicationwindow.h"
#include "tkbanner.h"
#include "tkcombobox.h"
#include "tkelidedlabel.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tklineedit.h"
#include "tkquerydialog.h"
#include "tkrichtextedit.h"
#include "tkscalableimage.h"
#include "tkscenewindow.h"
#include "tksheet.h"
#include "tkstylablewidget.h"
#include "tkstyleregistry.h"
#include "tktexteditmodel.h"
#include "tkwidgetstyle.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
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

// A layout of a column policy and a row policy for tall and wide windows.
struct TwoWayLayout
{
    explicit TwoWayLayout(QWidget* host)
        : layout(new TkLayout(host))
        , column(new TkLinearLayoutPolicy(layout, Qt::Vertical))
        , row(new TkLinearLayoutPolicy(layout, Qt::Horizontal))
    {
        layout->setPortraitPolicy(column);
        layout->setLandscapePolicy(row);
    }
    TkLayout* layout;
    TkLinearLayoutPolicy* column;
    TkLinearLayoutPolicy* row;
};

} // namespace

class TestTkWidgets : public QObject
{
    Q_OBJECT
private slots:
    void pageContentIsCreatedOnceAndDismissDeletes()
    {
        TkApplicationWindow window;
        auto* first = new CountingPage;
        QPointer<CountingPage> second = new CountingPage;
        window.showPage(first);
        window.showPage(second);
        window.showPage(second);
        QCOMPARE(second->created, 1);
        QVERIFY(second->centralWidget());
        window.dismissPage(second);
        QCOMPARE(window.currentPage(), first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(second.isNull());
        QSignalSpy back(first, &TkApplicationPage::backButtonClicked);
        first->findChild<QToolButton*>(QStringLiteral("TkPageBackButton"))->click();
        QCOMPARE(back.count(), 1);
    }

    void sceneWindowCoversItsWidget()
    {
        QWidget page;
        page.resize(300, 400);
        (new QWidget(&page))->setGeometry(10, 10, 100, 40);
        auto* overlay = new TkSceneWindow(&page);
        overlay->setView(new QWidget);
        page.show();
        overlay->appear();
        page.resize(500, 200);
        QCOMPARE(overlay->geometry(), page.rect());
        QCOMPARE(page.childAt(20, 20), overlay->view());
    }

    void sceneWindowDismissed_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<bool>("destroyed");
        QTest::addRow("kept") << int(TkSceneWindow::KeepWhenDone) << false;
        QTest::addRow("destroyed") << int(TkSceneWindow::DestroyWhenDismissed) << true;
    }
    void sceneWindowDismissed()
    {
        QFETCH(int, policy);
        QWidget page;
        QPointer<TkSceneWindow> overlay = new TkSceneWindow(&page);
        page.show();
        overlay->appear(TkSceneWindow::DeletionPolicy(policy));
        QSignalSpy disappeared(overlay.data(), &TkSceneWindow::disappeared);
        overlay->disappear();
        QCOMPARE(disappeared.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTEST(overlay.isNull(), "destroyed");
    }

    // Which button closes a query dialog or a sheet, and what exec() returns.
    void dialogAnswer_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("result");
        QTest::addRow("query, yes") << false << true << 1024;
        QTest::addRow("query, no") << false << false << 0;
        QTest::addRow("sheet, done") << true << true << 1024;
        QTest::addRow("sheet, cancel") << true << false << 0;
    }
    void dialogAnswer()
    {
        QFETCH(bool, sheet);
        QFETCH(bool, accept);
        TkQueryDialog query{QString(), QString()};
        TkSheet form;
        QDialog* dialog = sheet ? static_cast<QDialog*>(&form) : &query;
        QSignalSpy done(&form, &TkSheet::doneClicked);
        QSignalSpy cancelled(&form, &TkSheet::cancelClicked);
        QAbstractButton* button = sheet ? (accept ? form.doneButton() : form.cancelButton())
                                        : (accept ? query.yesButton() : query.noButton());
        QTimer::singleShot(0, button, &QAbstractButton::click);
        QTEST(dialog->exec(), "result");
        QCOMPARE(done.count(), int(sheet && accept));
        QCOMPARE(cancelled.count(), int(sheet && !accept));
    }

    void querySystemModalStaysOnTop()
    {
        TkQueryDialog dialog{QString(), QString()};
        dialog.setSystemModal(true);
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void bannerDisappearsOnItsOwnAndOnce()
    {
        TkBanner banner;
        banner.setDuration(20);
        QSignalSpy gone(&banner, &TkBanner::disappeared);
        banner.appear();
        QVERIFY(banner.isVisible());
        QVERIFY(gone.wait());
        QVERIFY(!banner.isVisible());
        banner.setDuration(60000);
        banner.appear();
        banner.appear();
        banner.disappear();
        banner.disappear(); // already hidden: reported once
        QCOMPARE(gone.count(), 2);
        QVERIFY(!banner.isShowing());
    }

    void comboBoxTitleTakesALine()
    {
        TkComboBox box;
        box.addItem("item");
        const int plainHeight = QComboBox().sizeHint().height();
        box.setTitle("A title wider than any of the items");
        QVERIFY(box.sizeHint().height() > plainHeight);
        QVERIFY(box.sizeHint().width() > box.fontMetrics().horizontalAdvance(box.title()));
    }

    void lineEditHints_data()
    {
        QTest::addColumn<int>("contentType");
        QTest::addColumn<bool>("capitals");
        QTest::addColumn<bool>("prediction");
        QTest::addColumn<int>("hints");
        const int text = TkLineEdit::FreeText;
        QTest::addRow("free text") << text << true << true << 0;
        QTest::addRow("no capitals") << text << false << true << int(Qt::ImhNoAutoUppercase);
        QTest::addRow("no prediction") << text << true << false << int(Qt::ImhNoPredictiveText);
        QTest::addRow("url") << int(TkLineEdit::Url) << true << false
                             << int(Qt::ImhUrlCharactersOnly | Qt::ImhNoPredictiveText);
        QTest::addRow("number") << int(TkLineEdit::Number) << false << false
                                << int(Qt::ImhDigitsOnly | Qt::ImhNoAutoUppercase |
                                       Qt::ImhNoPredictiveText);
    }
    void lineEditHints()
    {
        QFETCH(int, contentType);
        QFETCH(bool, capitals);
        QFETCH(bool, prediction);
        TkLineEdit edit;
        edit.setContentType(TkLineEdit::ContentType(contentType));
        edit.setAutoCapitalizationEnabled(capitals);
        edit.setPredictionEnabled(prediction);
        QTEST(int(edit.inputMethodHints()), "hints");
    }

    // Text that does not fit ends with an ellipsis; the label never asks for its width.
    void elidedLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("elided");
        QTest::addRow("short") << "Anna" << false;
        QTest::addRow("long") << QString("Anna Berg ").repeated(20) << true;
    }
    void elidedLabel()
    {
        QFETCH(QString, text);
        QFETCH(bool, elided);
        TkElidedLabel label;
        label.setText(text);
        label.resize(200, label.sizeHint().height());
        QCOMPARE(label.text(), text);
        QCOMPARE(label.shownText().endsWith(QChar(0x2026)), elided);
        QCOMPARE(label.shownText() == text, !elided);
        QVERIFY(label.fontMetrics().horizontalAdvance(label.shownText()) <= 200);
        QVERIFY(!label.grab().isNull());
        QCOMPARE(label.minimumSizeHint().width(), 0);
        QVERIFY(label.minimumSizeHint().height() > 0);
    }

    // The editor's model follows the selection and names what changed.
    void richTextEditModelFollowsTheSelection()
    {
        TkRichTextEdit edit;
        edit.setPlainText("one two");
        QList<QList<const char*>> modified;
        connect(edit.model(), &TkTextEditModel::modified,
                [&modified](const QList<const char*>& members) { modified << members; });
        edit.selectAll();
        QVERIFY(edit.model()->isSelecting());
        QCOMPARE(modified.size(), 1);
        const QByteArray copied("selecting"); // compared by name, not by pointer
        QVERIFY(
            TkTextEditModel::includes({"other", copied.constData()}, TkTextEditModel::Selecting));
        QVERIFY(TkTextEditModel::includes(modified.first(), TkTextEditModel::Selecting));
        QVERIFY(!TkTextEditModel::includes({"other"}, TkTextEditModel::Selecting));
        // A selection that only changes its extent is still one selection.
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(0);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
        QCOMPARE(modified.size(), 1);
        cursor.clearSelection();
        edit.setTextCursor(cursor);
        QVERIFY(!edit.model()->isSelecting());
        QCOMPARE(modified.size(), 2);
    }

    void styleClassIsRegisteredAtLoad()
    {
        QCOMPARE(TkStyleRegistry::styleClasses("libtest"), QStringList("CountingStyle"));
        QCOMPARE(TkStyleRegistry::libraryOf("CountingStyle"), QString("libtest"));
        QCOMPARE(CountingWidget().styleClass(), QString("CountingStyle"));
    }

    // Attributes set before polishing are applied with it, later ones once together.
    void styleAppliedOnce_data()
    {
        QTest::addColumn<bool>("polishFirst");
        QTest::addRow("before polish") << false;
        QTest::addRow("after polish") << true;
    }
    void styleAppliedOnce()
    {
        QFETCH(bool, polishFirst);
        CountingWidget widget;
        if (polishFirst)
            widget.ensurePolished();
        widget.applied = 0;
        widget.setPreferredSize(QSize(10, 20));
        widget.setMarginLeft(3);
        widget.setMarginTop(1);
        QCOMPARE(widget.applied, 0);
        widget.ensurePolished();
        QTRY_COMPARE(widget.applied, 1);
        QCoreApplication::processEvents();
        QCOMPARE(widget.applied, 1);
        QCOMPARE(widget.sizeAtApply, QSize(10, 20));
    }

    void themeSetsAttributesByStyleClass()
    {
        CountingWidget widget;
        widget.setStyleSheet("[styleClass=\"CountingStyle\"] { qproperty-preferredSize: 50px "
                             "60px; qproperty-marginRight: 7; }");
        widget.ensurePolished();
        QCOMPARE(widget.marginRight(), 7);
        QCOMPARE(widget.sizeAtApply, QSize(50, 60));
    }

    void contentsAreDrawnInsideTheMargins()
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

    void scalableImageKeepsItsBorders()
    {
        // A 30 x 30 image: blue 10-pixel borders around a green middle.
        QPixmap source(30, 30);
        source.fill(Qt::blue);
        QPainter(&source).fillRect(10, 10, 10, 10, Qt::green);
        QImage target(100, 60, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        TkScalableImage(source, QMargins(10, 10, 10, 10)).draw(&painter, target.rect());
        painter.end();
        const QColor blue(Qt::blue), green(Qt::green);
        const QList<QPair<QPoint, QColor>> expected{{{9, 9}, blue},
                                                    {{10, 10}, green},
                                                    {{89, 49}, green},
                                                    {{90, 50}, blue},
                                                    {{50, 5}, blue}};
        for (const auto& [point, color] : expected)
            QCOMPARE(target.pixelColor(point), color);
    }

    void layoutFollowsWindowOrientation_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<int>("direction");
        QTest::addRow("tall") << QSize(480, 854) << true << int(QBoxLayout::TopToBottom);
        QTest::addRow("wide") << QSize(854, 480) << false << int(QBoxLayout::LeftToRight);
        // A square window is not taller than wide.
        QTest::addRow("square") << QSize(500, 500) << false << int(QBoxLayout::LeftToRight);
    }
    void layoutFollowsWindowOrientation()
    {
        QFETCH(QSize, windowSize);
        QFETCH(bool, portrait);
        QWidget window;
        auto* host = new QWidget(&window);
        TwoWayLayout two(host);
        auto* label = new QLabel(QStringLiteral("a"));
        two.column->addItem(label);
        two.row->addItem(label);
        window.resize(windowSize);
        window.show();
        QCOMPARE(two.layout->isPortrait(), portrait);
        QCOMPARE(two.layout->activePolicy(), portrait ? two.column : two.row);
        auto* box = qobject_cast<QBoxLayout*>(host->layout());
        QTEST(int(box->direction()), "direction");
        QCOMPARE(box->indexOf(label), 0);
    }

    void widgetOnlyInOtherPolicyIsHidden()
    {
        QWidget window;
        window.resize(480, 854);
        TwoWayLayout two(&window);
        auto* both = new QLabel(QStringLiteral("both"));
        auto* wideOnly = new QLabel(QStringLiteral("wide only"));
        two.column->addItem(both);
        two.row->addItem(both);
        two.row->addItem(wideOnly);
        window.show();
        QVERIFY(both->isVisible());
        QVERIFY(!wideOnly->isVisible());
        for (bool wide : {true, false}) {
            window.resize(wide ? QSize(854, 480) : QSize(480, 854));
            QCoreApplication::processEvents();
            QCOMPARE(two.row->isActive(), wide);
            QCOMPARE(wideOnly->isVisible(), wide);
        }
    }

    void layoutStretchesOrderAndDeletedWidgets()
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
        auto* doomed = new QLabel;
        column->addItem(doomed);
        delete doomed;
        column->addStretch(); // rebuilds without touching the dead widget
        auto* box = qobject_cast<QBoxLayout*>(host.layout());
        QCOMPARE(box->count(), 4);
        QVERIFY(box->itemAt(2)->spacerItem());
    }

    // Two policies taking turns as the only one, as a label and the editor it
    // turns into do: the inactive one's widget never shows.
    void switchingBetweenPoliciesOfOneOrientation()
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
};

QTEST_MAIN(TestTkWidgets)
#include "tst_tkwidgets.moc"
