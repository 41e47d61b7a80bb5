#include "../widgets/widgettest.h"
#include "imagemedia.h"
#include "tkapplicationpage.h"
#include "tkapplicationwindow.h"
#include "tkbanner.h"
#include "tkcontentaction.h"
#include "tkcontenthighlighter.h"
#include "tkinputmethodstate.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tksaveasdialog.h"
#include "tkscenewindow.h"
#include "tkstylablewidget.h"
#include "tkstyleregistry.h"
#include "tktexteditmodel.h"
#include "tktheme.h"
#include "tkwidgetstyle.h"

#include <QBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
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

// Records the preferred size its style was applied with.
class CountingWidget : public TkStylableWidget
{
public:
    CountingWidget()
        : TkStylableWidget(new CountingStyle)
    {
    }
    QSize sizeAtApply;

protected:
    void applyStyle() override { sizeAtApply = preferredSize(); }
};

// A field that records the key presses reaching it.
class KeyRecorder : public QLineEdit
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        keys << (int(event->modifiers()) | event->key());
    }
};

const QString kRefused = QStringLiteral("not a file name");
const QByteArray kSendToolbar =
    "<input-method-toolbar><item name=\"send\" keys=\"Meta+L\"/></input-method-toolbar>";

} // namespace

// The toolkit the user interface is built with: pages, dialogs, inputs,
// layouts and styles; the theme, content actions, link highlighting, the
// input method's toolbars and the save-as dialog.
class TestToolkit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(m_dir.filePath("picture.png")));
        write("notes.txt", "some words");
        write("blob", QByteArray("\x00\x01\x02\x03\xff\xfe", 6));
        write("source.txt", "content to keep");
    }

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

    // An overlay covers its widget as that resizes; one shown to be destroyed
    // when dismissed is gone once dismissed.
    void sceneWindow()
    {
        QWidget page;
        page.resize(300, 400);
        (new QWidget(&page))->setGeometry(10, 10, 100, 40);
        QPointer<TkSceneWindow> overlay = new TkSceneWindow(&page);
        overlay->setView(new QWidget);
        page.show();
        overlay->appear(TkSceneWindow::DestroyWhenDismissed);
        page.resize(500, 200);
        QCOMPARE(overlay->geometry(), page.rect());
        QCOMPARE(page.childAt(20, 20), overlay->view());
        QSignalSpy disappeared(overlay.data(), &TkSceneWindow::disappeared);
        overlay->disappear();
        QCOMPARE(disappeared.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(overlay.isNull());
    }

    void bannerDisappearsOnce()
    {
        TkBanner banner;
        QSignalSpy gone(&banner, &TkBanner::disappeared);
        banner.appear();
        banner.appear();
        banner.disappear();
        banner.disappear();
        QCOMPARE(gone.count(), 1);
        QVERIFY(!banner.isShowing());
    }

    // The model names what changed by name, not by pointer.
    void textEditModelNamesByName()
    {
        const QByteArray copied("selecting");
        QCOMPARE(QList<bool>({TkTextEditModel::includes({"other", copied.constData()},
                                                        TkTextEditModel::Selecting),
                              TkTextEditModel::includes({"other"}, TkTextEditModel::Selecting)}),
                 QList<bool>({true, false}));
    }

    // A style class registered at load is themed by its name; a library's
    // style sheet is added once.
    void theme()
    {
        QCOMPARE(TkStyleRegistry::styleClasses("libtest")
                     << TkStyleRegistry::libraryOf("CountingStyle"),
                 QStringList({"CountingStyle", "libtest"}));
        CountingWidget widget;
        widget.setStyleSheet("[styleClass=\"CountingStyle\"] { qproperty-preferredSize: 50px "
                             "60px; qproperty-marginRight: 7; }");
        widget.ensurePolished();
        QCOMPARE(QPair(widget.marginRight(), widget.sizeAtApply), QPair(7, QSize(50, 60)));
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        const QString sheet = qApp->styleSheet();
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        QCOMPARE(qApp->styleSheet(), sheet);
        QCOMPARE(TkTheme::registeredLibraries().count(QStringLiteral("libdravel")), 1);
        const QString missing = QStringLiteral("no-such-image");
        QVERIFY(!TkTheme::hasImage(missing) && TkTheme::pixmap(missing).isNull() &&
                TkTheme::icon(missing).isNull());
    }

    // The layout follows its window's orientation as it turns; a widget of the
    // other policy only is hidden. A square window is not taller than wide.
    void layoutFollowsWindowOrientation_data()
    {
        columns<QSize, bool>({"windowSize", "portrait"});
        QTest::addRow("tall") << QSize(480, 854) << true;
        QTest::addRow("wide") << QSize(854, 480) << false;
        QTest::addRow("square") << QSize(500, 500) << false;
    }
    void layoutFollowsWindowOrientation()
    {
        QFETCH(QSize, windowSize);
        QFETCH(bool, portrait);
        QWidget window;
        auto* host = new QWidget(&window);
        auto* layout = new TkLayout(host);
        auto* column = new TkLinearLayoutPolicy(layout, Qt::Vertical);
        auto* row = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
        layout->setPortraitPolicy(column);
        layout->setLandscapePolicy(row);
        auto* both = new QLabel(QStringLiteral("both"));
        auto* wideOnly = new QLabel(QStringLiteral("wide only"));
        column->addItem(both);
        row->addItem(both);
        row->addItem(wideOnly);
        window.resize(portrait ? QSize(854, 480) : QSize(480, 854));
        window.show();
        QCOMPARE(wideOnly->isVisible(), portrait);
        window.resize(windowSize);
        QCoreApplication::processEvents();
        QCOMPARE(layout->activePolicy(), portrait ? column : row);
        auto* box = qobject_cast<QBoxLayout*>(host->layout());
        QCOMPARE(QList<int>({layout->isPortrait(), box->direction(), box->indexOf(both),
                             both->isVisible(), wideOnly->isVisible()}),
                 QList<int>({portrait, portrait ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight,
                             0, true, !portrait}));
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
        QCOMPARE(QList<QWidget*>({column->itemAt(0), column->itemAt(1), column->itemAt(2)}),
                 QList<QWidget*>({first, second, nullptr}));
        QCOMPARE(column->count(), 3);
        QCOMPARE(first->parentWidget(), &host);
        auto* doomed = new QLabel;
        column->addItem(doomed);
        delete doomed;
        column->addStretch(); // rebuilds without touching the dead widget
        auto* box = qobject_cast<QBoxLayout*>(host.layout());
        QCOMPARE(box->count(), 4);
        QVERIFY(box->itemAt(2)->spacerItem());
    }

    // An empty type asks the file for its type; an action is valid with a real type.
    void contentAction_data()
    {
        columns<QString, QString, QString>({"name", "givenType", "mimeType"});
        const auto row = [](const char* tag, const char* name, const char* given,
                            const char* type) {
            QTest::addRow("%s", tag) << name << given << type;
        };
        row("unknown binary", "blob", "", "");
        row("type of another kind", "notes.txt", "image/jpeg", "image/jpeg");
        row("pseudo type", "picture.png", "X-TEMP-image/png", "");
        row("binary data", "blob", "application/octet-stream", "");
        row("missing, named type", "nothing.png", "image/png", "");
    }
    void contentAction()
    {
        QFETCH(QString, name);
        QFETCH(QString, givenType);
        QFETCH(QString, mimeType);
        const QUrl file = QUrl::fromLocalFile(m_dir.filePath(name));
        const TkContentAction action = givenType.isEmpty()
                                           ? TkContentAction::defaultAction(file)
                                           : TkContentAction::defaultAction(file, givenType);
        QCOMPARE(action.isValid(), !mimeType.isEmpty());
        if (givenType.isEmpty())
            QCOMPARE(action.mimeType(), mimeType);
    }

    // Web addresses, e-mail addresses and phone numbers become links; markup
    // and existing links stay as they are.
    void highlightedHtml_data()
    {
        columns<QString, QString>({"html", "expected"});
        const auto row = [](const char* tag, const char* html, const char* expected) {
            QTest::addRow("%s", tag) << html << expected;
        };
        const auto same = [](const char* tag, const char* html) {
            QTest::addRow("%s", tag) << html << html;
        };
        row("web address", "see http://example.com/a?b=1&amp;c=2.",
            "see <a "
            "href=\"http://example.com/a?b=1&amp;c=2\">http://example.com/a?b=1&amp;c=2</a>.");
        row("www", "www.example.com", "<a href=\"http://www.example.com\">www.example.com</a>");
        row("e-mail", "mail anna.berg@example.co.uk now",
            "mail <a href=\"mailto:anna.berg@example.co.uk\">anna.berg@example.co.uk</a> now");
        row("phone", "call +358 40 123-4567!",
            "call <a href=\"tel:+358401234567\">+358 40 123-4567</a>!");
        row("existing link", "<a href=\"7\">Anna +358401111111</a>; +358402222222",
            "<a href=\"7\">Anna +358401111111</a>; <a "
            "href=\"tel:+358402222222\">+358402222222</a>");
        same("years and times", "in 2026 at 12:30");
        same("attributes", "<img src=\"http://example.com/x.png\"> x");
        same("entities", "&#1234567;");
    }
    void highlightedHtml()
    {
        QFETCH(QString, html);
        QTEST(TkContentHighlighter::highlightedHtml(html), "expected");
    }

    void plainLabelIsEscapedAndHighlightedOnce()
    {
        QLabel label;
        label.setTextFormat(Qt::PlainText);
        label.setText("a<b\nwww.example.com");
        TkContentHighlighter::highlight(&label);
        TkContentHighlighter::highlight(&label);
        QCOMPARE(label.textFormat(), Qt::RichText);
        QVERIFY(!label.openExternalLinks() &&
                label.textInteractionFlags() & Qt::LinksAccessibleByMouse);
        QCOMPARE(
            label.text(),
            QStringLiteral("a&lt;b<br><a href=\"http://www.example.com\">www.example.com</a>"));
    }

    void toolbarDescriptions_data()
    {
        columns<QByteArray, QStringList>({"content", "items"});
        const auto bad = [](const char* tag, const char* content) {
            QTest::addRow("%s", tag) << QByteArray(content) << QStringList();
        };
        QTest::addRow("two buttons") << QByteArray("<input-method-toolbar><item name=\"attach\" "
                                                   "keys=\"Meta+K\"/><item name=\"send\" "
                                                   "keys=\"Meta+L\"/></input-method-toolbar>")
                                     << QStringList{"attach", "send"};
        bad("no buttons", "<input-method-toolbar/>");
        bad("button without keys",
            "<input-method-toolbar><item name=\"a\"/></input-method-toolbar>");
        bad("same button twice", "<input-method-toolbar><item name=\"a\" keys=\"K\"/><item "
                                 "name=\"a\" keys=\"L\"/></input-method-toolbar>");
        bad("broken XML", "<input-method-toolbar><item name=\"a\" keys=\"K\">");
        bad("missing file", "");
    }
    void toolbarDescriptions()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, items);
        const QString path = content.isEmpty() ? m_dir.filePath("none.xml") : toolbar(content);
        TkInputMethodState* state = TkInputMethodState::instance();
        if (items.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("Input method toolbar cannot be read"));
        const int id = state->registerAttributeExtension(path);
        QCOMPARE(id > 0, !items.isEmpty());
        QCOMPARE(state->toolbarItems(id), items);
    }

    // The press goes to the focused widget; the toolbar must be the one that
    // widget shows, and the button on.
    void toolbarButtons_data()
    {
        columns<bool, bool, bool>({"attached", "enabled", "delivered"});
        QTest::addRow("focused field shows the toolbar") << true << true << true;
        QTest::addRow("button switched off") << true << false << false;
        QTest::addRow("toolbar of another field") << false << true << false;
    }
    void toolbarButtons()
    {
        QFETCH(bool, attached);
        QFETCH(bool, enabled);
        QFETCH(bool, delivered);
        TkInputMethodState* state = TkInputMethodState::instance();
        const int id = state->registerAttributeExtension(toolbar(kSendToolbar));
        QWidget window;
        auto* field = new KeyRecorder;
        field->setParent(&window);
        if (attached)
            TkInputMethodState::attachToolbar(&window, id);
        state->setExtendedAttribute(id, "/toolbar", "send", "enabled", enabled);
        window.show();
        QApplication::setActiveWindow(&window);
        field->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(state->triggerToolbarItem(id, QStringLiteral("send")), delivered);
        QCOMPARE(field->keys,
                 delivered ? QList<int>{int(Qt::MetaModifier) | Qt::Key_L} : QList<int>());
        QVERIFY(!state->triggerToolbarItem(id, QStringLiteral("unknown")));
        state->unregisterAttributeExtension(id);
    }

    // What a press of save leaves in the destination folder. A save copies into
    // the folder, made if need be, under the trimmed name with one extension; it
    // keeps an existing file and refuses names that are not plain file names.
    void saveAs_data()
    {
        columns<QString, QString, QString, QString>({"folder", "name", "warning", "written"});
        const QString none;
        QTest::addRow("saved") << QString("new/folder") << QString(" copy.txt ") << none
                               << QString("new/folder/copy.txt");
        QTest::addRow("existing file kept")
            << QString(".") << QString("source") << QString("cannot copy") << none;
        // Names refused as they stand, no extension added.
        for (const char* name : {"../escaped", "a/b", ".hidden", ""})
            QTest::addRow("refused: '%s'", name) << QString("inside") << name << kRefused << none;
    }
    void saveAs()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, warning);
        QFETCH(QString, written);
        TkSaveAsDialog dialog;
        dialog.setSourcePath(m_dir.filePath("source.txt"));
        dialog.setDestinationFolder(m_dir.filePath(folder));
        dialog.setDefaultExtension(warning == kRefused ? "" : "txt");
        dialog.setDefaultFileName(name);
        QSignalSpy finished(&dialog, &QDialog::finished);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Save as: " + warning));
        dialog.saveButton()->click();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), written.isEmpty() ? 0 : 1024);
        QCOMPARE(read(written.isEmpty() ? "source.txt" : written), QByteArray("content to keep"));
        QVERIFY(!QFile::exists(m_dir.filePath("escaped")));
    }

private:
    QString write(const QString& name, const QByteArray& content)
    {
        return imagemedia::writeBytes(m_dir.filePath(name), content);
    }
    QString toolbar(const QByteArray& content)
    {
        return write(QStringLiteral("toolbar%1.xml").arg(++m_toolbars), content);
    }
    QByteArray read(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    int m_toolbars = 0;
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
