#include "abstractpagemanager.h"
#include "historystore.h"
#include "messageeditorbasepage.h"
#include "messagingtextedit.h"
#include "recipientsedit.h"
#include "textmessageeditorpage.h"

#include <QStandardPaths>
#include <QtTest>

using Tollis::RecipientsEdit;

namespace {

Tollis::RecipientList entries(const QStringList& addresses)
{
    Tollis::RecipientList list;
    for (const QString& address : addresses)
        list << RecipientsEdit::recipient(address);
    return list;
}

} // namespace

// Conversion of a multimedia message into a text message: the host's text
// editor takes over what was written.
class TestChangeMessageEditor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void textEditorTakesOver_data();
    void textEditorTakesOver();
    void sendRecordsEachValidAddress();

private:
    QPointer<MessageEditorBasePage> openEditor();

    TkApplicationWindow* m_window = nullptr;
    AbstractPageManager* m_pages = nullptr;
};

void TestChangeMessageEditor::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Chronel::HistoryStore::instance()->close();
    QFile::remove(Chronel::HistoryStore::databasePath());
}

void TestChangeMessageEditor::init()
{
    m_window = new TkApplicationWindow;
    m_pages = new AbstractPageManager(m_window, m_window);
}

void TestChangeMessageEditor::cleanup()
{
    delete m_window;
}

QPointer<MessageEditorBasePage> TestChangeMessageEditor::openEditor()
{
    auto* editor = new MessageEditorBasePage(m_pages);
    m_pages->showPage(editor);
    return editor;
}

void TestChangeMessageEditor::textEditorTakesOver_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("vcard");
    QTest::addColumn<bool>("changed");
    QTest::newRow("text message") << int(Chronel::Event::SMSEvent) << QString() << true;
    // A text message cannot carry the card: the editor stays, nothing is lost.
    QTest::newRow("text message with a card")
        << int(Chronel::Event::SMSEvent) << "/tmp/a.vcf" << false;
    QTest::newRow("no plug-in for MMS") << int(Chronel::Event::MMSEvent) << QString() << false;
}

void TestChangeMessageEditor::textEditorTakesOver()
{
    QFETCH(int, type);
    QFETCH(QString, vcard);
    QFETCH(bool, changed);
    QPointer<MessageEditorBasePage> editor = openEditor();
    if (!changed)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no editor for message type"));
    editor->changeMessageEditor(Chronel::Event::EventType(type), entries({"0401112223"}),
                                QStringLiteral("a b"), vcard, QString(), 0, {});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(editor.isNull(), changed);
    auto* text = qobject_cast<TextMessageEditorPage*>(m_pages->currentPage());
    QCOMPARE(text != nullptr, changed);
    if (changed) {
        QCOMPARE(text->textEdit()->plainText(), QStringLiteral("a b"));
        QCOMPARE(text->recipientsEdit()->to(), entries({"0401112223"}));
    }
}

void TestChangeMessageEditor::sendRecordsEachValidAddress()
{
    openEditor()->changeMessageEditor(Chronel::Event::SMSEvent,
                                      entries({"0401112223", "not a number", "+358405556667"}),
                                      QStringLiteral("See you :-)"), {}, {}, 0, {});
    QPointer<TextMessageEditorPage> page =
        qobject_cast<TextMessageEditorPage*>(m_pages->currentPage());
    QVERIFY(page);
    QSignalSpy validated(page->recipientsEdit(), &RecipientsEdit::validated);
    page->send();
    QVERIFY(validated.wait());
    QStringList sent;
    for (const Chronel::Event& event : Chronel::HistoryStore::instance()->events()) {
        QCOMPARE(event.type(), Chronel::Event::SMSEvent);
        QCOMPARE(event.direction(), Chronel::Event::Outbound);
        QCOMPARE(event.freeText(), QStringLiteral("See you :-)"));
        sent << event.remoteUid();
    }
    QCOMPARE(sent, QStringList({"0401112223", "+358405556667"}));
    // The invalid entry waits for the user; the page stays.
    QCOMPARE(page->recipientsEdit()->to().size(), 1);
    QCOMPARE(m_pages->currentPage(), page.data());
}

QTEST_MAIN(TestChangeMessageEditor)
#include "tst_changemessageeditor.moc"
