#include "abstractpagemanager.h"
#include "historystore.h"
#include "messageeditorbasepage.h"
#include "messagingtextedit.h"
#include "recipientsedit.h"
#include "testcontacts.h"
#include "textmessageeditorpage.h"

#include <QContactManager>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStandardPaths>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

using namespace QtContacts;
using Tollis::Recipient;
using Tollis::RecipientList;
using Tollis::RecipientsEdit;

namespace {

QString addressOf(const Recipient& recipient)
{
    return recipient.value(Tollis::RecipientAddress).toString();
}

int validityOf(const Recipient& recipient)
{
    return recipient.value(Tollis::RecipientValidity).toInt();
}

RecipientList entries(const QStringList& addresses)
{
    RecipientList list;
    for (const QString& address : addresses)
        list << RecipientsEdit::recipient(address);
    return list;
}

bool validate(RecipientsEdit& edit)
{
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    return validated.wait() && validated.takeFirst().at(0).toBool();
}

int imagesIn(const QTextEdit& edit)
{
    int images = 0;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            images += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
    }
    return images;
}

// Types the text key by key, line breaks as Return.
void type(QWidget* edit, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines.at(i));
    }
}

} // namespace

// The host's text message editor: its recipients field, its text field, and the page taking
// over what was written in a multimedia message.
class TestTextMessageEditor : public QObject
{
    Q_OBJECT

    QContactManager m_contacts{QStringLiteral("memory"),
                               {{QStringLiteral("id"), QStringLiteral("tst_textmessageeditor")}}};
    TkApplicationWindow m_window;
    AbstractPageManager m_pages{&m_window};
    QPointer<MessageEditorBasePage> m_editor;

    // The text editor that took over from a new multimedia editor, or null.
    TextMessageEditorPage* change(Chronel::Event::EventType type, const QStringList& to,
                                  const QString& text, const QString& vcard = QString())
    {
        m_editor = new MessageEditorBasePage(&m_pages);
        m_pages.showPage(m_editor);
        m_editor->changeMessageEditor(type, entries(to), text, vcard, QString(), 0, {});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<TextMessageEditorPage*>(m_pages.currentPage());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Chronel::HistoryStore::instance()->close();
        QFile::remove(Chronel::HistoryStore::databasePath());
        QList<QContact> contacts{
            testContact("Ann", "Lee", "+358401234567"), testContact("Bob", "", "0401112223"),
            testContact("Bob", "", "0405556667"), testContact("Eve", "", "", "eve@example.com")};
        QContact twoNumbers = testContact("Carl", "Berg", "0501111111");
        QContactPhoneNumber second;
        second.setNumber(QStringLiteral("0502222222"));
        twoNumbers.saveDetail(&second);
        contacts << twoNumbers;
        QVERIFY(m_contacts.saveContacts(&contacts));
    }

    void addressValidity_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("addressType");
        QTest::addColumn<bool>("valid");
        const int phone = RecipientsEdit::PhoneNumber;
        const int any = RecipientsEdit::AnyAddress;
        QTest::addRow("international") << "+358401234567" << phone << true;
        QTest::addRow("written with separators") << "+1 (555) 123-45.67" << phone << true;
        QTest::addRow("short code") << "112" << phone << true;
        QTest::addRow("two digits") << "12" << phone << false;
        QTest::addRow("21 digits") << "123456789012345678901" << phone << false;
        QTest::addRow("plus inside") << "358+40" << phone << false;
        QTest::addRow("e-mail, phones only") << "ann@example.com" << phone << false;
        QTest::addRow("e-mail, any") << "ann@example.com" << any << true;
        QTest::addRow("phone, any") << "040 123 4567" << any << true;
        QTest::addRow("e-mail without domain dot") << "ann@example" << any << false;
        QTest::addRow("name and bracketed e-mail") << "Ann Lee <ann@example.com>" << any << true;
        QTest::addRow("name and bracketed phone") << "Ann <+358401234567>" << phone << true;
        QTest::addRow("empty") << "" << any << false;
    }

    void addressValidity()
    {
        QFETCH(QString, address);
        QFETCH(int, addressType);
        QFETCH(bool, valid);
        RecipientsEdit edit(nullptr, addressType, false);
        edit.setTo(entries({address}));
        QCOMPARE(validate(edit), valid);
        QCOMPARE(validityOf(edit.to().value(0)),
                 int(valid ? RecipientsEdit::Valid : RecipientsEdit::Invalid));
    }

    // The address after validation, after resolveAmbiguous() and the text shown, as
    // "validated|resolved|shown".
    void contactNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("addressType");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("addresses");
        const int phone = RecipientsEdit::PhoneNumber;
        const int any = RecipientsEdit::AnyAddress;
        QTest::addRow("one number")
            << "Ann Lee" << phone << true << "+358401234567|+358401234567|Ann Lee";
        QTest::addRow("any case") << "ann lee" << phone << true
                                  << "+358401234567|+358401234567|Ann Lee";
        // Which number is for resolveAmbiguous() to settle: the first.
        QTest::addRow("two numbers")
            << "Carl Berg" << phone << true << "Carl Berg|0501111111|Carl Berg";
        QTest::addRow("two contacts of the name") << "Bob" << phone << false << "Bob|Bob|Bob";
        QTest::addRow("no address of the kind") << "Eve" << phone << false << "Eve|Eve|Eve";
        QTest::addRow("e-mail allowed")
            << "Eve" << any << true << "eve@example.com|eve@example.com|Eve";
        QTest::addRow("nobody") << "Zed" << any << false << "Zed|Zed|Zed";
    }

    void contactNames()
    {
        QFETCH(QString, typed);
        QFETCH(int, addressType);
        QFETCH(bool, valid);
        QFETCH(QString, addresses);
        RecipientsEdit edit(&m_contacts, addressType, false);
        edit.setTo(entries({typed}));
        QCOMPARE(validate(edit), valid);
        const QString validated = addressOf(edit.to().value(0));
        edit.resolveAmbiguous();
        const Recipient entry = edit.to().value(0);
        QCOMPARE(QStringList({validated, addressOf(entry),
                              entry.value(Tollis::RecipientDisplayText).toString()})
                     .join('|'),
                 addresses);
        QCOMPARE(entry.value(Tollis::RecipientContactEntry).toInt(), valid ? 1 : 0);
        QCOMPARE(entry.value(Tollis::RecipientContact).value<QContact>().isEmpty(), !valid);
    }

    void validationIsAsynchronousAndRunsOnce()
    {
        RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
        edit.setTo(entries({QStringLiteral("+358401234567")}));
        QSignalSpy validated(&edit, &RecipientsEdit::validated);
        edit.validate();
        QVERIFY(edit.validating());
        QCOMPARE(validityOf(edit.to().value(0)), int(RecipientsEdit::NotValidated));
        // A second request while one runs starts nothing more.
        edit.validate();
        QVERIFY(validated.wait());
        QVERIFY(!edit.validating());
        // With nothing new, no round starts: the plug-in calls validate() from
        // its validated() handler and must not loop.
        edit.validate();
        QVERIFY(!edit.validating());
        QCoreApplication::processEvents();
        QCOMPARE(validated.count(), 1);
    }

    void editingKeepsKnownEntries()
    {
        RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
        Recipient contact = RecipientsEdit::recipient(QStringLiteral("+358401234567"));
        contact.insert(Tollis::RecipientContactEntry, 1);
        contact.insert(Tollis::RecipientDisplayText, QStringLiteral("Ann"));
        contact.insert(Tollis::RecipientValidity, int(RecipientsEdit::Valid));
        edit.setTo({contact});
        QLineEdit* to = edit.field(RecipientsEdit::ToField);
        QCOMPARE(to->text(), QStringLiteral("Ann"));
        to->end(false);
        QTest::keyClicks(to, QStringLiteral("; 0401112223"));
        QCOMPARE(edit.to(), (RecipientList{contact, edit.to().value(1)}));
        QCOMPARE(addressOf(edit.to().value(1)), QStringLiteral("0401112223"));
        QVERIFY(validate(edit));
    }

    void invalidEntryInCcFailsTheWhole()
    {
        RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
        edit.setTo(entries({QStringLiteral("+358401234567")}));
        edit.setCc(entries({QStringLiteral("nobody")}));
        edit.setBcc(entries({QStringLiteral("0401112223")}));
        QVERIFY(!validate(edit));
        QCOMPARE(
            (QList<int>{validityOf(edit.to().value(0)), validityOf(edit.cc().value(0)),
                        validityOf(edit.bcc().value(0))}),
            (QList<int>{RecipientsEdit::Valid, RecipientsEdit::Invalid, RecipientsEdit::Valid}));
    }

    void contactPickerOffersStoredAddresses()
    {
        for (const QString& remote :
             {QStringLiteral("+358401234567"), QStringLiteral("not a number")}) {
            Chronel::Event event;
            event.setType(Chronel::Event::SMSEvent);
            event.setLocalUid(QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring"));
            event.setRemoteUid(remote);
            QVERIFY(Chronel::HistoryStore::instance()->addEvent(event));
        }
        RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, true);
        edit.setTo(entries({QStringLiteral("112")}));
        edit.launchContactPickerTo();
        QInputDialog* picker = edit.contactPicker();
        QVERIFY(picker);
        QCOMPARE(picker->comboBoxItems(), QStringList{QStringLiteral("+358401234567")});
        picker->setTextValue(QStringLiteral("+358401234567"));
        picker->accept();
        QCOMPARE(addressOf(edit.to().value(1)), QStringLiteral("+358401234567"));
        QCOMPARE(edit.field(RecipientsEdit::ToField)->text(), QStringLiteral("112; +358401234567"));
    }
    // Attach and send buttons shown ("1") of each toolbar mode.
    void toolbarModes()
    {
        QStringList shown;
        for (int mode : {MessagingTextEdit::NoToolbar, MessagingTextEdit::SendToolbar,
                         MessagingTextEdit::AttachmentAndSendToolbar}) {
            MessagingTextEdit edit(QStringLiteral("Hi"));
            edit.setToolbar(mode);
            shown << QString("%1%2")
                         .arg(edit.attachmentButton()->isVisibleTo(&edit))
                         .arg(edit.sendButton()->isVisibleTo(&edit));
        }
        QCOMPARE(shown, (QStringList{"00", "01", "11"}));
    }

    void sendButtonState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowEmpty");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("requireContent");
        QTest::addColumn<bool>("hideWhenDisabled");
        QTest::addColumn<QString>("state");
        // The editor shows its buttons again.
        QTest::addRow("shown with text") << "Hi" << false << true << true << false << "enabled";
        QTest::addRow("shown, empty") << "" << false << true << true << false << "disabled";
        QTest::addRow("shown, empty allowed") << "" << true << true << true << false << "enabled";
        // The editor hides them while it is busy.
        QTest::addRow("hidden") << "Hi" << false << false << false << true << "hidden";
        // The quick-send widget greys it while sending.
        QTest::addRow("greyed") << "Hi" << true << false << true << false << "disabled";
        // A slide's field: a picture is content enough.
        QTest::addRow("slide, empty text") << "" << false << true << false << true << "enabled";
    }

    void sendButtonState()
    {
        QFETCH(QString, text);
        QFETCH(bool, allowEmpty);
        QFETCH(bool, enabled);
        QFETCH(bool, requireContent);
        QFETCH(bool, hideWhenDisabled);
        QFETCH(QString, state);
        MessagingTextEdit edit(text);
        edit.setToolbar(MessagingTextEdit::SendToolbar);
        edit.setAllowEmptySend(allowEmpty);
        edit.setSendButtonEnabled(enabled, requireContent, hideWhenDisabled);
        const QToolButton* send = edit.sendButton();
        QCOMPARE(QString(!send->isVisibleTo(&edit) ? "hidden"
                         : send->isEnabled()       ? "enabled"
                                                   : "disabled"),
                 state);
        QVERIFY(send->isVisibleTo(&edit) || !send->isEnabled());
    }

    void sendButtonFollowsTyping()
    {
        MessagingTextEdit edit;
        edit.setToolbar(MessagingTextEdit::SendToolbar);
        QVERIFY(!edit.isSendButtonEnabled());
        QTest::keyClicks(&edit, QStringLiteral("a"));
        QVERIFY(edit.isSendButtonEnabled());
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QVERIFY(!edit.isSendButtonEnabled());
    }

    void inputLimits_data()
    {
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("validDigits");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addRow("length") << 5 << QString() << "abcdefg" << QString("abcde");
        // The limit counts what the field shows: each smiley is one image.
        QTest::addRow("length, emoticons as images")
            << 6 << QString() << ":-) :-) xyz" << QString(":-) :-) xy");
        QTest::addRow("validator") << -1 << "[0-9]*" << QString("1a2") << QString("12");
    }

    void inputLimits()
    {
        QFETCH(int, maxLength);
        QFETCH(QString, validDigits);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        MessagingTextEdit edit;
        edit.setMaxLength(maxLength);
        QRegularExpressionValidator validator{QRegularExpression(validDigits)};
        if (!validDigits.isEmpty())
            edit.setValidator(&validator);
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.plainText(), expected);
    }

    void programmaticTextIsTakenAsIs()
    {
        MessagingTextEdit edit;
        edit.setMaxLength(5);
        edit.setText(QStringLiteral("abcde"));
        // A paste that would overflow is refused whole, the cursor stays put.
        edit.moveCursor(QTextCursor::Start);
        edit.textCursor().insertText(QStringLiteral("xy"));
        QCOMPARE(edit.plainText(), QStringLiteral("abcde"));
        QCOMPARE(edit.textCursor().position(), 0);
        // Text set beyond the limit stays; deleting is possible, adding is not.
        edit.setText(QStringLiteral("longer"));
        edit.moveCursor(QTextCursor::End);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClicks(&edit, QStringLiteral("z"));
        QCOMPARE(edit.plainText(), QStringLiteral("longe"));
    }

    void counter_data()
    {
        QTest::addColumn<bool>("counterOn");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("expected");
        QTest::addRow("count") << true << -1 << QString() << "7";
        QTest::addRow("count of limit") << true << 40 << QString() << "7/40";
        QTest::addRow("off") << false << -1 << QString() << "";
        QTest::addRow("off, toolbar text") << false << -1 << "MMS" << QString("MMS");
        QTest::addRow("on wins over toolbar text") << true << -1 << "MMS" << QString("7");
    }

    // The count is of the text as sent: the smiley counts as its three characters.
    void counter()
    {
        QFETCH(bool, counterOn);
        QFETCH(int, maxLength);
        QFETCH(QString, attribute);
        QFETCH(QString, expected);
        MessagingTextEdit edit(QStringLiteral("Hi :-)"));
        edit.setToolbar(MessagingTextEdit::SendToolbar);
        edit.completeEmoticonReplacement();
        QTest::keyClicks(&edit, QStringLiteral("!"));
        edit.setMaxLength(maxLength);
        edit.setCharacterCounter(counterOn);
        if (!attribute.isEmpty()) {
            edit.setToolbarAttribute(QStringLiteral("/toolbar"), QStringLiteral("counter"),
                                     QStringLiteral("text"), attribute);
        }
        QCOMPARE(edit.counterLabel()->text(), expected);
        QCOMPARE(edit.counterLabel()->isVisibleTo(&edit), !expected.isEmpty());
    }

    void emoticonReplacement_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<int>("images");
        QTest::addRow("followed by a line break") << ";)\nhi" << false << 1;
        QTest::addRow("still being typed") << "hi :-)" << false << 0;
        QTest::addRow("completed at the end") << "hi :-)" << true << 1;
        QTest::addRow("start of a word") << ":Dave " << true << 0;
        QTest::addRow("several") << ":) :( :-P " << false << 3;
    }

    // Whatever the field shows, its text is the one typed.
    void emoticonReplacement()
    {
        QFETCH(QString, typed);
        QFETCH(bool, complete);
        QFETCH(int, images);
        MessagingTextEdit edit;
        type(&edit, typed);
        if (complete)
            edit.completeEmoticonReplacement();
        QCOMPARE(imagesIn(edit), images);
        QCOMPARE(edit.plainText(), typed);
    }

    void completeReplacementFlattensRichText()
    {
        MessagingTextEdit edit;
        edit.setHtml(QStringLiteral("<b>bold</b> :-)<br>next"));
        edit.completeEmoticonReplacement();
        QCOMPARE(edit.plainText(), QStringLiteral("bold :-)\nnext"));
        QCOMPARE(imagesIn(edit), 1);
        QVERIFY(!edit.toHtml().contains(QLatin1String("font-weight:600")));
        QCOMPARE(edit.textCursor().position(), edit.toPlainText().length());
    }

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
            if (event.direction() == Chronel::Event::Outbound)
                sent << QString::number(event.type()) + ' ' + event.remoteUid() + ' ' +
                            event.freeText();
        }
        const QString sms = QString::number(Chronel::Event::SMSEvent) + ' ';
        QCOMPARE(sent,
                 (QStringList{sms + "0401112223 See you :-)", sms + "+358405556667 See you :-)"}));
        QCOMPARE(page->recipientsEdit()->to().size(), 1);
        QCOMPARE(m_pages.currentPage(), page.data());
    }
};

QTEST_MAIN(TestTextMessageEditor)
#include "tst_textmessageeditor.moc"
