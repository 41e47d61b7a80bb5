#include "historystore.h"
#include "recipientsedit.h"
#include "testcontacts.h"
#include "tkinputmethodstate.h"

#include <QContactManager>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtTest>

using namespace QtContacts;
using Tollis::Recipient;
using Tollis::RecipientList;
using Tollis::RecipientsEdit;

namespace {

// Takes the Meta shortcuts, like the plug-in's editor does.
class ShortcutEdit : public RecipientsEdit
{
public:
    using RecipientsEdit::RecipientsEdit;
    QList<int> keys;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->modifiers() & Qt::MetaModifier) {
            keys << static_cast<QKeyEvent*>(event)->key();
            return true;
        }
        return RecipientsEdit::event(event);
    }
};

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

} // namespace

class TestRecipientsEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void addressValidity_data();
    void addressValidity();
    void contactNames_data();
    void contactNames();
    void validationIsAsynchronousAndRunsOnce();
    void editingKeepsKnownEntries();
    void invalidEntryInCcFailsTheWhole();
    void toolbarKeysReachTheEditor();
    void contactPickerOffersStoredAddresses();

private:
    QContactManager m_contacts{QStringLiteral("memory"),
                               {{QStringLiteral("id"), QStringLiteral("tst_recipientsedit")}}};
};

void TestRecipientsEdit::initTestCase()
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

void TestRecipientsEdit::addressValidity_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("addressType");
    QTest::addColumn<bool>("valid");
    const int phone = RecipientsEdit::PhoneNumber;
    const int any = RecipientsEdit::AnyAddress;
    QTest::newRow("international") << "+358401234567" << phone << true;
    QTest::newRow("written with separators") << "+1 (555) 123-45.67" << phone << true;
    QTest::newRow("short code") << "112" << phone << true;
    QTest::newRow("two digits") << "12" << phone << false;
    QTest::newRow("21 digits") << "123456789012345678901" << phone << false;
    QTest::newRow("plus inside") << "358+40" << phone << false;
    QTest::newRow("letters") << "Ann" << phone << false;
    QTest::newRow("e-mail, phones only") << "ann@example.com" << phone << false;
    QTest::newRow("e-mail, any") << "ann@example.com" << any << true;
    QTest::newRow("phone, any") << "040 123 4567" << any << true;
    QTest::newRow("e-mail without domain dot") << "ann@example" << any << false;
    QTest::newRow("two at signs") << "ann@b@example.com" << any << false;
    QTest::newRow("name and bracketed e-mail") << "Ann Lee <ann@example.com>" << any << true;
    QTest::newRow("name and bracketed phone") << "Ann <+358401234567>" << phone << true;
    QTest::newRow("empty") << "" << any << false;
}

void TestRecipientsEdit::addressValidity()
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

void TestRecipientsEdit::contactNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("addressType");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("validatedAddress");
    QTest::addColumn<QString>("resolvedAddress");
    QTest::addColumn<QString>("displayText");
    const int phone = RecipientsEdit::PhoneNumber;
    const int any = RecipientsEdit::AnyAddress;
    QTest::newRow("one number") << "Ann Lee" << phone << true << "+358401234567"
                                << "+358401234567"
                                << "Ann Lee";
    QTest::newRow("any case") << "ann lee" << phone << true << "+358401234567"
                              << "+358401234567"
                              << "Ann Lee";
    // Which number is for resolveAmbiguous() to settle: the first.
    QTest::newRow("two numbers") << "Carl Berg" << phone << true << "Carl Berg"
                                 << "0501111111"
                                 << "Carl Berg";
    QTest::newRow("two contacts of the name") << "Bob" << phone << false << "Bob"
                                              << "Bob"
                                              << "Bob";
    QTest::newRow("no address of the kind") << "Eve" << phone << false << "Eve"
                                            << "Eve"
                                            << "Eve";
    QTest::newRow("e-mail allowed") << "Eve" << any << true << "eve@example.com"
                                    << "eve@example.com"
                                    << "Eve";
    QTest::newRow("nobody") << "Zed" << any << false << "Zed"
                            << "Zed"
                            << "Zed";
}

void TestRecipientsEdit::contactNames()
{
    QFETCH(QString, typed);
    QFETCH(int, addressType);
    QFETCH(bool, valid);
    QFETCH(QString, validatedAddress);
    QFETCH(QString, resolvedAddress);
    QFETCH(QString, displayText);
    RecipientsEdit edit(&m_contacts, addressType, false);
    edit.setTo(entries({typed}));
    QCOMPARE(validate(edit), valid);
    QCOMPARE(addressOf(edit.to().value(0)), validatedAddress);
    edit.resolveAmbiguous();
    const Recipient entry = edit.to().value(0);
    QCOMPARE(addressOf(entry), resolvedAddress);
    QCOMPARE(entry.value(Tollis::RecipientDisplayText).toString(), displayText);
    QCOMPARE(entry.value(Tollis::RecipientContactEntry).toInt(), valid ? 1 : 0);
    QCOMPARE(entry.value(Tollis::RecipientContact).value<QContact>().isEmpty(), !valid);
}

void TestRecipientsEdit::validationIsAsynchronousAndRunsOnce()
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

void TestRecipientsEdit::editingKeepsKnownEntries()
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
    const RecipientList list = edit.to();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0), contact);
    QCOMPARE(addressOf(list.at(1)), QStringLiteral("0401112223"));
    QVERIFY(validate(edit));
}

void TestRecipientsEdit::invalidEntryInCcFailsTheWhole()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
    edit.setTo(entries({QStringLiteral("+358401234567")}));
    edit.setCc(entries({QStringLiteral("nobody")}));
    edit.setBcc(entries({QStringLiteral("0401112223")}));
    QVERIFY(!validate(edit));
    QCOMPARE(validityOf(edit.to().value(0)), int(RecipientsEdit::Valid));
    QCOMPARE(validityOf(edit.cc().value(0)), int(RecipientsEdit::Invalid));
    QCOMPARE(validityOf(edit.bcc().value(0)), int(RecipientsEdit::Valid));
}

// The input method sends its toolbar's keys to the focused field; the
// editor gets them, the field does not type them.
void TestRecipientsEdit::toolbarKeysReachTheEditor()
{
    QTemporaryFile description;
    QVERIFY(description.open());
    description.write("<input-method-toolbar><item name=\"attach\" keys=\"Meta+K\"/>"
                      "</input-method-toolbar>");
    description.close();
    TkInputMethodState* state = TkInputMethodState::instance();
    const int id = state->registerAttributeExtension(description.fileName());
    ShortcutEdit edit(nullptr, RecipientsEdit::AnyAddress, false);
    edit.attachToolbar(id);
    QCOMPARE(edit.attachedToolbar(), id);
    edit.show();
    QApplication::setActiveWindow(&edit);
    QLineEdit* cc = edit.field(RecipientsEdit::CcField);
    edit.showCcBcc(true);
    cc->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QVERIFY(state->triggerToolbarItem(id, QStringLiteral("attach")));
    QCOMPARE(edit.keys, QList<int>{Qt::Key_K});
    QVERIFY(cc->text().isEmpty());
    QTest::keyClick(cc, Qt::Key_K);
    QCOMPARE(cc->text(), QStringLiteral("k"));
}

void TestRecipientsEdit::contactPickerOffersStoredAddresses()
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

QTEST_MAIN(TestRecipientsEdit)
#include "tst_recipientsedit.moc"
