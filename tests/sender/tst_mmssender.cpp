#include "abstractpagemanager.h"
#include "contentindexer.h"
#include "filemode.h"
#include "historystore.h"
#include "messageattachmentwidget.h"
#include "messagingtextedit.h"
#include "mmsconfig.h"
#include "mmsmainconfig.h"
#include "mmsmessagingplugin.h"
#include "mmssender.h"
#include "testpictures.h"
#include "testprofiles.h"
#include "tkbanner.h"
#include "trackerhelper.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool writeProfile(const QString& mmsc)
{
    return MmsConfig::queryConfig(MmsConfig::PROVISIONED)
        ->writeConfiguration(
            testProfile("Operator", "mms.example", QString(), QString(), mmsc, 80, QString(), 0));
}

// Each part as "type identifier [text]" (the SMIL's references are the pipeline's own test).
QStringList describe(const QList<Chronel::MessagePart>& parts)
{
    QStringList lines;
    for (const Chronel::MessagePart& part : parts)
        lines << QStringList{part.contentType(), part.contentId(),
                             part.contentType().startsWith("text/") ? part.plainTextContent() : ""}
                     .join(' ')
                     .simplified();
    return lines;
}

} // namespace

// Remembers the editors it is asked to open.
class RecordingPageManager : public AbstractPageManager
{
public:
    using AbstractPageManager::AbstractPageManager;
    QVariantList opened;
    bool openNewEditorPage(Chronel::Event::EventType type, const QStringList& recipients,
                           const QString& subject, const QString& text,
                           const QStringList& references) override
    {
        opened = {int(type), recipients, subject, text, references};
        return true;
    }
};

// The headless sender against the host's MessageSender stand-in, which records what it is
// handed in the history store, and the quick-send widget that drives it as the host meets it:
// made by the plug-in for a shared reference, beside the host's text edit.
class TestMmsSender : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    QString m_photo;
    TkApplicationWindow m_window;
    RecordingPageManager m_pages{&m_window};
    MessagingTextEdit m_edit;
    MMSMessagingPlugin m_plugin;
    bool m_fullEditor = false;

    // A file of `bytes` indexed with `mime`; its "file:" reference.
    QString indexedFile(const QString& name, const QString& mime, qint64 bytes)
    {
        const QString path = m_files.filePath(name);
        if (mime == "image/jpeg")
            TestPictures::writeJpeg(path, QSize(320, 240));
        else if (mime == "image/png")
            TestPictures::writePng(path, QSize(32, 24));
        QFile file(path);
        // A picture padded at its end still decodes.
        if (!file.open(QIODevice::ReadWrite) || (bytes > 0 && !file.resize(bytes)))
            qFatal("cannot write %s", qPrintable(path));
        ContentIndexer(*TrackerHelper::instance()->connection())
            .addFile(QUrl::fromLocalFile(path), mime, ContentIndexer::classesForMimeType(mime));
        return QUrl::fromLocalFile(path).toString();
    }

    // The plug-in's widget for the reference; m_fullEditor tells whether it wants the editor.
    MessageAttachmentWidget* create(const QString& reference)
    {
        m_fullEditor = false;
        return m_plugin.createAttachmentWidget(&m_pages, "+358401234567", &m_edit, reference,
                                               m_fullEditor);
    }

    QStringList banners() const
    {
        QStringList titles;
        for (const TkBanner* banner : m_window.findChildren<TkBanner*>())
            titles << banner->title();
        return titles;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Chronel::EventList>("Chronel::EventList");
        m_photo = TestPictures::writeJpeg(m_files.filePath("photo.jpg"), QSize(320, 240));
        m_window.show();
    }

    void init() { QVERIFY(writeProfile("http://mmsc.example")); }

    void cleanup()
    {
        qDeleteAll(m_window.findChildren<TkBanner*>());
        MmsMainConfig config;
        config.restrictedMode = false;
        QVERIFY(config.save());
    }

    // A picture the sender can bring under the size limit gets the widget, another file the
    // full editor; the rest is refused, some with a banner.
    void createAttachmentWidget_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("banner");
        ContentIndexer indexer(*TrackerHelper::instance()->connection());
        const QString tooLarge = "qtn_mms_info_resize_filed";
        const auto row = [](const char* name, const QString& reference, const char* outcome,
                            const QString& banner = QString()) {
            QTest::newRow(name) << reference << outcome << banner;
        };
        row("3 MB JPEG", indexedFile("3mb.jpg", "image/jpeg", 3000000), "widget");
        row("12 MB JPEG", indexedFile("12mb.jpg", "image/jpeg", 12000000), "refused", tooLarge);
        row("vCard", indexer.addContact("anna"), "editor");
        row("audio at the limit", indexedFile("at.amr", "audio/amr", 307200), "refused", tooLarge);
        row("audio under the limit", indexedFile("under.amr", "audio/amr", 307199), "editor");
        row("unindexed file", QUrl::fromLocalFile(m_files.filePath("none.jpg")).toString(),
            "refused");
        row("neither file nor urn", "http://example.com/a.jpg", "refused");
        row("indexed, file gone", indexedFile("gone.jpg", "image/jpeg", 0), "refused");
        row("restricted mode, PNG", indexedFile("small.png", "image/png", 0), "refused",
            "qtn_mms_info_attch_nsupp");
        QFile::remove(m_files.filePath("gone.jpg"));
    }
    void createAttachmentWidget()
    {
        QFETCH(QString, reference);
        QFETCH(QString, outcome);
        QFETCH(QString, banner);
        MmsMainConfig config;
        config.restrictedMode = QByteArray(QTest::currentDataTag()).startsWith("restricted");
        QVERIFY(config.save());
        QScopedPointer<MessageAttachmentWidget> created(create(reference));
        QCOMPARE(QString(created ? "widget" : m_fullEditor ? "editor" : "refused"), outcome);
        QVERIFY(!created || !m_fullEditor);
        QCOMPARE(banners(),
                 banner.isEmpty() ? QStringList() : QStringList{qtTrId(qPrintable(banner))});
        if (created)
            QCOMPARE(created->attachments(), QStringList{reference});
    }

    // The typed text is the picture's slide text; a second press while sending sends nothing.
    void sendsPictureWithTypedTextOnce()
    {
        QScopedPointer<MessageAttachmentWidget> widget(
            create(indexedFile("photo.jpg", "image/jpeg", 0)));
        QVERIFY(widget);
        m_edit.setText("Hi");
        QSignalSpy recorded(Chronel::HistoryStore::instance(), &Chronel::HistoryStore::eventsAdded);
        QSignalSpy sent(widget.data(), &MessageAttachmentWidget::messageSent);
        emit m_edit.sendButtonClicked();
        QVERIFY(!m_edit.isEnabled());
        QCOMPARE(widget->attachments(), QStringList());
        emit m_edit.sendButtonClicked();
        QVERIFY(sent.wait());
        QVERIFY(m_edit.isEnabled());
        QVERIFY(!recorded.wait(200));
        QCOMPARE(recorded.count(), 1);
        const Chronel::Event event = recorded.at(0).at(0).value<Chronel::EventList>().value(0);
        QCOMPARE(event.messageParts().value(1).plainTextContent(), QString("Hi"));
        QCOMPARE(event.messageParts().value(2).contentType(), QString("image/jpeg"));
    }

    void secondPictureOpensFullEditor()
    {
        const QString first = indexedFile("first.jpg", "image/jpeg", 0);
        const QString second = indexedFile("second.jpg", "image/jpeg", 0);
        QScopedPointer<MessageAttachmentWidget> widget(create(first));
        m_edit.setText("Hi");
        QSignalSpy handedOver(widget.data(), &MessageAttachmentWidget::messageSent);
        widget->addAttachment(first);
        QCOMPARE(handedOver.count(), 0);
        widget->addAttachment(second);
        QCOMPARE(handedOver.count(), 1);
        QCOMPARE(m_pages.opened, (QVariantList{6, QStringList{"+358401234567"}, QString(), "Hi",
                                               QStringList{first, second}}));
    }

    void widgetRemoved_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("banner");
        QTest::addRow("corrupt picture") << "not a picture" << QString("qtn_mms_info_attch_nsupp");
        QTest::addRow("file gone when sending") << "" << QString("qtn_comm_attachment_lost");
    }
    void widgetRemoved()
    {
        QFETCH(QString, content);
        QFETCH(QString, banner);
        const QString reference = indexedFile(QTest::currentDataTag(), "image/jpeg", 0);
        const QString path = QUrl(reference).toLocalFile();
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content.toUtf8());
        }
        QScopedPointer<MessageAttachmentWidget> widget(create(reference));
        QSignalSpy removed(widget.data(), &MessageAttachmentWidget::attachmentRemoved);
        if (content.isEmpty()) {
            QVERIFY(QFile::remove(path));
            emit m_edit.sendButtonClicked();
        }
        QTRY_COMPARE(removed.count(), 1);
        QCOMPARE(banners(), QStringList{qtTrId(qPrintable(banner))});
    }

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
        QTest::addRow("picture with text") << QStringList{"+358401234567"} << QStringList() << true
                                           << QStringList{"application/smil sindex:0001;0.smil",
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
        QCOMPARE(fileMode(sender.messageFolder()), 0755);
        // The same sender tries again once the profile is complete.
        QVERIFY(writeProfile("http://mmsc.example"));
        seen.clear();
        sender.send();
        QTRY_COMPARE(seen, QStringList{"sent"});
        QCOMPARE(fileMode(sender.messageFolder()), 0555);
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
