#include "historystore.h"
#include "recipientsedit.h"
#include "testcontacts.h"

#include <QContactManager>
#include <QInputDialog>
#include <QLineEdit>
#include <QStandardPaths>
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

} // namespace

class TestRecipientsEdit : public QObject
{
    Q_OBJECT

    QContactManager m_contacts{QStringLiteral("memory"),
                               {{QStringLiteral("id"), QStringLiteral("tst_recipientsedit")}}};

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
        QTest::addRow("letters") << "Ann" << phone << false;
        QTest::addRow("e-mail, phones only") << "ann@example.com" << phone << false;
        QTest::addRow("e-mail, any") << "ann@example.com" << any << true;
        QTest::addRow("phone, any") << "040 123 4567" << any << true;
        QTest::addRow("e-mail without domain dot") << "ann@example" << any << false;
        QTest::addRow("two at signs") << "ann@b@example.com" << any << false;
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

    void contactNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("addressType");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("validatedAddress");
        QTest::addColumn<QString>("resolvedAddress");
        QTest::addColumn<QString>("displayText");
        const int phone = RecipientsEdit::PhoneNumber;
        const int any = RecipientsEdit::AnyAddress;
        QTest::addRow("one number") << "Ann Lee" << phone << true << "+358401234567"
                                    << QString("+358401234567") << QString("Ann Lee");
        QTest::addRow("any case") << "ann lee" << phone << true << "+358401234567"
                                  << QString("+358401234567") << QString("Ann Lee");
        // Which number is for resolveAmbiguous() to settle: the first.
        QTest::addRow("two numbers") << "Carl Berg" << phone << true << "Carl Berg"
                                     << QString("0501111111") << QString("Carl Berg");
        QTest::addRow("two contacts of the name")
            << "Bob" << phone << false << "Bob" << QString("Bob") << QString("Bob");
        QTest::addRow("no address of the kind")
            << "Eve" << phone << false << "Eve" << QString("Eve") << QString("Eve");
        QTest::addRow("e-mail allowed") << "Eve" << any << true << "eve@example.com"
                                        << QString("eve@example.com") << QString("Eve");
        QTest::addRow("nobody") << "Zed" << any << false << "Zed" << QString("Zed")
                                << QString("Zed");
    }

    void contactNames()
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
        const RecipientList list = edit.to();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0), contact);
        QCOMPARE(addressOf(list.at(1)), QStringLiteral("0401112223"));
        QVERIFY(validate(edit));
    }

    void invalidEntryInCcFailsTheWhole()
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
};

QTEST_MAIN(TestRecipientsEdit)
#include "tst_recipientsedit.moc"
