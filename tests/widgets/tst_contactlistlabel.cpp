#include "contactlistlabel.h"
#include "contactlocalid.h"
#include "contactmanagers.h"
#include "testcontacts.h"

#include <QContactExtendedDetail>
#include <QtTest>

using namespace QtContacts;

// Addresses turn into links to the one stored contact that owns them, one
// address after the other, on the process-wide "memory" contacts store.
class TstContactListLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void shownTextBeforeResolving();
    void resolving_data();
    void resolving();
    void everyPassEndsWithOneSignal();
    void emptyListIsResolvedAtOnce();
    void unmatchedAddressIsLogged();
    void originalStoreIdIsTheLinkTarget();
    void newListDropsTheRunningSearch();
    void labelsResolveOneAfterAnother();

private:
    QString expandIds(QString text) const;
    static void resolve(ContactListLabel& label);

    QSharedPointer<QContactManager> m_manager;
    QMap<QString, quint32> m_ids;
};

void TstContactListLabel::initTestCase()
{
    m_manager = mmsui::utils::getContactManager();
    QVERIFY(m_manager);
    const QList<QPair<QString, QContact>> contacts{
        {"anna", testContact("Anna", "Berg", "+358401111111", "anna@example.com")},
        {"carl", testContact("Carl", "Dahl", "+358402222222", "carl@example.com")},
        {"twin1", testContact("Ed", "Twin", "+358403333333")},
        {"twin2", testContact("Ida", "Twin", "+358403333333")},
        {"percent", testContact("50%1", "%2 off", "+358404444444")},
        {"markup", testContact("<b>Eve", "&Co", "+358405555555")},
    };
    for (auto entry : contacts) {
        QVERIFY(m_manager->saveContact(&entry.second));
        m_ids.insert(entry.first, ContactLocalId::fromContactId(entry.second.id()));
    }
}

void TstContactListLabel::cleanupTestCase()
{
    m_manager->removeContacts(m_manager->contactIds());
}

// "{anna}" stands for Anna's local id.
QString TstContactListLabel::expandIds(QString text) const
{
    for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it)
        text.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'), QString::number(it.value()));
    return text;
}

void TstContactListLabel::resolve(ContactListLabel& label)
{
    QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
    label.startContactResolving();
    QVERIFY(resolved.count() == 1 || resolved.wait());
}

void TstContactListLabel::shownTextBeforeResolving()
{
    ContactListLabel label;
    label.setAddressList({"+358401111111", "nobody@example.com"});
    QCOMPARE(label.text(), QStringLiteral("+358401111111; nobody@example.com"));
}

void TstContactListLabel::resolving_data()
{
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every address resolved")
        << QStringList{"+358401111111", "carl@example.com"}
        << "<a href=\"{anna}\">Anna Berg</a>; <a href=\"{carl}\">Carl Dahl</a>";
    QTest::newRow("two contacts share the number, the next is tried")
        << QStringList{"+358403333333", "anna@example.com"}
        << "+358403333333; <a href=\"{anna}\">Anna Berg</a>";
    QTest::newRow("unknown address stays plain")
        << QStringList{"nobody@example.com", "+358402222222"}
        << "nobody@example.com; <a href=\"{carl}\">Carl Dahl</a>";
    QTest::newRow("unknown address after a resolved one stays plain")
        << QStringList{"+358401111111", "nobody@example.com"}
        << "<a href=\"{anna}\">Anna Berg</a>; nobody@example.com";
    QTest::newRow("e-mail matches exactly only")
        << QStringList{"ANNA@example.com.org"} << "ANNA@example.com.org";
    QTest::newRow("percent signs in names stay literal")
        << QStringList{"+358404444444"} << "<a href=\"{percent}\">50%1 %2 off</a>";
    QTest::newRow("markup in names is shown as text")
        << QStringList{"+358405555555"} << "<a href=\"{markup}\">&lt;b&gt;Eve &amp;Co</a>";
}

void TstContactListLabel::resolving()
{
    QFETCH(QStringList, addresses);
    QFETCH(QString, expected);

    ContactListLabel label;
    label.setAddressList(addresses);
    resolve(label);
    QCOMPARE(label.text(), expandIds(expected));
    QCOMPARE(label.addressList().join("; "), label.text());
}

void TstContactListLabel::everyPassEndsWithOneSignal()
{
    ContactListLabel label;
    label.setAddressList({"+358401111111", "+358403333333", "carl@example.com"});
    QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
    label.startContactResolving();
    QVERIFY(resolved.wait());
    // Late answers would show up as further signals once events run.
    QCoreApplication::processEvents();
    QCOMPARE(resolved.count(), 1);
}

void TstContactListLabel::emptyListIsResolvedAtOnce()
{
    ContactListLabel label;
    label.setAddressList({});
    QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
    label.startContactResolving();
    QCOMPARE(resolved.count(), 1);
    QCOMPARE(label.text(), QString());
}

void TstContactListLabel::unmatchedAddressIsLogged()
{
    ContactListLabel label;
    label.setAddressList({"+358403333333"});
    QTest::ignoreMessage(QtDebugMsg,
                         "[MMS-VIEWER-CONTACT] Searching contact for address: \"+358403333333\"");
    QTest::ignoreMessage(QtDebugMsg, "[MMS-VIEWER-CONTACT] Address not resolved, contacts count 2");
    resolve(label);
}

void TstContactListLabel::originalStoreIdIsTheLinkTarget()
{
    QContact aggregate = testContact("Olga", "Ek", "+358406666666");
    QContactExtendedDetail original;
    original.setName("OriginalContactId");
    original.setData(QVariantMap{{"OriginalContactIdField", 4242}});
    aggregate.saveDetail(&original);
    QVERIFY(m_manager->saveContact(&aggregate));

    ContactListLabel label;
    label.setAddressList({"+358406666666"});
    resolve(label);
    QCOMPARE(label.text(), QStringLiteral("<a href=\"4242\">Olga Ek</a>"));
    QVERIFY(m_manager->removeContact(aggregate.id()));
}

void TstContactListLabel::newListDropsTheRunningSearch()
{
    ContactListLabel label;
    label.setAddressList({"+358401111111"});
    label.startContactResolving();
    label.setAddressList({"nobody@example.com", "+358402222222"});
    resolve(label);
    QCOMPARE(label.text(), expandIds("nobody@example.com; <a href=\"{carl}\">Carl Dahl</a>"));
}

void TstContactListLabel::labelsResolveOneAfterAnother()
{
    ContactListLabel to;
    ContactListLabel cc;
    to.setAddressList({"+358401111111"});
    cc.setAddressList({"carl@example.com"});
    connect(&to, &ContactListLabel::contactsResolved, &cc,
            &ContactListLabel::startContactResolving);
    QSignalSpy ccResolved(&cc, &ContactListLabel::contactsResolved);
    to.startContactResolving();
    QVERIFY(ccResolved.wait());
    QCOMPARE(to.text(), expandIds("<a href=\"{anna}\">Anna Berg</a>"));
    QCOMPARE(cc.text(), expandIds("<a href=\"{carl}\">Carl Dahl</a>"));
}

QTEST_MAIN(TstContactListLabel)
#include "tst_contactlistlabel.moc"
