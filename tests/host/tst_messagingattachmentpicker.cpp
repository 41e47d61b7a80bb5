#include "contentindexer.h"
#include "freshdatafolder.h"
#include "messagingattachmentpicker.h"
#include "qsparqlconnection.h"

#include <QPushButton>
#include <QUrl>
#include <QtTest>

using Category = MessagingAttachmentPicker::Category;
Q_DECLARE_METATYPE(Category)

class TestMessagingAttachmentPicker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void entriesByKind_data();
    void entriesByKind();
    void showListsNewEntries();
    void backAndEscapeAskToClose();

private:
    QString addFile(const QString& path, const QString& mimeType);
    ContentIndexer indexer() { return ContentIndexer(*m_connection); }

    std::unique_ptr<QSparqlConnection> m_connection;
    QHash<QString, QString> m_uris;
};

QString TestMessagingAttachmentPicker::addFile(const QString& path, const QString& mimeType)
{
    return indexer().addFile(QUrl::fromLocalFile(path), mimeType,
                             ContentIndexer::classesForMimeType(mimeType));
}

void TestMessagingAttachmentPicker::initTestCase()
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
    for (const QString& uri : qAsConst(m_uris))
        QVERIFY(!uri.isEmpty());
}

void TestMessagingAttachmentPicker::entriesByKind_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Category>("category");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("picture") << "photo" << Category::Pictures << "beach;1.jpg"
                             << "image/jpeg";
    QTest::newRow("sound") << "song" << Category::Sounds << "song.mp3"
                           << "audio/mpeg";
    QTest::newRow("video") << "clip" << Category::Videos << "clip.mp4"
                           << "video/mp4";
    QTest::newRow("file") << "note" << Category::Files << "note.txt"
                          << "text/plain";
    QTest::newRow("contact") << "ann" << Category::Contacts << "Ann Lee"
                             << "text/x-vcard";
    QTest::newRow("contact without a name") << "nameless" << Category::Contacts << "(no name)"
                                            << "text/x-vcard";
    QTest::newRow("event") << "lunch" << Category::CalendarEntries << "Lunch"
                           << "text/x-vcalendar";
    QTest::newRow("to-do") << "chores" << Category::CalendarEntries << "Chores"
                           << "text/x-vcalendar";
}

// Each entry is listed once, under its kind, and picked by its index URI.
void TestMessagingAttachmentPicker::entriesByKind()
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
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toString(), uri);
    QCOMPARE(selected.at(0).at(1).toString(), mimeType);
}

void TestMessagingAttachmentPicker::showListsNewEntries()
{
    MessagingAttachmentPicker picker;
    QSignalSpy selected(&picker, &MessagingAttachmentPicker::attachmentSelected);
    const QString uri =
        addFile(QStringLiteral("/home/user/Pictures/new.png"), QStringLiteral("image/png"));
    QVERIFY(!picker.select(uri));
    picker.show();
    QVERIFY(picker.select(uri));
    QVERIFY(indexer().removeResource(uri));
    picker.refresh();
    QVERIFY(!picker.select(uri));
    QCOMPARE(selected.count(), 1);
}

void TestMessagingAttachmentPicker::backAndEscapeAskToClose()
{
    MessagingAttachmentPicker picker;
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QSignalSpy back(&picker, &MessagingAttachmentPicker::backButtonClicked);
    picker.backButton()->click();
    QTest::keyClick(&picker, Qt::Key_Escape);
    QCOMPARE(back.count(), 2);
    // The owner closes it.
    QVERIFY(picker.isVisible());
}

QTEST_MAIN(TestMessagingAttachmentPicker)
#include "tst_messagingattachmentpicker.moc"
