#include "storage.h"

#include <QTemporaryDir>
#include <QtTest>

// Free space before writing a message, and the private storage test.
class TstStorage : public QObject
{
    Q_OBJECT

private slots:
    // More than 150 MiB, counted in 64 bits.
    void freeSpaceLimit_data()
    {
        QTest::addColumn<quint64>("blocks");
        QTest::addColumn<quint64>("blockSize");
        QTest::addColumn<QString>("log");
        const QString no = "W[MMS-UI] No free space available ( 157286400 bytes free)";
        QTest::newRow("nothing") << quint64(0) << quint64(4096) << "W^\\[MMS-UI\\] No free space";
        QTest::newRow("exactly 150 MiB") << quint64(157286400) << quint64(1) << no;
        QTest::newRow("one byte more") << quint64(157286401) << quint64(1) << "";
        QTest::newRow("exactly 150 MiB in 4 KiB blocks") << quint64(38400) << quint64(4096) << no;
        QTest::newRow("one block more") << quint64(38401) << quint64(4096) << "";
        QTest::newRow("4 GiB and a block, past 32 bits")
            << quint64(1048577) << quint64(4096)
            << "D[MMS-UI] freeSpaceAvailable avail=4294971392, limit=157286400 result=1";
        QTest::newRow("no block size")
            << quint64(1000000) << quint64(0) << "W^\\[MMS-UI\\] No free";
    }
    // The log line: D or W for its level, then the text; a regular expression after ^.
    void freeSpaceLimit()
    {
        QFETCH(quint64, blocks);
        QFETCH(quint64, blockSize);
        QFETCH(QString, log);
        const QtMsgType level = log.startsWith('W') ? QtWarningMsg : QtDebugMsg;
        if (log.startsWith("W^"))
            QTest::ignoreMessage(level, QRegularExpression(log.mid(1)));
        else if (!log.isEmpty())
            QTest::ignoreMessage(level, qPrintable(log.mid(1)));
        QCOMPARE(mmsui::utils::isFreeSpaceEnough(blocks, blockSize), level == QtDebugMsg);
    }

    // The build machine has more than 150 MiB free where the tests run, with or without a message
    // store yet; an unreachable home has none.
    void freeSpaceOfTheHome_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<bool>("available");
        QTest::newRow("with message store") << ".mms" << true;
        QTest::newRow("fresh home") << "" << true;
        QTest::newRow("unreachable home") << "gone" << false;
    }
    void freeSpaceOfTheHome()
    {
        QFETCH(QString, home);
        QFETCH(bool, available);
        QTemporaryDir parent;
        if (home == ".mms")
            QVERIFY(QDir(parent.path()).mkdir(".mms"));
        qputenv("HOME", (home == "gone" ? parent.filePath("gone") : parent.path()).toUtf8());
        if (available)
            QTest::ignoreMessage(
                QtDebugMsg, QRegularExpression("^\\[MMS-UI\\] freeSpaceAvailable avail=[0-9]+, "
                                               "limit=157286400 result=1$"));
        else
            QTest::ignoreMessage(QtCriticalMsg,
                                 "[MMS-UI] freeSpaceAvailable unable to get info (err=-1)");
        QCOMPARE(mmsui::utils::freeSpaceAvailable(), available);
    }

    void fileOutsidePrivateStorage()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(file.fileName()));
        QCOMPARE(mmsui::utils::privateStorageFolder, QStringLiteral(".mms/private"));
        const QString missing = file.fileName() + "-missing";
        QTest::ignoreMessage(
            QtWarningMsg,
            QStringLiteral("Call to \"statfs\" failed on file \"%1\"").arg(missing).toUtf8());
        QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(missing));
    }
};

QTEST_GUILESS_MAIN(TstStorage)
#include "tst_storage.moc"
