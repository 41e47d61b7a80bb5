#include "historystore.h"
#include "mmsconfig.h"
#include "mmssender.h"
#include "testpictures.h"
#include "testprofiles.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

int mode(const QString& path)
{
    struct stat status;
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                   : -1;
}

bool writeProfile(const QString& mmsc)
{
    return MmsConfig::queryConfig(MmsConfig::PROVISIONED)
        ->writeConfiguration(
            testProfile("Operator", "mms.example", QString(), QString(), mmsc, 80, QString(), 0));
}

// Each part as "type identifier [text]"; the SMIL as the sources it refers to.
QStringList describe(const QList<Chronel::MessagePart>& parts)
{
    static const QRegularExpression source("src=\"([^\"]*)\"");
    QStringList lines;
    for (const Chronel::MessagePart& part : parts) {
        QString content = part.plainTextContent();
        if (part.contentType() == "application/smil") {
            QStringList sources;
            for (auto it = source.globalMatch(content); it.hasNext();)
                sources << it.next().captured(1);
            content = sources.join(' ');
        }
        lines << QStringList{part.contentType(), part.contentId(), content}.join(' ').simplified();
    }
    return lines;
}

} // namespace

// Runs the headless sender against the host's MessageSender stand-in, which records what it
// is handed in the history store.
class TestMmsSender : public QObject
{
    Q_OBJECT
    QTemporaryDir m_files;
    QString m_photo;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Chronel::EventList>("Chronel::EventList");
        m_photo = TestPictures::writeJpeg(m_files.filePath("photo.jpg"), QSize(320, 240));
    }

    void init() { QVERIFY(writeProfile("http://mmsc.example")); }

    void sendsMessage_data()
    {
        QTest::addColumn<QStringList>("to");
        QTest::addColumn<QStringList>("cc");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QStringList>("parts");

        // The same party in To and Cc goes once, in To: the Cc key is absent.
        QTest::addRow("text only, same number in To and Cc")
            << QStringList{"+358 40 123-4567"} << QStringList{"+358401234567"} << false
            << QStringList{"text/plain Hi"};
        // The typed text and the picture share one slide; parts are named by their files.
        QTest::addRow("picture with text")
            << QStringList{"+358401234567"} << QStringList() << true
            << QStringList{"application/smil sindex:0001;0.smil text_001.txt photo.jpg",
                           "text/plain sindex:0011;text_001.txt Hi",
                           "image/jpeg sindex:0021;photo.jpg"};
    }

    void sendsMessage()
    {
        QFETCH(QStringList, to);
        QFETCH(QStringList, cc);
        QFETCH(bool, picture);
        QFETCH(QStringList, parts);
        MmsSender sender(false, to, cc, {}, QString(), "Hi", QString());
        if (picture)
            QVERIFY(sender.addAttachment(m_photo, "image/jpeg", "Hi", false));
        QSignalSpy recorded(Chronel::HistoryStore::instance(), &Chronel::HistoryStore::eventsAdded);
        QSignalSpy sent(&sender, &MmsSender::sent);
        QSignalSpy failed(&sender, &MmsSender::failed);
        // A second request, also while the picture is resized, sends nothing more.
        sender.send();
        sender.send();
        QVERIFY(sent.wait());
        QVERIFY(!sent.wait(200));
        QCOMPARE(failed.count(), 0);

        QCOMPARE(recorded.count(), 1);
        const Chronel::Event event = recorded.at(0).at(0).value<Chronel::EventList>().value(0);
        QCOMPARE(event.toList(), QStringList{"+358401234567"});
        QCOMPARE(event.ccList(), QStringList());
        QCOMPARE(describe(event.messageParts()), parts);
        for (const Chronel::MessagePart& part : event.messageParts())
            QCOMPARE(QFileInfo(part.contentLocation()).path(), sender.messageFolder());
        QVERIFY(QFile::exists(m_photo));
    }

    // Nothing is left of a sender that deletes itself: neither the object nor its folder.
    void failsWithoutFreeSpaceAndGoes()
    {
        const QString store = QDir::homePath() + "/.mms";
        QVERIFY(QDir(store).removeRecursively());
        // A file system with no free block at all.
        QVERIFY(QFile::link("/proc/self", store));
        QPointer<MmsSender> sender =
            new MmsSender(true, {"+358401234567"}, {}, {}, QString(), "Hi", QString());
        QSignalSpy failed(sender.data(), &MmsSender::failed);
        QTest::ignoreMessage(QtWarningMsg, "[MMS-SENDER] No enough space to send MMS");
        sender->send();
        QCOMPARE(failed.count(), 1);
        QTRY_VERIFY(sender.isNull());
        QVERIFY(QFile::remove(store));
    }

    void missingMessageCentre()
    {
        QVERIFY(writeProfile(QString()));
        MmsSender sender(false, {"+358401234567"}, {}, {}, QString(), "Hi", QString());
        QVERIFY(sender.addAttachment(m_photo, "image/jpeg", "Hi", false));
        QStringList seen;
        connect(&sender, &MmsSender::configurationMissed, this, [&] { seen << "missed"; });
        connect(&sender, &MmsSender::failed, this, [&] { seen << "failed"; });
        connect(&sender, &MmsSender::sent, this, [&] { seen << "sent"; });
        sender.send();
        QTRY_COMPARE(seen, (QStringList{"missed", "failed"}));
        QCOMPARE(mode(sender.messageFolder()), 0755);

        // The same sender tries again once the profile is complete.
        QVERIFY(writeProfile("http://mmsc.example"));
        seen.clear();
        sender.send();
        QTRY_COMPARE(seen, QStringList{"sent"});
        QCOMPARE(mode(sender.messageFolder()), 0555);
    }

    // The hand-over is the sender's last step: what the host makes of it comes later.
    void sentAlthoughHostFailsLater()
    {
        Chronel::HistoryStore::instance()->close();
        const QString history = QFileInfo(Chronel::HistoryStore::databasePath()).path();
        QVERIFY(QDir(history).removeRecursively());
        QVERIFY(QFile(history).open(QIODevice::WriteOnly));
        MmsSender sender(false, {"+358401234567"}, {}, {}, QString(), "Hi", QString());
        QSignalSpy sent(&sender, &MmsSender::sent);
        QSignalSpy failed(&sender, &MmsSender::failed);
        sender.send();
        QVERIFY(sent.wait());
        QCOMPARE(failed.count(), 0);
        QVERIFY(QFile::remove(history));
    }

    // Going away in the middle of a resize waits for the thread and leaves no file behind.
    void destroyedWhileResizing()
    {
        const QString large =
            TestPictures::writeJpeg(m_files.filePath("large.jpg"), QSize(2592, 1944), 40);
        auto* sender = new MmsSender(false, {"+358401234567"}, {}, {}, QString(), "Hi", QString());
        const QString folder = sender->messageFolder();
        QVERIFY(sender->addAttachment(large, "image/jpeg", "Hi", false));
        sender->send();
        delete sender;
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QFile::exists(large));
    }
};

QTEST_MAIN(TestMmsSender)
#include "tst_mmssender.moc"
