#include "contactmanagers.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;

// With no back-end plug-in to load, the contacts library still lists its null back-end
// "invalid"; the helpers must behave as when nothing is listed.
class TstNoContactBackEnd : public QObject
{
    Q_OBJECT

private slots:
    void everyHelperFindsNothing()
    {
        QTemporaryDir emptyPluginFolder;
        QCoreApplication::setLibraryPaths({emptyPluginFolder.path()});
        QCOMPARE(QContactManager::availableManagers(), QStringList("invalid"));
        QVERIFY(mmsui::utils::usableContactManagers().isEmpty());
        const char* none = "[MMS-UTILS] Can't find Available Conatact Managers";
        QTest::ignoreMessage(QtDebugMsg, "[MMS-UTILS] Available contact managers: \"invalid\"");
        QTest::ignoreMessage(QtCriticalMsg, none);
        QObject parent;
        QVERIFY(!mmsui::utils::createContactManager(&parent));
        QVERIFY(parent.children().isEmpty());
        QTest::ignoreMessage(QtCriticalMsg, none);
        QVERIFY(mmsui::utils::getContactManager().isNull());
        QVERIFY(mmsui::utils::getContactManager().isNull());
        QTest::ignoreMessage(QtCriticalMsg, "[MMS-UI] Can't find Available Conatact Managers");
        QContactId id;
        QString first = QStringLiteral("untouched");
        QString last;
        QVERIFY(!mmsui::utils::matchContactByKeyword("+358401111111", id, first, last));
        QCOMPARE(first, QStringLiteral("untouched"));
    }
};

QTEST_GUILESS_MAIN(TstNoContactBackEnd)
#include "tst_nocontactbackend.moc"
