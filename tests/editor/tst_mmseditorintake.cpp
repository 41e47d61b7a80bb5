#include "calendarstore.h"
#include "contactmanagers.h"
#include "editortest.h"
#include "messagingtextedit.h"
#include "testcontacts.h"
#include "tklinearlayoutpolicy.h"
#include "trackerhelper.h"

#include <KCalendarCore/Event>
#include <QContactGuid>
#include <QContactManager>
#include <QSettings>
#include <QtTest>

using namespace QtContacts;

class TestMmsEditorIntake : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void contentPolicy_data();
    void contentPolicy();
    void restrictedModeRefusesRemovalToo();
    void handedOverEntries_data();
    void handedOverEntries();
    void contactCards_data();
    void contactCards();
    void calendarEntry_data();
    void calendarEntry();
    void bodyTextAndSlides();

private:
    // Names of this run's content joined with ' '.
    QStringList urisOf(const QString& names) const;
    QString addContact(const QString& first, const QString& last);

    std::unique_ptr<EditorHost> m_host;
    std::unique_ptr<IndexedContent> m_content;
    QHash<QString, QString> m_uris;
};

void TestMmsEditorIntake::initTestCase()
{
    QVERIFY(useFreshDataFolder());
    installCatalogue();
    m_content = std::make_unique<IndexedContent>();
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6", "p7"})
        m_uris.insert(name, m_content->addPicture(QLatin1String(name) + ".jpg"));
    m_uris.insert("png", m_content->addPicture("plain.png"));
    m_uris.insert("song", m_content->addClip("song.mp3", "audio/mpeg"));
    m_uris.insert("amr", m_content->addClip("voice.amr", "audio/amr"));
    m_uris.insert("clip", m_content->addClip("clip.3gp", "video/3gpp"));
    for (const QString& uri : qAsConst(m_uris))
        QVERIFY(!uri.isEmpty());
}

void TestMmsEditorIntake::init()
{
    setEditorConfig(307200);
    m_host = std::make_unique<EditorHost>();
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts").clear();
}

QStringList TestMmsEditorIntake::urisOf(const QString& names) const
{
    QStringList uris;
    for (const QString& name : names.split(' ', Qt::SkipEmptyParts))
        uris << m_uris.value(name, name);
    return uris;
}

static QStringList translated(const QString& id)
{
    return id.isEmpty() ? QStringList() : QStringList{qtTrId(id.toLatin1().constData())};
}

// Content names joined with ' '; the banner is a translation id.
void TestMmsEditorIntake::contentPolicy_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("banner");
    const auto row = [](const char* name, int limit, bool restricted, const char* selection,
                        const char* added, const char* banner) {
        QTest::newRow(name) << limit << restricted << selection << added << banner;
    };
    const char* full = "qtn_mms_info_image_sound_video";
    row("4th picture at 100 kB stops the selection", 102400, false, "p1 p2 p3 p4 amr", "p1 p2 p3",
        full);
    row("7th picture at 300 kB", 307200, false, "p1 p2 p3 p4 p5 p6 p7 amr", "p1 p2 p3 p4 p5 p6",
        full);
    row("video after a picture, later items tried", 307200, false, "p1 clip p2", "p1 p2",
        "qtn_mms_info_sound_video");
    row("picture after a clip stops", 307200, false, "song p1 p2", "song", full);
    row("a second clip", 307200, false, "song amr", "song", full);
    row("the same content twice", 307200, false, "p1 p1", "p1", "");
    row("restricted: outside the core domain", 307200, true, "p1 song png p2", "p1 p2",
        "qtn_mms_info_attch_nsupp");
}

void TestMmsEditorIntake::contentPolicy()
{
    QFETCH(int, limit);
    QFETCH(bool, restricted);
    QFETCH(QString, selection);
    QFETCH(QString, added);
    QFETCH(QString, banner);
    setEditorConfig(limit, restricted);
    MmsEditorPage* page = m_host->newMessage();
    page->addFileAttachmentsFromUri(urisOf(selection));
    QCOMPARE(slideSources(page), urisOf(added));
    QCOMPARE(m_host->banners(), translated(banner));
}

void TestMmsEditorIntake::restrictedModeRefusesRemovalToo()
{
    setEditorConfig(307200, true);
    MmsEditorPage* page = m_host->newMessage();
    page->imageCount = 2;
    QCOMPARE(page->updateContentPolicy(false, "image/png", false, QString()), 1);
    QCOMPARE(page->imageCount, qint16(2));
    QCOMPARE(page->updateContentPolicy(false, "image/jpeg", false, QString()), 2);
    QCOMPARE(page->imageCount, qint16(1));
}

void TestMmsEditorIntake::handedOverEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("warning"); // and the banner "qtn_mms_info_attch_nsupp"
    const QString picture = "file://" + m_content->folder() + "/p1.jpg";
    QTest::newRow("a local picture") << QStringList{picture} << "p1" << QString();
    QTest::newRow("a missing local file")
        << QStringList{"file:///nowhere/gone.jpg", picture} << "p1"
        << "[MMS-EDITROR] Faield to get Tracjer URN for file \"file:///nowhere/gone.jpg\"";
    QTest::newRow("an unknown index entry")
        << QStringList{"urn:uuid:unknown"} << ""
        << "[MMS-EDITROR] Attachment type 0 is not supported yet";
}

// Entries handed over with a new message: the page adds them once it is built.
void TestMmsEditorIntake::handedOverEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, added);
    QFETCH(QString, warning);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    MmsEditorPage* page = m_host->open(
        new MmsEditorPage(&m_host->manager, {}, QString(), QString(), QString(), entries));
    QTRY_COMPARE(slideSources(page), urisOf(added));
    QTRY_COMPARE(m_host->banners(),
                 translated(warning.isEmpty() ? "" : "qtn_mms_info_attch_nsupp"));
}

// A contact in the contacts store, linked to its content-index entry; returns the entry.
QString TestMmsEditorIntake::addContact(const QString& first, const QString& last)
{
    const QString uri =
        m_content->indexer().addContact(first + last, (first + ' ' + last).trimmed());
    QContact contact = testContact(first, last, "+358401234567");
    QContactGuid guid;
    guid.setGuid(TrackerHelper::instance()->contacTrackerId(uri));
    contact.saveDetail(&guid);
    return mmsui::utils::getContactManager()->saveContact(&contact) ? uri : QString();
}

void TestMmsEditorIntake::contactCards_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("together");
    QTest::addColumn<QString>("vcardType");
    QTest::addColumn<QStringList>("files");
    const auto row = [](const char* name, const QStringList& names, bool together,
                        const QString& type, const QStringList& files) {
        QTest::newRow(name) << names << together << type << files;
    };
    row("first and last name", {"Ann|Lee"}, false, "", {"Ann_Lee.vcf"});
    row("a second card of the same name", {"Ann|Lee", "Ann|Lee"}, false, "3.0",
        {"Ann_Lee.vcf", "Ann_Lee0.vcf"});
    row("no name", {"|"}, false, "", {"vcard??????.vcf"});
    row("only spaces", {"  | "}, false, "", {"vcard??????.vcf"});
    row("slashes and dots stay in the folder", {"../..|x/y"}, false, "", {".._.._x_y.vcf"});
    row("two selected give one card", {"Bo|Ek", "Cy|Fa"}, true, "", {"Bo_Ek.vcf"});
    row("vCard 2.1 from the settings", {"Di|Go"}, false, "2.1", {"Di_Go.vcf"});
}

void TestMmsEditorIntake::contactCards()
{
    QFETCH(QStringList, names);
    QFETCH(bool, together);
    QFETCH(QString, vcardType);
    QFETCH(QStringList, files);
    const QByteArray version = vcardType == "2.1" ? "VERSION:2.1" : "VERSION:3.0";
    if (!vcardType.isEmpty())
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts")
            .setValue("vcardType", vcardType);
    MmsEditorPage* page = m_host->newMessage();
    QStringList uris;
    for (const QString& name : names) {
        uris << addContact(name.section('|', 0, 0), name.section('|', 1));
        QVERIFY(!uris.last().isEmpty());
    }
    if (together) {
        page->addContactCardAttachmentsFromUri(uris);
    } else {
        for (int i = 0; i < uris.size(); ++i) {
            page->addContactCardAttachmentsFromUri({uris.at(i)});
            QTRY_COMPARE(page->attachmentList.size(), i + 1);
        }
    }
    QTRY_COMPARE(page->attachmentList.size(), files.size());
    QCoreApplication::processEvents();
    QCOMPARE(page->attachmentList.size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo card(page->attachmentList.at(i)->fileName);
        QCOMPARE(card.absolutePath(), page->messageFolder);
        QVERIFY2(QDir::match(files.at(i), card.fileName()), qPrintable(card.fileName()));
        QFile file(card.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(version));
    }
    QVERIFY(m_host->banners().isEmpty());
}

void TestMmsEditorIntake::calendarEntry_data()
{
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("file");
    QTest::newRow("summary") << QString("Team / lunch") << "Team___lunch.vcs";
    QTest::newRow("no summary") << QString() << "vcalendar??????.vcs";
}

// The entry from the calendar store, written once into the message folder (its format is
// the calendar writer's own test).
void TestMmsEditorIntake::calendarEntry()
{
    QFETCH(QString, summary);
    KCalendarCore::Event::Ptr entry(new KCalendarCore::Event);
    entry->setUid("entry-" + QString::number(qHash(summary)));
    entry->setSummary(summary);
    entry->setDtStart(QDateTime(QDate(2026, 12, 24), QTime(12, 0), Qt::UTC));
    CalendarStore store;
    QVERIFY(store.open());
    const QString uri = store.addIncidence(entry);
    MmsEditorPage* page = m_host->newMessage();
    page->addCalendarItemAttachmentsFromUri({uri, uri});
    QCOMPARE(page->attachmentList.size(), 1);
    QFile written(page->attachmentList.first()->fileName);
    QCOMPARE(QFileInfo(written).absolutePath(), page->messageFolder);
    QFETCH(QString, file);
    QVERIFY2(QDir::match(file, QFileInfo(written).fileName()), qPrintable(written.fileName()));
    QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll().contains(entry->uid().toUtf8()));
    QVERIFY(m_host->banners().isEmpty());
}

// The body text and the first slide's text are one: it moves in and comes back;
// converting to a text message joins the slide texts.
void TestMmsEditorIntake::bodyTextAndSlides()
{
    MmsEditorPage* page = m_host->newMessage("a");
    page->addFileAttachmentsFromUri(urisOf("p1"));
    QCOMPARE(page->attachmentList.first()->textEdit->plainText(), QStringLiteral("a"));
    QVERIFY(!page->slidePolicy->contains(page->bodyContainer));
    page->addFileAttachmentsFromUri(urisOf("p2"));
    page->attachmentList.last()->textEdit->setText("b");
    page->doConvertToSms();
    QCOMPARE(m_host->manager.textEditors.value(0), qMakePair(2, QStringLiteral("a b")));

    page->removeAttachment(page->attachmentList.first()->fileName);
    QCOMPARE(page->imageCount, qint16(1));
    page->removeAttachment(page->attachmentList.first()->fileName);
    QCOMPARE(page->bodyEdit->plainText(), QStringLiteral("b"));
    QVERIFY(page->slidePolicy->contains(page->bodyContainer));
    QCOMPARE(page->imageCount, qint16(0));
}

QTEST_MAIN(TestMmsEditorIntake)
#include "tst_mmseditorintake.moc"
