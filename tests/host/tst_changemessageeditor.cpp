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

// Conversion of a multimedia message into a text message: the host's text editor takes over
// what was written.
class TestChangeMessageEditor : public QObject
{
    Q_OBJECT

    TkApplicationWindow* m_window = nullptr;
    AbstractPageManager* m_pages = nullptr;
    QPointer<MessageEditorBasePage> m_editor;

    // The text editor that took over from a new multimedia editor, or null.
    TextMessageEditorPage* change(Chronel::Event::EventType type, const QStringList& to,
                                  const QString& text, const QString& vcard = QString())
    {
        m_editor = new MessageEditorBasePage(m_pages);
        m_pages->showPage(m_editor);
        m_editor->changeMessageEditor(type, entries(to), text, vcard, QString(), 0, {});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<TextMessageEditorPage*>(m_pages->currentPage());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Chronel::HistoryStore::instance()->close();
        QFile::remove(Chronel::HistoryStore::databasePath());
    }

    void init()
    {
        m_window = new TkApplicationWindow;
        m_pages = new AbstractPageManager(m_window, m_window);
    }

    void cleanup() { delete m_window; }

    // A text message cannot carry a card: the editor stays, nothing is lost.
    void textEditorTakesOver_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("vcard");
        QTest::addColumn<bool>("changed");
        QTest::addRow("text message") << int(Chronel::Event::SMSEvent) << QString() << true;
        QTest::addRow("text message with a card")
            << int(Chronel::Event::SMSEvent) << "/tmp/a.vcf" << false;
        QTest::addRow("no plug-in for MMS") << int(Chronel::Event::MMSEvent) << QString() << false;
    }

    void textEditorTakesOver()
    {
        QFETCH(int, type);
        QFETCH(QString, vcard);
        QFETCH(bool, changed);
        if (!changed)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no editor for message type"));
        auto* text = change(Chronel::Event::EventType(type), {"0401112223"}, "a b", vcard);
        QCOMPARE(text != nullptr, changed);
        QCOMPARE(m_editor.isNull(), changed);
        if (changed) {
            QCOMPARE(text->textEdit()->plainText(), QStringLiteral("a b"));
            QCOMPARE(text->recipientsEdit()->to(), entries({"0401112223"}));
        }
    }

    // The invalid entry waits for the user; the page stays.
    void sendRecordsEachValidAddress()
    {
        QPointer<TextMessageEditorPage> page =
            change(Chronel::Event::SMSEvent, {"0401112223", "not a number", "+358405556667"},
                   "See you :-)");
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
        QCOMPARE(page->recipientsEdit()->to().size(), 1);
        QCOMPARE(m_pages->currentPage(), page.data());
    }
};

QTEST_MAIN(TestChangeMessageEditor)
#include "tst_changemessageeditor.moc"
