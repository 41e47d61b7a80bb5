#include "contactlocalid.h"
#include "contactsgui.h"
#include "testcontacts.h"

#include <QContactManager>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QLabel>
#include <QtTest>

using namespace QtContacts;

namespace {

QStringList shownTexts(const ContactsGui* card)
{
    QStringList texts;
    for (const QLabel* label : card->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

// The contacts application's card view, opened for a stored contact's number and for a new
// contact; the contact-card widget's test opens it for a contact read from a file.
class TstContactsGui : public QObject
{
    Q_OBJECT
private slots:
    // A stored contact's card opens by its local id, the link target of a number.
    void opensStoredContact_data()
    {
        QTest::addColumn<bool>("withManager");
        QTest::addColumn<int>("localId");
        QTest::addColumn<QString>("shownName");
        QTest::addRow("stored") << true << -1 << "Carl";
        QTest::addRow("not stored") << true << 999 << "";
        QTest::addRow("no contact") << true << 0 << "";
        QTest::addRow("no store") << false << 1 << "";
    }

    void opensStoredContact()
    {
        QFETCH(bool, withManager);
        QFETCH(int, localId);
        QFETCH(QString, shownName);
        QContactManager manager("memory");
        QContact carl = testContact("Carl", "", "");
        QVERIFY(manager.saveContact(&carl));
        const uint id = localId < 0 ? ContactLocalId::fromContactId(carl.id()) : uint(localId);
        if (shownName.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No stored contact"));
        QScopedPointer<ContactsGui> card(
            ContactsGui::showContactCard(withManager ? &manager : nullptr, id));
        QCOMPARE(card ? card->shownName() : QString(), shownName);
    }

    void newContactHasThePhoneNumber()
    {
        QScopedPointer<ContactsGui> card(ContactsGui::showNewContactCard("+358402222222"));
        // Its openers leave it to close itself.
        QVERIFY(card->isVisible() && card->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(card->contact().id().isNull());
        QCOMPARE(card->contact().detail<QContactPhoneNumber>().number(),
                 QStringLiteral("+358402222222"));
        QVERIFY(shownTexts(card.data()).contains("+358402222222"));
    }

    void localIdsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("localId");
        QTest::addRow("link target") << "42" << 42u;
        QTest::addRow("not a number") << "4x2" << 0u;
        QTest::addRow("negative") << "-1" << 0u;
        QTest::addRow("empty") << "" << 0u;
    }

    void localIdsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(uint, localId);
        QCOMPARE(ContactLocalId::fromText(text), localId);
        const QContactId id = ContactLocalId::toContactId("qtcontacts:memory:", localId);
        QCOMPARE(id.isNull(), localId == 0);
        QCOMPARE(ContactLocalId::fromContactId(id), localId);
    }
};

QTEST_MAIN(TstContactsGui)
#include "tst_contactsgui.moc"
