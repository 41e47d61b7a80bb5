#include "tkcontentaction.h"
#include "tkcontenthighlighter.h"
#include "tkinputmethodstate.h"
#include "tksaveasdialog.h"
#include "tkstyle.h"
#include "tktheme.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

// The theme, content actions, link highlighting, the input
// method's toolbars and the save-as dialog.
class TestTkServices : public QObject
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
        TkContentAction::setLauncher([this](const QUrl& file) {
            m_opened << file;
            return true;
        });
    }
    void cleanupTestCase() { TkContentAction::setLauncher(TkContentAction::Launcher()); }
    void init() { m_opened.clear(); }

    void libraryStyleSheetIsAddedOnceAndStylesByName()
    {
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        const QString sheet = qApp->styleSheet();
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        QCOMPARE(qApp->styleSheet(), sheet);
        QCOMPARE(TkTheme::registeredLibraries().count(QStringLiteral("libdravel")), 1);
        QLabel styled;
        tk::setStyleName(&styled, QStringLiteral("InformationBanner"));
        QLabel plain;
        styled.ensurePolished();
        plain.ensurePolished();
        QVERIFY(styled.palette().color(QPalette::WindowText) !=
                plain.palette().color(QPalette::WindowText));
        QVERIFY(!TkTheme::hasImage(QStringLiteral("no-such-image")));
        QVERIFY(TkTheme::pixmap(QStringLiteral("no-such-image")).isNull());
        QVERIFY(TkTheme::icon(QStringLiteral("no-such-image")).isNull());
    }

    // An empty type asks the file for its type; an action is valid with a real type.
    void contentAction_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("givenType");
        QTest::addColumn<QString>("mimeType");
        const auto row = [](const char* tag, const char* name, const char* given,
                            const char* type) {
            QTest::addRow("%s", tag) << name << given << type;
        };
        row("picture", "picture.png", "", "image/png");
        row("text", "notes.txt", "", "text/plain");
        row("unknown binary", "blob", "", "");
        row("missing", "nothing.png", "", "");
        row("folder", ".", "", "");
        row("named type", "picture.png", "image/png", "image/png");
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

    void contentActionTrigger()
    {
        const QUrl file = QUrl::fromLocalFile(m_dir.filePath("picture.png"));
        QVERIFY(!TkContentAction().trigger());
        QVERIFY(!TkContentAction::defaultAction(QUrl("http://example.com/a.png")).isValid());
        QVERIFY(m_opened.isEmpty());
        QVERIFY(TkContentAction::defaultAction(file).trigger());
        QCOMPARE(m_opened, QList<QUrl>{file});
    }

    // Web addresses, e-mail addresses and phone numbers become links; markup
    // and existing links stay as they are.
    void highlightedHtml_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
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
        same("nothing", "just words<br>and more");
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
        QCOMPARE(
            label.text(),
            QStringLiteral("a&lt;b<br><a href=\"http://www.example.com\">www.example.com</a>"));
        QVERIFY(!label.openExternalLinks());
        QVERIFY(label.textInteractionFlags() & Qt::LinksAccessibleByMouse);
    }

    void toolbarDescriptions_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("items");
        const auto bad = [](const char* tag, const char* content) {
            QTest::addRow("%s", tag) << QByteArray(content) << QStringList();
        };
        QTest::addRow("two buttons") << QByteArray("<input-method-toolbar><item name=\"attach\" "
                                                   "keys=\"Meta+K\"/><item name=\"send\" "
                                                   "keys=\"Meta+L\"/></input-method-toolbar>")
                                     << QStringList{"attach", "send"};
        bad("no buttons", "<input-method-toolbar/>");
        bad("other document", "<toolbar><item name=\"a\" keys=\"K\"/></toolbar>");
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
        QTest::addColumn<bool>("attached");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("delivered");
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

    void inputMethodAreaChangesAreAnnounced()
    {
        TkInputMethodState* state = TkInputMethodState::instance();
        QSignalSpy changed(state, &TkInputMethodState::inputMethodAreaChanged);
        const QRect keyboard(0, 500, 480, 354);
        for (const QRect& area : {keyboard, keyboard, QRect()})
            state->setInputMethodArea(area);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toRect(), keyboard);
        QCOMPARE(changed.at(1).at(0).toRect(), QRect());
    }

    void saveAsResultName_data()
    {
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* edited, const char* extension, const char* result) {
            QTest::addRow("'%s' '%s'", edited, extension) << edited << extension << result;
        };
        row("note", "txt", "note.txt");
        row("note.txt", "txt", "note.txt");
        row("note", "", "note");
        row("  note ", "txt", "note.txt"); // spaces trimmed
    }
    void saveAsResultName()
    {
        QFETCH(QString, edited);
        QFETCH(QString, extension);
        TkSaveAsDialog dialog;
        dialog.setDefaultExtension(extension);
        dialog.fileNameEdit()->setText(edited);
        QTEST(dialog.resultFileName(), "result");
    }

    // What a press of save or cancel leaves in the destination folder.
    void saveAs_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("written");
        QTest::addRow("saved") << "new/folder"
                               << "copy" << true << "" << 1024 << "new/folder/copy.txt";
        QTest::addRow("cancelled") << "cancelled"
                                   << "copy" << false << "" << 0 << "";
        QTest::addRow("existing file kept") << "."
                                            << "source" << true << "cannot copy" << 0 << "";
        // Names refused as they stand, no extension added.
        for (const char* name : {"../escaped", "a/b", ".hidden", ""})
            QTest::addRow("refused: '%s'", name) << "inside" << name << true << kRefused << 0 << "";
    }
    void saveAs()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(bool, save);
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
        (save ? dialog.saveButton() : dialog.cancelButton())->click();
        QCOMPARE(finished.size(), 1);
        QTEST(finished.first().first().toInt(), "result");
        QCOMPARE(read(written.isEmpty() ? "source.txt" : written), QByteArray("content to keep"));
        QVERIFY(!QFile::exists(m_dir.filePath("escaped")));
        QVERIFY(!QFile::exists(m_dir.filePath("cancelled/copy.txt")));
    }

private:
    QString write(const QString& name, const QByteArray& content)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QString();
        return file.fileName();
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
    QList<QUrl> m_opened;
    int m_toolbars = 0;
};

QTEST_MAIN(TestTkServices)
#include "tst_tkservices.moc"
