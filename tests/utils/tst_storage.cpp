#include "storage.h"

#include <QTemporaryDir>
#include <QtTest>

// Free space before writing a message, and the private storage test.
class TstStorage : public QObject
{
    Q_OBJECT

private slots:
    void freeSpaceLimit_data();
    void freeSpaceLimit();
    void freeSpaceLogsItsNumbers();
    void freeSpaceOfThisMachine();
    void freshHomeWithoutMessageStore();
    void unreachableHomeGivesFalse();
    void ordinaryFileIsNotPrivate();
    void missingFileIsNotPrivate();
};

void TstStorage::freeSpaceLimit_data()
{
    QTest::addColumn<quint64>("blocks");
    QTest::addColumn<quint64>("blockSize");
    QTest::addColumn<bool>("enough");

    QTest::newRow("nothing") << quint64(0) << quint64(4096) << false;
    QTest::newRow("exactly 150 MiB") << quint64(157286400) << quint64(1) << false;
    QTest::newRow("one byte more") << quint64(157286401) << quint64(1) << true;
    QTest::newRow("exactly 150 MiB in 4 KiB blocks") << quint64(38400) << quint64(4096) << false;
    QTest::newRow("one block more") << quint64(38401) << quint64(4096) << true;
    // The product would wrap in 32 bits.
    QTest::newRow("4 GiB and a block") << quint64(1048577) << quint64(4096) << true;
    QTest::newRow("16 GiB") << quint64(4194304) << quint64(4096) << true;
    QTest::newRow("no block size") << quint64(1000000) << quint64(0) << false;
}

void TstStorage::freeSpaceLimit()
{
    QFETCH(quint64, blocks);
    QFETCH(quint64, blockSize);
    QFETCH(bool, enough);
    if (!enough)
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[MMS-UI\\] No free space available"));
    QCOMPARE(mmsui::utils::isFreeSpaceEnough(blocks, blockSize), enough);
}

void TstStorage::freeSpaceLogsItsNumbers()
{
    QTest::ignoreMessage(QtWarningMsg, "[MMS-UI] No free space available ( 157286400 bytes free)");
    QVERIFY(!mmsui::utils::isFreeSpaceEnough(38400, 4096));
    QTest::ignoreMessage(QtDebugMsg,
                         "[MMS-UI] freeSpaceAvailable avail=4294971392, limit=157286400 result=1");
    QVERIFY(mmsui::utils::isFreeSpaceEnough(1048577, 4096));
}

// The build machine has more than 150 MiB free where the tests run.
void TstStorage::freeSpaceOfThisMachine()
{
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkdir(".mms"));
    qputenv("HOME", home.path().toUtf8());
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression("^\\[MMS-UI\\] freeSpaceAvailable avail=[0-9]+, "
                                            "limit=157286400 result=1$"));
    QVERIFY(mmsui::utils::freeSpaceAvailable());
}

// No message has been written yet: the home's file system still has the room.
void TstStorage::freshHomeWithoutMessageStore()
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QVERIFY(mmsui::utils::freeSpaceAvailable());
}

void TstStorage::unreachableHomeGivesFalse()
{
    QTemporaryDir parent;
    qputenv("HOME", parent.filePath("gone").toUtf8());
    QTest::ignoreMessage(QtCriticalMsg, "[MMS-UI] freeSpaceAvailable unable to get info (err=-1)");
    QVERIFY(!mmsui::utils::freeSpaceAvailable());
}

void TstStorage::ordinaryFileIsNotPrivate()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(file.fileName()));
    QCOMPARE(mmsui::utils::privateStorageFolder, QStringLiteral(".mms/private"));
}

void TstStorage::missingFileIsNotPrivate()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing");
    QTest::ignoreMessage(
        QtWarningMsg,
        QStringLiteral("Call to \"statfs\" failed on file \"%1\"").arg(missing).toUtf8());
    QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(missing));
}

QTEST_GUILESS_MAIN(TstStorage)
#include "tst_storage.moc"
