#include "tkinputmethodstate.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

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

class TestTkInputMethodState : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void descriptions_data();
    void descriptions();
    void toolbarButtons_data();
    void toolbarButtons();
    void areaChangesAreAnnounced();

private:
    QString write(const QByteArray& content);

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestTkInputMethodState::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestTkInputMethodState::write(const QByteArray& content)
{
    const QString path = m_dir.filePath(QStringLiteral("toolbar%1.xml").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void TestTkInputMethodState::descriptions_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("items");
    const QByteArray two = "<input-method-toolbar><item name=\"attach\" keys=\"Meta+K\"/>"
                           "<item name=\"send\" keys=\"Meta+L\"/></input-method-toolbar>";
    QTest::newRow("two buttons") << two << QStringList{"attach", "send"};
    QTest::newRow("no buttons") << QByteArray("<input-method-toolbar/>") << QStringList();
    QTest::newRow("other document")
        << QByteArray("<toolbar><item name=\"a\" keys=\"K\"/></toolbar>") << QStringList();
    QTest::newRow("button without keys")
        << QByteArray("<input-method-toolbar><item name=\"a\"/></input-method-toolbar>")
        << QStringList();
    QTest::newRow("same button twice")
        << QByteArray("<input-method-toolbar><item name=\"a\" keys=\"K\"/>"
                      "<item name=\"a\" keys=\"L\"/></input-method-toolbar>")
        << QStringList();
    QTest::newRow("broken XML") << QByteArray("<input-method-toolbar><item name=\"a\" keys=\"K\">")
                                << QStringList();
    QTest::newRow("missing file") << QByteArray() << QStringList();
}

void TestTkInputMethodState::descriptions()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, items);
    const QString path =
        content.isEmpty() ? m_dir.filePath(QStringLiteral("none.xml")) : write(content);
    TkInputMethodState* state = TkInputMethodState::instance();
    if (items.isEmpty())
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("Input method toolbar cannot be read"));
    const int id = state->registerAttributeExtension(path);
    QCOMPARE(id > 0, !items.isEmpty());
    QCOMPARE(state->toolbarItems(id), items);
}

void TestTkInputMethodState::toolbarButtons_data()
{
    QTest::addColumn<bool>("attached");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("focused field shows the toolbar") << true << true << true;
    QTest::newRow("button switched off") << true << false << false;
    QTest::newRow("toolbar of another field") << false << true << false;
}

// The press goes to the focused widget; the toolbar must be the one that
// widget shows, and the button on.
void TestTkInputMethodState::toolbarButtons()
{
    QFETCH(bool, attached);
    QFETCH(bool, enabled);
    QFETCH(bool, delivered);
    TkInputMethodState* state = TkInputMethodState::instance();
    const int id = state->registerAttributeExtension(write(
        "<input-method-toolbar><item name=\"send\" keys=\"Meta+L\"/></input-method-toolbar>"));
    QWidget window;
    auto* field = new KeyRecorder;
    field->setParent(&window);
    if (attached)
        TkInputMethodState::attachToolbar(&window, id);
    state->setExtendedAttribute(id, QStringLiteral("/toolbar"), QStringLiteral("send"),
                                QStringLiteral("enabled"), enabled);
    window.show();
    QApplication::setActiveWindow(&window);
    field->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(state->triggerToolbarItem(id, QStringLiteral("send")), delivered);
    QCOMPARE(field->keys.size(), delivered ? 1 : 0);
    if (delivered)
        QCOMPARE(field->keys.first(), int(Qt::MetaModifier) | Qt::Key_L);
    QVERIFY(!state->triggerToolbarItem(id, QStringLiteral("unknown")));
    state->unregisterAttributeExtension(id);
}

void TestTkInputMethodState::areaChangesAreAnnounced()
{
    TkInputMethodState* state = TkInputMethodState::instance();
    QSignalSpy changed(state, &TkInputMethodState::inputMethodAreaChanged);
    const QRect keyboard(0, 500, 480, 354);
    state->setInputMethodArea(keyboard);
    state->setInputMethodArea(keyboard);
    state->setInputMethodArea(QRect());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toRect(), keyboard);
    QCOMPARE(changed.at(1).at(0).toRect(), QRect());
}

QTEST_MAIN(TestTkInputMethodState)
#include "tst_tkinputmethodstate.moc"
