#include "mmsmessagefolder.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestMmsMessageFolder : public QObject
{
    Q_OBJECT
private slots:
    void newToken();
    void folderInTheWay();
    void deletionNeverFollowsLinks();
};

void TestMmsMessageFolder::newToken()
{
    const MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
    QVERIFY(QRegularExpression("^[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}$")
                .match(folder.token())
                .hasMatch());
    QCOMPARE(folder.path(), QDir::homePath() + "/.mms/msg/" + folder.token());
}

void TestMmsMessageFolder::folderInTheWay()
{
    MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
    QVERIFY(QDir().mkpath(QDir::homePath() + "/.mms/msg"));
    write(folder.path(), "in the way");
    QTest::ignoreMessage(
        QtCriticalMsg,
        qPrintable("[MMS-EDITOR] Failed to create message directory \"" + folder.path() + '"'));
    QVERIFY(!folder.prepareMessageFolder());
    QVERIFY(QFile::remove(folder.path()));
}

// A link planted in the folder, or the folder's own path turned into one, goes as a
// link: what it points at stays, with its permissions.
void TestMmsMessageFolder::deletionNeverFollowsLinks()
{
    QTemporaryDir user;
    write(user.filePath("letter.txt"), "keep me");
    QVERIFY(QDir(user.path()).mkdir("album"));
    write(user.filePath("album/photo.jpg"), "keep me too");
    const QFileDevice::Permissions privateFolder =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QVERIFY(QFile::setPermissions(user.filePath("album"), privateFolder));

    MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
    QVERIFY(folder.prepareMessageFolder());
    QVERIFY(folder.makeTempFolder());
    write(folder.path() + "/photo.jpg", "part");
    write(folder.tempPath() + "/.hidden", "resized");
    QVERIFY(QFile::link(user.filePath("letter.txt"), folder.path() + "/letter.txt"));
    QVERIFY(QFile::link(user.filePath("album"), folder.tempPath() + "/album"));
    QVERIFY(QFile::link(user.filePath("gone"), folder.path() + "/dangling"));
    QVERIFY(QFile::setPermissions(folder.path() + "/photo.jpg", QFileDevice::ReadOwner));
    QVERIFY(
        QFile::setPermissions(folder.tempPath(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    folder.protectMessageFolder();
    folder.removeMessageFolder();
    QVERIFY(!QFileInfo::exists(folder.path()));

    MmsMessageFolder linked(QString(), MmsPipelineFlavour::editor());
    QVERIFY(QFile::link(user.filePath("album"), linked.path()));
    linked.removeMessageFolder();
    QVERIFY(!QFileInfo(linked.path()).isSymLink());

    QCOMPARE(QDir(user.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"album", "letter.txt"}));
    QCOMPARE(QDir(user.filePath("album")).entryList(QDir::Files), QStringList{"photo.jpg"});
    // Still private: nothing made it writable for others on the way.
    QCOMPARE(int(QFileInfo(user.filePath("album")).permissions() & 0x0077), 0);
}

QTEST_MAIN(TestMmsMessageFolder)
#include "tst_mmsmessagefolder.moc"
