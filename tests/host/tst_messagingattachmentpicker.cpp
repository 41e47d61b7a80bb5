#include "contentindexer.h"
#include "freshdatafolder.h"
#include "messageattachmentwidget.h"
#include "messagingattachmentpicker.h"
#include "qsparqlconnection.h"

#include <QPushButton>
#include <QUrl>
#include <QtTest>

using Category = MessagingAttachmentPicker::Category;
Q_DECLARE_METATYPE(Category)

namespace {

class Recording : public MessageAttachmentWidget
{
public:
    QStringList added;
    void addAttachment(const QString& reference) override { added << reference; }
};

} // namespace

// The host's attachment picker over the content index, and the widget holding what was picked.
class TestMessagingAttachmentPicker : public QObject
{
    Q_OBJECT

    std::unique_ptr<QSparqlConnection> m_connection;
    QHash<QString, QString> m_uris;

    ContentIndexer indexer() { return ContentIndexer(*m_connection); }
    QString addFile(const QString& path, const QString& mimeType)
    {
        return indexer().addFile(QUrl::fromLocalFile(path), mimeType,
                                 ContentIndexer::classesForMimeType(mimeType));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder());
        m_connection = std::make_unique<QSparqlConnection>(QStringLiteral("QTRACKER_DIRECT"));
        m_uris = {{"photo", addFile("/home/user/Pictures/beach;1.jpg", "image/jpeg")},
                  {"song", addFile("/home/user/Music/song.mp3", "audio/mpeg")},
                  {"clip", addFile("/home/user/Videos/clip.mp4", "video/mp4")},
                  {"note", addFile("/home/user/Documents/note.txt", "text/plain")},
                  {"ann", indexer().addContact("ann-uid", "Ann Lee")},
                  {"nameless", indexer().addContact("nameless-uid")},
                  {"lunch", indexer().addCalendarEntry("lunch-uid", "ncal:Event", "Lunch")},
                  {"chores", indexer().addCalendarEntry("chores-uid", "ncal:Todo", "Chores")}};
    }

    void entriesByKind_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<Category>("category");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mimeType");
        const QString vcard = "text/x-vcard";
        const QString vcalendar = "text/x-vcalendar";
        QTest::addRow("picture") << "photo" << Category::Pictures << "beach;1.jpg"
                                 << QString("image/jpeg");
        QTest::addRow("sound") << "song" << Category::Sounds << "song.mp3" << QString("audio/mpeg");
        QTest::addRow("video") << "clip" << Category::Videos << "clip.mp4" << QString("video/mp4");
        QTest::addRow("file") << "note" << Category::Files << "note.txt" << QString("text/plain");
        QTest::addRow("contact") << "ann" << Category::Contacts << "Ann Lee" << vcard;
        QTest::addRow("contact without a name")
            << "nameless" << Category::Contacts << "(no name)" << vcard;
        QTest::addRow("event") << "lunch" << Category::CalendarEntries << "Lunch" << vcalendar;
        QTest::addRow("to-do") << "chores" << Category::CalendarEntries << "Chores" << vcalendar;
    }

    // Each entry is listed once, under its kind, and picked by its index URI.
    void entriesByKind()
    {
        QFETCH(QString, entry);
        QFETCH(Category, category);
        QFETCH(QString, text);
        QFETCH(QString, mimeType);
        const QString uri = m_uris.value(entry);
        MessagingAttachmentPicker picker;
        picker.refresh();
        for (int kind = 0; kind < MessagingAttachmentPicker::CategoryCount; ++kind)
            QCOMPARE(picker.items(Category(kind)).count(uri), kind == category ? 1 : 0);
        QCOMPARE(picker.itemText(uri), text);
        QSignalSpy selected(&picker, &MessagingAttachmentPicker::attachmentSelected);
        QVERIFY(picker.select(uri));
        QCOMPARE(QList<QVariantList>(selected), (QList<QVariantList>{{uri, mimeType}}));
    }

    // Showing the picker reads the index again.
    void showListsNewEntries()
    {
        MessagingAttachmentPicker picker;
        const QString uri = addFile("/home/user/Pictures/new.png", "image/png");
        QVERIFY(!picker.select(uri));
        picker.show();
        QVERIFY(picker.select(uri));
        QVERIFY(indexer().removeResource(uri));
        picker.refresh();
        QVERIFY(!picker.select(uri));
    }

    // The owner closes it.
    void backAndEscapeAskToClose()
    {
        MessagingAttachmentPicker picker;
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QSignalSpy back(&picker, &MessagingAttachmentPicker::backButtonClicked);
        picker.backButton()->click();
        QTest::keyClick(&picker, Qt::Key_Escape);
        QCOMPARE(back.count(), 2);
        QVERIFY(picker.isVisible());
    }

    void widgetHoldsReferencesOnce()
    {
        MessageAttachmentWidget widget;
        widget.setAttachments({"file:///a.jpg"});
        widget.addAttachment("urn:b");
        widget.addAttachment("file:///a.jpg");
        QCOMPARE(widget.attachments(), (QStringList{"file:///a.jpg", "urn:b"}));
    }

    // The host calls it as a slot, by name, and a plug-in's widget takes it.
    void widgetAddAttachmentIsVirtual()
    {
        Recording widget;
        QVERIFY(QMetaObject::invokeMethod(&widget, "addAttachment", Q_ARG(QString, "urn:c")));
        QCOMPARE(widget.added, QStringList{"urn:c"});
    }
};

QTEST_MAIN(TestMessagingAttachmentPicker)
#include "tst_messagingattachmentpicker.moc"
