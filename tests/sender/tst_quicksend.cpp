#include "abstractpagemanager.h"
#include "contentindexer.h"
#include "historystore.h"
#include "messageattachmentwidget.h"
#include "messagingtextedit.h"
#include "mmsconfig.h"
#include "mmsmainconfig.h"
#include "mmsmessagingplugin.h"
#include "qsparqlconnection.h"
#include "testpictures.h"
#include "testprofiles.h"
#include "tkbanner.h"
#include "trackerhelper.h"

#include <QTemporaryDir>
#include <QtTest>

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

// The quick-send widget as the host meets it: made by the plug-in for a shared reference,
// beside the host's text edit, sending through the headless sender.
class TestQuickSend : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    TkApplicationWindow m_window;
    RecordingPageManager m_pages{&m_window};
    MessagingTextEdit m_edit;
    MMSMessagingPlugin m_plugin;

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

    MessageAttachmentWidget* create(const QString& reference, bool* fullEditor = nullptr)
    {
        bool openFullEditor = false;
        MessageAttachmentWidget* widget = m_plugin.createAttachmentWidget(
            &m_pages, "+358401234567", &m_edit, reference, openFullEditor);
        if (fullEditor)
            *fullEditor = openFullEditor;
        return widget;
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
        m_window.show();
        QVERIFY(MmsConfig::queryConfig(MmsConfig::PROVISIONED)
                    ->writeConfiguration(testProfile("Operator", "mms.example", {}, {},
                                                     "http://mmsc.example", 80, {}, 0)));
    }

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
        bool fullEditor = outcome != "editor";
        QScopedPointer<MessageAttachmentWidget> created(create(reference, &fullEditor));
        QCOMPARE(QString(created ? "widget" : fullEditor ? "editor" : "refused"), outcome);
        QVERIFY(!created || !fullEditor);
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
};

QTEST_MAIN(TestQuickSend)
#include "tst_quicksend.moc"
