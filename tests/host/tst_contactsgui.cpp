#include "contactlocalid.h"
#include "contactsgui.h"

#include <QContactManager>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QLabel>
#include <QtTest>

using namespace QtContacts;

// The contacts application's card view, opened for a contact, for a stored
// contact's number, and for a new contact.
class TstContactsGui : public QObject
{
    Q_OBJECT

private slots:
    void showsTheContact();
    void opensStoredContactByNumber();
    void unknownNumberOpensNothing_data();
    void unknownNumberOpensNothing();
    void newContactHasThePhoneNumber();
    void localIdsRoundTrip_data();
    void localIdsRoundTrip();

private:
    static QStringList shownTexts(const ContactsGui* card);
};

QStringList TstContactsGui::shownTexts(const ContactsGui* card)
{
    QStringList texts;
    for (const QLabel* label : card->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

void TstContactsGui::showsTheContact()
{
    QContact contact;
    QContactName name;
    name.setFirstName("Anna");
    name.setLastName("Berg");
    contact.saveDetail(&name);
    QContactPhoneNumber phone;
    phone.setNumber("+358401111111");
    contact.saveDetail(&phone);

    QScopedPointer<ContactsGui> card(ContactsGui::showContactCard(contact));
    QVERIFY(card->isVisible());
    QVERIFY(card->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(card->shownName(), QStringLiteral("Anna Berg"));
    QCOMPARE(shownTexts(card.data()), (QStringList{"Anna Berg", "+358401111111"}));
}

void TstContactsGui::opensStoredContactByNumber()
{
    QContactManager manager("memory");
    QContact contact;
    QContactName name;
    name.setFirstName("Carl");
    contact.saveDetail(&name);
    QVERIFY(manager.saveContact(&contact));

    const quint32 localId = ContactLocalId::fromContactId(contact.id());
    QVERIFY(localId != 0);
    QScopedPointer<ContactsGui> card(ContactsGui::showContactCard(&manager, localId));
    QVERIFY(card);
    QCOMPARE(card->contact().id(), contact.id());
    QCOMPARE(card->shownName(), QStringLiteral("Carl"));
}

void TstContactsGui::unknownNumberOpensNothing_data()
{
    QTest::addColumn<bool>("withManager");
    QTest::addColumn<uint>("localId");
    QTest::newRow("not stored") << true << 999u;
    QTest::newRow("no contact") << true << 0u;
    QTest::newRow("no store") << false << 1u;
}

void TstContactsGui::unknownNumberOpensNothing()
{
    QFETCH(bool, withManager);
    QFETCH(uint, localId);
    QContactManager manager("memory");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No stored contact"));
    QVERIFY(!ContactsGui::showContactCard(withManager ? &manager : nullptr, localId));
}

void TstContactsGui::newContactHasThePhoneNumber()
{
    QScopedPointer<ContactsGui> card(ContactsGui::showNewContactCard("+358402222222"));
    QVERIFY(card->contact().id().isNull());
    QCOMPARE(card->contact().detail<QContactPhoneNumber>().number(),
             QStringLiteral("+358402222222"));
    QVERIFY(shownTexts(card.data()).contains("+358402222222"));
}

void TstContactsGui::localIdsRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("localId");
    QTest::newRow("link target") << "42" << 42u;
    QTest::newRow("not a number") << "4x2" << 0u;
    QTest::newRow("negative") << "-1" << 0u;
    QTest::newRow("empty") << "" << 0u;
}

void TstContactsGui::localIdsRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(uint, localId);
    QCOMPARE(ContactLocalId::fromText(text), localId);
    const QContactId id = ContactLocalId::toContactId("qtcontacts:memory:", localId);
    QCOMPARE(id.isNull(), localId == 0);
    QCOMPARE(ContactLocalId::fromContactId(id), localId);
}

QTEST_MAIN(TstContactsGui)
#include "tst_contactsgui.moc"
