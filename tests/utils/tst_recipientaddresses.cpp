#include "recipientaddresses.h"

#include <QContactPhoneNumber>
#include <QtTest>

using namespace QtContacts;
using RecipientRoles = Tollis::Recipient;

Q_DECLARE_METATYPE(QList<RecipientRoles>)

// Addresses from the entries of the recipients editor.
class TstRecipientAddresses : public QObject
{
    Q_OBJECT

private slots:
    void fromRecipients_data()
    {
        QTest::addColumn<QList<RecipientRoles>>("recipients");
        QTest::addColumn<bool>("resolvedOnly");
        QTest::addColumn<bool>("phoneOnly");
        QTest::addColumn<QStringList>("expected");

        const QList<RecipientRoles> mixed{
            typed("+111", 1),
            typed("", 1),
            typed("pending@example.org", 0),
            contactEntry("Anna Berg", 1, "+222"),
            contactEntry("Bo Lind", 1, ""),
            RecipientRoles{{0, "Cai"}, {1, 1}, {8, 1}},
            typed("+111", 1),
        };
        QTest::newRow("everything")
            << mixed << false << false
            << QStringList{"+111", "pending@example.org", "Anna Berg", "Bo Lind", "Cai", "+111"};
        QTest::newRow("resolved only")
            << mixed << true << false << QStringList{"+111", "Anna Berg", "Bo Lind", "Cai", "+111"};
        QTest::newRow("phone only")
            << mixed << false << true << QStringList{"+111", "pending@example.org", "+222", "+111"};
        QTest::newRow("resolved phones")
            << mixed << true << true << QStringList{"+111", "+222", "+111"};
        QTest::newRow("validity other than 1")
            << QList<RecipientRoles>{typed("+333", 2), RecipientRoles{{0, "+444"}}} << true << false
            << QStringList();
        QTest::newRow("no recipients") << QList<RecipientRoles>() << true << true << QStringList();
    }
    void fromRecipients()
    {
        QFETCH(QList<RecipientRoles>, recipients);
        QFETCH(bool, resolvedOnly);
        QFETCH(bool, phoneOnly);
        QFETCH(QStringList, expected);
        QCOMPARE(mmsui::utils::fromRecipients(recipients, resolvedOnly, phoneOnly), expected);
    }

private:
    RecipientRoles typed(const QString& address, int valid)
    {
        return RecipientRoles{{0, address}, {8, valid}};
    }

    RecipientRoles contactEntry(const QString& address, int valid, const QString& phone)
    {
        QContact contact;
        QContactPhoneNumber number;
        number.setNumber(phone);
        contact.saveDetail(&number);
        return RecipientRoles{{0, address}, {1, 1}, {6, QVariant::fromValue(contact)}, {8, valid}};
    }
};

QTEST_GUILESS_MAIN(TstRecipientAddresses)
#include "tst_recipientaddresses.moc"
