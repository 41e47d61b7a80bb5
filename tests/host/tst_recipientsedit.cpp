#include "historystore.h"
#include "recipientsedit.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QtTest>

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
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & Qt::MetaModifier && key->key() == Qt::Key_K) {
                keys << key->key();
                event->accept();
                return true;
            }
        }
        return RecipientsEdit::event(event);
    }
};

int validityOf(const Recipient& recipient)
{
    return recipient.value(Tollis::RecipientValidity).toInt();
}

RecipientList entries(const QStringList& addresses)
{
    RecipientList list;
    for (const QString& address : addresses) {
        list << RecipientsEdit::recipient(address);
    }
    return list;
}

} // namespace

class TestRecipientsEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void addressValidity_data();
    void addressValidity();
    void validationIsAsynchronous();
    void validatedEntriesAreNotValidatedAgain();
    void editingKeepsKnownEntries();
    void invalidEntryInCcFailsTheWhole();
    void resolveAmbiguousTakesBracketedAddress();
    void setListsShowInFields();
    void ccBccShownOnRequest();
    void metaShortcutsReachTheEditor();
    void contactPickerOffersStoredAddresses();
};

void TestRecipientsEdit::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Chronel::HistoryStore::instance()->close();
    QFile::remove(Chronel::HistoryStore::databasePath());
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
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    QVERIFY(validated.wait());
    QCOMPARE(validated.takeFirst().at(0).toBool(), valid);
    QCOMPARE(validityOf(edit.to().value(0)),
             int(valid ? RecipientsEdit::Valid : RecipientsEdit::Invalid));
}

void TestRecipientsEdit::validationIsAsynchronous()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
    edit.setTo(entries({QStringLiteral("+358401234567")}));
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    QVERIFY(edit.validating());
    QCOMPARE(validated.count(), 0);
    QCOMPARE(validityOf(edit.to().value(0)), int(RecipientsEdit::NotValidated));
    // A second request while one runs starts nothing more.
    edit.validate();
    QVERIFY(validated.wait());
    QVERIFY(!edit.validating());
    QCOMPARE(validated.count(), 1);
}

void TestRecipientsEdit::validatedEntriesAreNotValidatedAgain()
{
    // The plug-in calls validate() again from its validated() handler; with
    // nothing new it must not start another round, or it would loop.
    RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
    edit.setTo(entries({QStringLiteral("+358401234567")}));
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    QVERIFY(validated.wait());
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
    to->setFocus();
    to->end(false);
    QTest::keyClicks(to, QStringLiteral("; 0401112223"));
    const RecipientList list = edit.to();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0), contact);
    QCOMPARE(list.at(1).value(Tollis::RecipientAddress).toString(), QStringLiteral("0401112223"));
    QCOMPARE(validityOf(list.at(1)), int(RecipientsEdit::NotValidated));
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    QVERIFY(validated.wait());
    QVERIFY(validated.at(0).at(0).toBool());
}

void TestRecipientsEdit::invalidEntryInCcFailsTheWhole()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::PhoneNumber, false);
    edit.setTo(entries({QStringLiteral("+358401234567")}));
    edit.setCc(entries({QStringLiteral("nobody")}));
    edit.setBcc(entries({QStringLiteral("0401112223")}));
    QSignalSpy validated(&edit, &RecipientsEdit::validated);
    edit.validate();
    QVERIFY(validated.wait());
    QVERIFY(!validated.at(0).at(0).toBool());
    QCOMPARE(validityOf(edit.to().value(0)), int(RecipientsEdit::Valid));
    QCOMPARE(validityOf(edit.cc().value(0)), int(RecipientsEdit::Invalid));
    QCOMPARE(validityOf(edit.bcc().value(0)), int(RecipientsEdit::Valid));
}

void TestRecipientsEdit::resolveAmbiguousTakesBracketedAddress()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::AnyAddress, false);
    edit.setTo(entries({QStringLiteral("Ann Lee <ann@example.com>"), QStringLiteral("Bob <x>"),
                        QStringLiteral("0401112223")}));
    edit.resolveAmbiguous();
    const RecipientList list = edit.to();
    QCOMPARE(list.at(0).value(Tollis::RecipientAddress).toString(),
             QStringLiteral("ann@example.com"));
    QCOMPARE(list.at(0).value(Tollis::RecipientDisplayText).toString(),
             QStringLiteral("Ann Lee <ann@example.com>"));
    // Not an address in the brackets: left for validation to refuse.
    QCOMPARE(list.at(1).value(Tollis::RecipientAddress).toString(), QStringLiteral("Bob <x>"));
    QCOMPARE(list.at(2).value(Tollis::RecipientAddress).toString(), QStringLiteral("0401112223"));
}

void TestRecipientsEdit::setListsShowInFields()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::AnyAddress, false);
    Recipient bare;
    bare.insert(Tollis::RecipientAddress, QStringLiteral("0401112223"));
    edit.setCc({bare, RecipientsEdit::recipient(QStringLiteral("ann@example.com"))});
    QCOMPARE(edit.field(RecipientsEdit::CcField)->text(),
             QStringLiteral("0401112223; ann@example.com"));
    QCOMPARE(edit.cc().at(0).value(Tollis::RecipientDisplayText).toString(),
             QStringLiteral("0401112223"));
    edit.setCc({});
    QVERIFY(edit.cc().isEmpty());
    QVERIFY(edit.field(RecipientsEdit::CcField)->text().isEmpty());
}

void TestRecipientsEdit::ccBccShownOnRequest()
{
    RecipientsEdit edit(nullptr, RecipientsEdit::AnyAddress, true);
    QVERIFY(!edit.isCcBccShown());
    QVERIFY(!edit.field(RecipientsEdit::CcField)->isVisibleTo(&edit));
    edit.showCcBcc(true);
    QVERIFY(edit.isCcBccShown());
    QVERIFY(edit.field(RecipientsEdit::CcField)->isVisibleTo(&edit));
    QVERIFY(edit.field(RecipientsEdit::BccField)->isVisibleTo(&edit));
    edit.attachToolbar(7);
    QCOMPARE(edit.attachedToolbar(), 7);
}

void TestRecipientsEdit::metaShortcutsReachTheEditor()
{
    ShortcutEdit edit(nullptr, RecipientsEdit::AnyAddress, false);
    QLineEdit* to = edit.field(RecipientsEdit::ToField);
    QTest::keyClick(to, Qt::Key_K, Qt::MetaModifier);
    QCOMPARE(edit.keys, QList<int>{Qt::Key_K});
    QVERIFY(to->text().isEmpty());
    // Everything else is typed as usual.
    QTest::keyClick(to, Qt::Key_K);
    QCOMPARE(to->text(), QStringLiteral("k"));
    QCOMPARE(edit.keys.size(), 1);
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
    const RecipientList list = edit.to();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1).value(Tollis::RecipientAddress).toString(),
             QStringLiteral("+358401234567"));
    QCOMPARE(edit.field(RecipientsEdit::ToField)->text(), QStringLiteral("112; +358401234567"));
}

QTEST_MAIN(TestRecipientsEdit)
#include "tst_recipientsedit.moc"
