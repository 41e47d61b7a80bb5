#include "contactmanagers.h"
#include "testcontacts.h"

#include <Accounts/Account>
#include <Accounts/Manager>
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
    // A provider with an e-mail service and one with a chat service, in a private accounts
    // database.
    void initTestCase()
    {
        m_contacts = mmsui::utils::keywordContactManager();
        QVERIFY(m_contacts);
        QCOMPARE(m_contacts->managerName(), QStringLiteral("memory"));
        QVERIFY(m_dir.isValid());
        for (const char* variable : {"ACCOUNTS", "AG_PROVIDERS", "AG_SERVICES"}) {
            const QString folder = m_dir.filePath(variable);
            QVERIFY(QDir().mkpath(folder));
            qputenv(variable, folder.toUtf8());
        }
        const QMap<QString, QByteArray> files{
            {"AG_PROVIDERS/mailhost.provider",
             "<provider id=\"mailhost\"><name>Mail host</name></provider>"},
            {"AG_PROVIDERS/chathost.provider",
             "<provider id=\"chathost\"><name>Chat host</name></provider>"},
            {"AG_SERVICES/mailhost-mail.service",
             "<service id=\"mailhost-mail\"><type>e-mail</type><name>Mail</name>"
             "<provider>mailhost</provider></service>"},
            {"AG_SERVICES/chathost-chat.service",
             "<service id=\"chathost-chat\"><type>IM</type>"
             "<name>Chat</name><provider>chathost</provider></service>"}};
        for (auto file = files.begin(); file != files.end(); ++file) {
            QFile out(m_dir.filePath(file.key()));
            QVERIFY(out.open(QIODevice::WriteOnly) &&
                    out.write(file.value()) == file.value().size());
        }
    }

    void cleanup() { m_contacts->removeContacts(m_contacts->contactIds()); }

    void preferenceOrder_data()
    {
        QTest::addColumn<QStringList>("usable");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("contactTypes");

        QTest::newRow("all three: aggregated")
            << QStringList{"tracker", "activesync", "aggregated", "memory"} << "aggregated"
            << false;
        QTest::newRow("tracker and activesync, no aggregated")
            << QStringList{"activesync", "tracker"} << "tracker" << true;
        QTest::newRow("aggregated and tracker, no activesync")
            << QStringList{"aggregated", "tracker"} << "tracker" << true;
        QTest::newRow("activesync only")
            << QStringList{"memory", "activesync"} << "activesync" << false;
        QTest::newRow("names are case-sensitive")
            << QStringList{"memory", "Tracker", "ActiveSync"} << "memory" << false;
        QTest::newRow("first listed") << QStringList{"memory", "other"} << "memory" << false;
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

    // Tracker alone without accounts; an ActiveSync back-end per e-mail account before it.
    void aggregatedParametersFollowAccountIds()
    {
        Parameters tracker{{"contact-types", "contact"}};
        QTest::ignoreMessage(
            QtDebugMsg,
            "[getAllContactManagersParams::getAllContactManagersParams] have 0 accounts");
        QCOMPARE(mmsui::utils::getAllContactManagersParams(tracker),
                 (Parameters{{"scm0", QContactManager::buildUri("tracker", tracker, -1)}}));

        // Set up as an accounts application would: the account with its service enabled.
        Accounts::Manager accounts;
        QList<Accounts::AccountId> mailIds;
        for (const char* provider : {"mailhost", "chathost", "mailhost"}) {
            Accounts::Account* account = accounts.createAccount(provider);
            const Accounts::ServiceList services = account->services();
            QCOMPARE(services.size(), 1);
            account->selectService(services.first());
            account->setEnabled(true);
            QVERIFY(account->syncAndBlock());
            if (services.first().serviceType() == QLatin1String("e-mail"))
                mailIds << account->id();
        }
        QCOMPARE(mailIds.size(), 2);
        QVERIFY(mailIds.first() < mailIds.last());
        const Parameters managers = mmsui::utils::getAllContactManagersParams(tracker);
        QCOMPARE(managers.keys(), (QStringList{"scm0", "scm1", "scm2"}));
        for (int i = 0; i < 2; ++i) {
            const Parameters account{{"accountId", QString::number(mailIds.at(i))}};
            QCOMPARE(managers.value(QStringLiteral("scm%1").arg(i)),
                     QContactManager::buildUri("activesync", account, -1));
        }
        QCOMPARE(managers.value("scm2"), QContactManager::buildUri("tracker", tracker, -1));
    }

    void matchContactByKeyword_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("firstName");

        QTest::newRow("no match") << "+358409999999" << false << "";
        QTest::newRow("one phone match") << "+358401111111" << true << "Anna";
        QTest::newRow("phone match ignores formatting") << "+358 40 111 1111" << true << "Anna";
        QTest::newRow("one e-mail match") << "anna@example.org" << true << "Anna";
        QTest::newRow("e-mail must match exactly") << "anna@example" << false << "";
        QTest::newRow("two share a number") << "+358402222222" << false << "";
    }
    void matchContactByKeyword()
    {
        QFETCH(QString, keyword);
        QFETCH(bool, found);
        QFETCH(QString, firstName);
        const QContact anna = saveContact("Anna", "Berg", "+358401111111", "anna@example.org");
        saveContact("Bo", "Lind", "+358402222222", "bo@example.org");
        saveContact("Cai", "Lind", "+358402222222", "cai@example.org");

        QContactId id;
        QString first = QStringLiteral("untouched");
        QString last = QStringLiteral("untouched");
        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression("^Matching contacts number: [0-9]+ for keyword:"));
        QCOMPARE(mmsui::utils::matchContactByKeyword(keyword, id, first, last), found);
        if (found) {
            QCOMPARE(id, anna.id());
            QCOMPARE(first, firstName);
            QCOMPARE(last, QStringLiteral("Berg"));
        } else {
            QVERIFY(id.isNull());
            QCOMPARE(first, QStringLiteral("untouched"));
            QCOMPARE(last, QStringLiteral("untouched"));
        }
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
