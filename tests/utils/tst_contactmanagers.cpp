#include "contactmanagers.h"
#include "testcontacts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;
using Parameters = QMap<QString, QString>;

// Back-end selection, the aggregating back-end's parameters from the e-mail
// accounts, and the keyword search on the "memory" back-end.
class TstContactManagers : public QObject
{
    Q_OBJECT

private slots:
    // A private, empty accounts database.
    void initTestCase()
    {
        m_contacts = mmsui::utils::keywordContactManager();
        QCOMPARE(m_contacts->managerName(), QStringLiteral("memory"));
        qputenv("ACCOUNTS", m_dir.path().toUtf8());
    }

    void cleanup() { m_contacts->removeContacts(m_contacts->contactIds()); }

    void preferenceOrder_data()
    {
        QTest::addColumn<QStringList>("usable");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("contactTypes");

        const auto row = [](const char* name, const QStringList& usable, const char* expected,
                            bool contactTypes) {
            QTest::newRow(name) << usable << QString(expected) << contactTypes;
        };
        row("all three: aggregated", {"tracker", "activesync", "aggregated"}, "aggregated", false);
        row("tracker and activesync, no aggregated", {"activesync", "tracker"}, "tracker", true);
        row("aggregated and tracker, no activesync", {"aggregated", "tracker"}, "tracker", true);
        row("activesync only", {"memory", "activesync"}, "activesync", false);
        row("names are case-sensitive", {"memory", "Tracker", "ActiveSync"}, "memory", false);
    }
    void preferenceOrder()
    {
        QFETCH(QStringList, usable);
        QFETCH(QString, expected);
        QFETCH(bool, contactTypes);
        const mmsui::utils::ContactManagerChoice choice =
            mmsui::utils::chooseContactManager(usable);
        QCOMPARE(choice.name, expected);
        if (contactTypes)
            QCOMPARE(choice.parameters, (Parameters{{"contact-types", "contact"}}));
        else if (expected != QLatin1String("aggregated"))
            QVERIFY(choice.parameters.isEmpty());
        else
            QCOMPARE(choice.parameters.lastKey(), QStringLiteral("scm0"));
    }

    // Never the null back-end "invalid", which the contacts library always lists; the shared handle
    // is made once.
    void createdHandleIsTheUsableBackEnd()
    {
        QVERIFY(QContactManager::availableManagers().contains("invalid"));
        QVERIFY(!mmsui::utils::usableContactManagers().contains("invalid"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMS-UTILS\\] Available contact "
                                                            "managers: (\"[a-z]+\"(, )?)+$"));
        QTest::ignoreMessage(QtDebugMsg,
                             "[MMS-UTILS] Created QContactsManager with name: \"memory\"");
        QObject parent;
        QContactManager* manager = mmsui::utils::createContactManager(&parent);
        QVERIFY(manager);
        QCOMPARE(manager->managerName(), QStringLiteral("memory"));
        QCOMPARE(manager->parent(), &parent);
        const QSharedPointer<QContactManager> shared = mmsui::utils::getContactManager();
        QVERIFY(shared);
        QCOMPARE(mmsui::utils::getContactManager(), shared);
    }

    // Tracker alone without e-mail accounts.
    void aggregatedParametersWithoutAccounts()
    {
        Parameters tracker{{"contact-types", "contact"}};
        QTest::ignoreMessage(
            QtDebugMsg,
            "[getAllContactManagersParams::getAllContactManagersParams] have 0 accounts");
        QCOMPARE(mmsui::utils::getAllContactManagersParams(tracker),
                 (Parameters{{"scm0", QContactManager::buildUri("tracker", tracker, -1)}}));
    }

    void matchContactByKeyword_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("found");
        QTest::newRow("no match") << "+358409999999" << false;
        QTest::newRow("one phone match") << "+358401111111" << true;
        QTest::newRow("phone match ignores formatting") << "+358 40 111 1111" << true;
        QTest::newRow("one e-mail match") << "anna@example.org" << true;
        QTest::newRow("e-mail must match exactly") << "anna@example" << false;
        QTest::newRow("two share a number") << "+358402222222" << false;
    }
    void matchContactByKeyword()
    {
        QFETCH(QString, keyword);
        QFETCH(bool, found);
        const QContact anna = saveContact("Anna", "Berg", "+358401111111", "anna@example.org");
        saveContact("Bo", "Lind", "+358402222222", "bo@example.org");
        saveContact("Cai", "Lind", "+358402222222", "cai@example.org");

        QContactId id;
        QString first = "untouched", last = "untouched";
        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression("^Matching contacts number: [0-9]+ for keyword:"));
        QCOMPARE(mmsui::utils::matchContactByKeyword(keyword, id, first, last), found);
        QCOMPARE(id, found ? anna.id() : QContactId());
        QCOMPARE(QStringList({first, last}),
                 found ? QStringList({"Anna", "Berg"}) : QStringList({"untouched", "untouched"}));
    }

private:
    QContact saveContact(const QString& first, const QString& last, const QString& phone,
                         const QString& email)
    {
        QContact contact = testContact(first, last, phone, email);
        m_contacts->saveContact(&contact);
        return contact;
    }

    QTemporaryDir m_dir;
    QContactManager* m_contacts = nullptr;
};

QTEST_GUILESS_MAIN(TstContactManagers)
#include "tst_contactmanagers.moc"
