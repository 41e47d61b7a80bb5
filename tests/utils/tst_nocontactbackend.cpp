#include "contactmanagers.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;

// With no back-end plug-in to load, the contacts library still lists its null
// back-end "invalid"; the helpers must behave as when nothing is listed.
class TstNoContactBackEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheNullBackEndIsListed();
    void createContactManagerGivesNull();
    void sharedHandleStaysNull();
    void matchContactByKeywordFails();

private:
    QTemporaryDir m_emptyPluginFolder;
};

void TstNoContactBackEnd::initTestCase()
{
    QVERIFY(m_emptyPluginFolder.isValid());
    QCoreApplication::setLibraryPaths({m_emptyPluginFolder.path()});
}

void TstNoContactBackEnd::onlyTheNullBackEndIsListed()
{
    QCOMPARE(QContactManager::availableManagers(), QStringList("invalid"));
    QVERIFY(mmsui::utils::usableContactManagers().isEmpty());
}

void TstNoContactBackEnd::createContactManagerGivesNull()
{
    QTest::ignoreMessage(QtDebugMsg, "[MMS-UTILS] Available contact managers: \"invalid\"");
    QTest::ignoreMessage(QtCriticalMsg, "[MMS-UTILS] Can't find Available Conatact Managers");
    QObject parent;
    QVERIFY(!mmsui::utils::createContactManager(&parent));
    QVERIFY(parent.children().isEmpty());
}

void TstNoContactBackEnd::sharedHandleStaysNull()
{
    QTest::ignoreMessage(QtCriticalMsg, "[MMS-UTILS] Can't find Available Conatact Managers");
    QVERIFY(mmsui::utils::getContactManager().isNull());
    QVERIFY(mmsui::utils::getContactManager().isNull());
}

void TstNoContactBackEnd::matchContactByKeywordFails()
{
    QTest::ignoreMessage(QtCriticalMsg, "[MMS-UI] Can't find Available Conatact Managers");
    QContactId id;
    QString first = QStringLiteral("untouched");
    QString last;
    QVERIFY(!mmsui::utils::matchContactByKeyword("+358401111111", id, first, last));
    QCOMPARE(first, QStringLiteral("untouched"));
}

QTEST_GUILESS_MAIN(TstNoContactBackEnd)
#include "tst_nocontactbackend.moc"
