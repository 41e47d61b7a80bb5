#include "abstractpagemanager.h"
#include "busserviceprocess.h"
#include "calendarstore.h"
#include "catalogue.h"
#include "contactmanagers.h"
#include "contentindexer.h"
#include "filemode.h"
#include "freshdatafolder.h"
#include "messagesender.h"
#include "messagingattachmentpicker.h"
#include "messagingtextedit.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmsconfig.h"
#include "mmseditorattachment.h"
#include "mmseditorpage.h"
#include "mmsmainconfig.h"
#include "mmsmessagefolder.h"
#include "mmsrecipientsedit.h"
#include "mmsspinneroverlayview.h"
#include "mmstimedbanner.h"
#include "recipientaddresses.h"
#include "storage.h"
#include "testcontacts.h"
#include "testpictures.h"
#include "testprofiles.h"
#include "tkapplicationwindow.h"
#include "tkbanner.h"
#include "tkinputmethodstate.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tkquerydialog.h"
#include "tkscenewindow.h"
#include "tkspinner.h"
#include "tktheme.h"
#include "trackerhelper.h"
#include "videoencodinginterface.h"
#include "visiblewindow.h"

#include <KCalendarCore/Event>
#include <QContactGuid>
#include <QContactManager>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUuid>
#include <QtTest>

using Chronel::Event;

Q_DECLARE_METATYPE(MmsEditorAttachment::CONTENT_TYPE)

namespace {

const QString encoderService = QStringLiteral("com.quenda.VideoEncoding");

// The duration text of a preview, which only the widget's family may read.
struct PreviewDuration : MMSAttachmentWidget
{
    static QString of(const MMSAttachmentWidget* preview)
    {
        return preview->*(&PreviewDuration::durationText);
    }
};

QString writeFile(const QString& path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size) ? path : QString();
}

enum Situation { Plain, Locked, SecondPress, Converting, PressedTwice, Lost, LowSpace, NoCentre };
const int noDialog = -1;

// The host's navigation, recording the text editors that pages ask for.
class EditorPageManager : public AbstractPageManager
{
public:
    using AbstractPageManager::AbstractPageManager;
    bool showMessageEditor(Event::EventType type, const Tollis::RecipientList&, const QString& text,
                           const QString&, const QString&, int, const QStringList&) override
    {
        textEditors << qMakePair(int(type), text);
        return false;
    }
    QList<QPair<int, QString>> textEditors;
};

Tollis::RecipientList recipientsOf(const QString& addresses)
{
    Tollis::RecipientList list;
    for (const QString& address : addresses.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list << Tollis::RecipientsEdit::recipient(address);
    return list;
}

void setEditorConfig(int maxMessageSize, bool restrictedMode = false, bool ccBcc = true)
{
    MmsMainConfig config;
    config.maxMessageSize = maxMessageSize;
    config.restrictedMode = restrictedMode;
    config.ccBccEnabled = ccBcc;
    config.automaticConnection = false;
    config.save();
}

bool writeProfile(const QString& mmsc)
{
    return MmsConfig::queryConfig(MmsConfig::USER_DEFINED)
        ->writeConfiguration(testProfile("UserDefined", "internet", "", "", mmsc, 80, "", 0));
}

QStringList translated(const QString& id)
{
    return id.isEmpty() ? QStringList() : QStringList{qtTrId(id.toLatin1().constData())};
}

QString numbers(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("+35840100%1").arg(i, 2, 10, QLatin1Char('0'));
    return list.join(';');
}

TkQueryDialog* dialogTitled(const char* id)
{
    TkQueryDialog* dialog = visibleWindow<TkQueryDialog>();
    return dialog && dialog->title() == qtTrId(id) ? dialog : nullptr;
}

QStringList slideSources(const MmsEditorPage* page)
{
    QStringList sources;
    for (const MmsEditorAttachment* slide : page->attachmentList)
        sources << slide->sourceUri;
    return sources;
}

} // namespace

// A portrait window on which editor pages are shown as the host shows them.
struct EditorHost
{
    EditorHost()
    {
        window.resize(480, 854);
        window.show();
    }
    MmsEditorPage* open(MmsEditorPage* page)
    {
        manager.showPage(page);
        return page;
    }
    MmsEditorPage* newMessage(const QString& body = QString(), const QString& to = QString())
    {
        return open(new MmsEditorPage(&manager, recipientsOf(to), QString(), body, QString(), {}));
    }
    QStringList banners() const
    {
        QStringList titles;
        for (const TkBanner* banner : window.findChildren<TkBanner*>())
            titles << banner->title();
        return titles;
    }
    TkApplicationWindow window;
    EditorPageManager manager{&window};
};

// What the host sees of a send: where it was asked to switch to, the header of the send
// list then, and whether a spinner shows once the resize's late timer has fired too.
struct SendOutcome
{
    SendOutcome(EditorHost& host, MmsEditorPage* page)
    {
        QObject::connect(&host.manager, &AbstractPageManager::conversationRequested, page,
                         [this, page](const QString& uid) { record("conversation " + uid, page); });
        QObject::connect(&host.manager, &AbstractPageManager::inboxRequested, page,
                         [this, page](int) { record("inbox", page); });
    }
    void record(const QString& where, MmsEditorPage* page)
    {
        const MessageSender::PropertyMap header = page->propertyMaps.value(0);
        switched = where + " to=" + header.value("message-to").variant().toString() +
                   (header.contains("message-bcc") ? " bcc" : "");
        parts = page->propertyMaps.size() - 1;
        QMetaObject::invokeMethod(page, "slotShowSpinner");
        for (const QWidget* view : page->findChildren<MmsSpinnerOverlayView*>())
            spinnerShown = spinnerShown || view->isVisible();
    }
    QString switched;
    int parts = 0;
    bool spinnerShown = false;
};

// The composer page on the host's window, with content of every kind in this run's content
// index: what it takes in, what it refuses, every way a send press ends, its own widgets and
// its slides on their own.
class TestMmsEditorPage : public QObject
{
    Q_OBJECT
    QString m_folder;
    std::unique_ptr<EditorHost> m_host;
    QHash<QString, QString> m_uris;
    QTemporaryDir m_dir;
    QScopedPointer<QWidget> m_slideArea;
    TkLinearLayoutPolicy* m_slides = nullptr;
    QScopedPointer<BusServiceProcess> m_encoder;

    MmsEditorAttachment* addSlide(const QString& file, const QString& mime,
                                  const QString& text = QString())
    {
        return new MmsEditorAttachment(file, mime, m_slides, "uri:" + file, text, false,
                                       m_dir.filePath("temp"), false);
    }

    // The clip on a new slide, with the encoder behaving so ("" for none).
    MmsEditorAttachment* encode(const QString& behaviour, const QString& durationMs = "400")
    {
        m_encoder.reset(new BusServiceProcess);
        if (!behaviour.isEmpty() &&
            !m_encoder->start(DRAVEL_BINARY_DIR "/tests/fixtures/fakevideoencoder",
                              {behaviour, durationMs}, encoderService))
            qFatal("the encoder did not start");
        return addSlide(writeFile(m_dir.filePath("holiday.clip.mp4"), 2048), "video/mp4");
    }

    QProgressBar* progressOf(MmsEditorAttachment* slide)
    {
        return slide->thumbnail->findChild<QProgressBar*>("mmsEditorEncodingProgress");
    }

    // Label, progress bar and Cancel over the thumbnail; null until encoding starts.
    QWidget* overlayOf(MmsEditorAttachment* slide)
    {
        QProgressBar* progress = progressOf(slide);
        return progress ? progress->parentWidget() : nullptr;
    }

    QStringList urisOf(const QString& names) const
    {
        QStringList uris;
        for (const QString& name : names.split(' ', Qt::SkipEmptyParts))
            uris << m_uris.value(name, name);
        return uris;
    }

    // A picture of 32x24 pixels, padded to `bytes`; its content-index URI.
    QString addPicture(const QString& name, int bytes = 0)
    {
        QFile file(m_folder + '/' + name);
        if (!QImage(32, 24, QImage::Format_RGB32).save(file.fileName()) ||
            (bytes && !file.resize(bytes)))
            return QString();
        return addFile(name, name.endsWith(".png") ? "image/png" : "image/jpeg");
    }

    // A file in the pictures folder, written with 2048 bytes unless it exists.
    QString addFile(const QString& name, const QString& mimeType)
    {
        QFile file(m_folder + '/' + name);
        if (!file.exists() && (!file.open(QIODevice::WriteOnly) || !file.resize(2048)))
            return QString();
        return ContentIndexer(*TrackerHelper::instance()->connection())
            .addFile(QUrl::fromLocalFile(file.fileName()), mimeType,
                     ContentIndexer::classesForMimeType(mimeType));
    }

    // A contact in the contacts store, linked to its content-index entry; returns the entry.
    QString addContact(const QString& first, const QString& last)
    {
        const QString uri = ContentIndexer(*TrackerHelper::instance()->connection())
                                .addContact(first + last, (first + ' ' + last).trimmed());
        QtContacts::QContact contact = testContact(first, last, "+358401234567");
        QtContacts::QContactGuid guid;
        guid.setGuid(TrackerHelper::instance()->contacTrackerId(uri));
        contact.saveDetail(&guid);
        return mmsui::utils::getContactManager()->saveContact(&contact) ? uri : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(useFreshDataFolder() && m_dir.isValid());
        installCatalogue();
        TkTheme::registerLibrary(QStringLiteral("libdravel"));
        m_folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QVERIFY(QDir().mkpath(m_folder));
        for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6", "p7"})
            m_uris.insert(name, addPicture(QLatin1String(name) + ".jpg"));
        m_uris.insert("png", addPicture("plain.png"));
        m_uris.insert("song", addFile("song.mp3", "audio/mpeg"));
        m_uris.insert("amr", addFile("voice.amr", "audio/amr"));
        m_uris.insert("clip", addFile("clip.3gp", "video/3gpp"));
        QVERIFY(!m_uris.values().contains(QString()));
    }

    void init()
    {
        m_encoder.reset();
        m_slideArea.reset(new QWidget);
        auto* layout = new TkLayout(m_slideArea.data());
        m_slides = new TkLinearLayoutPolicy(layout, Qt::Vertical);
        layout->setPolicy(m_slides);
        setEditorConfig(307200);
        QVERIFY(writeProfile("http://mmsc.example/"));
        m_host = std::make_unique<EditorHost>();
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts").clear();
    }

    void cleanup()
    {
        QFile::remove(MmsMessageFolder::backupLockPath());
        mmsui::utils::setFreeSpaceProbe({});
        m_host.reset();
    }

    void tokenAndFolder_data()
    {
        QTest::addColumn<bool>("fromEvent");
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("folderKept");
        QTest::newRow("new message") << false << "" << false;
        QTest::newRow("handed-over token") << false << "6d1f-handed" << false;
        QTest::newRow("stored event with a token") << true << "stored-42" << true;
        QTest::newRow("stored event without a token") << true << "" << false;
    }
    // A new message owns its folder and takes it away on close; a stored message's stays.
    void tokenAndFolder()
    {
        QFETCH(bool, fromEvent);
        QFETCH(QString, token);
        Event stored;
        stored.setMessageToken(token);
        auto* page = fromEvent
                         ? new MmsEditorPage(&m_host->manager, stored)
                         : new MmsEditorPage(&m_host->manager, {}, QString(), QString(), token, {});
        if (token.isEmpty())
            QVERIFY(page->messageToken.size() == 36 &&
                    !QUuid::fromString(page->messageToken).isNull());
        else
            QCOMPARE(page->messageToken, token);
        const QString folder = QDir::homePath() + "/.mms/msg/" + page->messageToken;
        QCOMPARE(page->messageFolder, folder);
        QVERIFY(QFileInfo(folder).isDir());
        delete page;
        QTEST(QFileInfo::exists(folder), "folderKept");
    }

    void ccBcc_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("expectedTo");
        QTest::addColumn<QStringList>("expectedCc");
        QTest::newRow("enabled") << true << QStringList{"+111"} << QStringList{"+222"};
        QTest::newRow("disabled: merged into To")
            << false << QStringList{"+111", "+222", "+333"} << QStringList();
    }
    // A stored message opens with its recipients and its only text part as the body.
    void ccBcc()
    {
        QFETCH(bool, enabled);
        setEditorConfig(307200, false, enabled);
        Event stored;
        stored.setToList({"+111"});
        stored.setCcList({"+222"});
        stored.setBccList({"+333"});
        stored.setMessageParts({Chronel::MessagePart("text_001.txt", "text/plain;charset=utf-8",
                                                     QString(), "See you")});
        MmsEditorPage* page = m_host->open(new MmsEditorPage(&m_host->manager, stored));
        QTEST(mmsui::utils::fromRecipients(page->recipientsEdit->to(), false, false), "expectedTo");
        QTEST(mmsui::utils::fromRecipients(page->recipientsEdit->cc(), false, false), "expectedCc");
        QCOMPARE(QVariantList({page->recipientsEdit->isCcBccShown(), bool(page->ccBccButton),
                               page->bodyEdit->plainText(), page->attachmentList.size(),
                               page->slidePolicy->contains(page->bodyContainer)}),
                 QVariantList({enabled, enabled, "See you", 0, true}));
        page->clear();
        QVERIFY(page->recipientsEdit->to().isEmpty());
        QVERIFY(page->recipientsEdit->cc().isEmpty() && !page->recipientsEdit->isCcBccShown());
    }

    void subjectLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const QString forty(40, QLatin1Char('a'));
        QTest::newRow("the 41st character") << forty + "b" << forty;
        // Each ":-) " shows as one picture and a space, but is sent as four characters.
        const QString smileys = QString(":-) ").repeated(10);
        QTest::newRow("emoticons in text form") << smileys + "b" << smileys;
    }
    void subjectLimit()
    {
        QFETCH(QString, typed);
        MmsEditorPage* page = m_host->newMessage();
        page->subjectEdit->setFocus();
        QTest::keyClicks(page->subjectEdit, typed);
        QTEST(page->subjectEdit->plainText(), "expected");
    }

    void returnInSubjectMovesOn()
    {
        QApplication::setActiveWindow(&m_host->window);
        MmsEditorPage* page = m_host->newMessage();
        page->subjectEdit->setFocus();
        // The keypad's Enter is typed, only Return moves on.
        QTest::keyClick(page->subjectEdit, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(page->subjectEdit->hasFocus());
        page->subjectEdit->setText(QString());
        QTest::keyClick(page->subjectEdit, Qt::Key_Return);
        QTRY_VERIFY(page->bodyEdit->hasFocus());
        QVERIFY(page->subjectEdit->plainText().isEmpty());
        page->addFileAttachmentsFromUri(urisOf("p1"));
        page->subjectEdit->setFocus();
        QTest::keyClick(page->subjectEdit, Qt::Key_Return);
        QTRY_VERIFY(page->attachmentList.first()->textEdit->hasFocus());
    }

    void isEmpty_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("empty");
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("only Cc") << "cc" << true;
        QTest::newRow("To") << "to" << false;
        QTest::newRow("body") << "body" << false;
        QTest::newRow("a slide") << "slide" << false;
        QTest::newRow("everything while sending") << "sending" << true;
    }
    void isEmpty()
    {
        QFETCH(QString, field);
        const auto filled = [&](const char* name) { return field == name || field == "sending"; };
        MmsEditorPage* page =
            m_host->newMessage(filled("body") ? "Hello" : "", filled("to") ? "+358401234567" : "");
        if (filled("cc"))
            page->recipientsEdit->setCc(recipientsOf("+358401234567"));
        if (field == "slide")
            page->addFileAttachmentsFromUri(urisOf("p1"));
        if (field == "sending")
            page->sender = new MessageSender("+358401234567", QString(), true, page);
        QTEST(page->isEmpty(), "empty");
    }

    // The host opens no second editor for an equal page: Cc and Bcc do not count; recipients,
    // subject and the order of the files do.
    void isEqual()
    {
        const QStringList files{"file:///a.jpg", "file:///b.jpg"};
        const auto page = [&](const QString& to, const QString& subject, const QStringList& list) {
            return std::make_unique<MmsEditorPage>(&m_host->manager, recipientsOf(to), subject, "B",
                                                   "t", list);
        };
        const auto reference = page("+1", "S", files);
        const auto same = page("+1", "S", files);
        same->ccList << "+9";
        const std::unique_ptr<MmsEditorPage> others[] = {
            page("+2", "S", files), page("+1", "X", files), page("+1", "S", {files[1], files[0]})};
        QVERIFY(reference->isEqual(*same));
        for (const auto& other : others)
            QVERIFY(!reference->isEqual(*other));
        QVERIFY(!reference->isEqual(BasePage(&m_host->manager)));
    }

    // In portrait the keyboard takes the header's room; it comes back with the keyboard gone.
    void keyboardHidesTheHeaderInPortrait_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("keyboard");
        QTest::addColumn<bool>("headerShown");
        QTest::addRow("portrait with keyboard")
            << QSize(480, 854) << QRect(0, 500, 480, 354) << false;
        QTest::addRow("portrait, keyboard gone") << QSize(480, 854) << QRect() << true;
        QTest::addRow("landscape with keyboard")
            << QSize(854, 480) << QRect(0, 200, 854, 280) << true;
    }
    void keyboardHidesTheHeaderInPortrait()
    {
        QFETCH(QSize, window);
        QFETCH(QRect, keyboard);
        m_host->window.resize(window);
        MmsEditorPage* page = m_host->newMessage();
        const auto reset =
            qScopeGuard([] { TkInputMethodState::instance()->setInputMethodArea({}); });
        // A keyboard first, so that the header coming back is seen as well.
        for (const QRect& area : {QRect(0, 500, 480, 354), keyboard}) {
            TkInputMethodState::instance()->setInputMethodArea(area);
            QCoreApplication::processEvents();
        }
        QTEST(page->mainPolicy->indexOf(page->headerPanel) == 0, "headerShown");
        QTEST(page->headerPanel->isVisible(), "headerShown");
    }

    // Rounded up to whole kilobytes, against the configured limit.
    void sizeMeterFollowsTheMessage()
    {
        setEditorConfig(102400);
        MmsEditorPage* page = m_host->newMessage(QString(1025, QLatin1Char('x')));
        QCOMPARE(page->sizeMeter->text(), QStringLiteral("2 kB of 100 kB"));
        page->bodyEdit->setText(QString(1024, QLatin1Char('x')));
        QCOMPARE(page->sizeMeter->text(), QStringLiteral("1 kB of 100 kB"));
    }

    // Content names joined with ' '; the banner is a translation id.
    void contentPolicy_data()
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
        row("4th picture at 100 kB stops the selection", 102400, false, "p1 p2 p3 p4 amr",
            "p1 p2 p3", full);
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
    void contentPolicy()
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

    void restrictedModeRefusesRemovalToo()
    {
        setEditorConfig(307200, true);
        MmsEditorPage* page = m_host->newMessage();
        page->imageCount = 2;
        QCOMPARE(QList<int>({page->updateContentPolicy(false, "image/png", false, QString()),
                             page->imageCount,
                             page->updateContentPolicy(false, "image/jpeg", false, QString()),
                             page->imageCount}),
                 QList<int>({1, 2, 2, 1}));
    }

    void handedOverEntries_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("warning"); // with the banner "qtn_mms_info_attch_nsupp"
        const QString picture = "file://" + m_folder + "/p1.jpg";
        QTest::newRow("a missing local file")
            << QStringList{"file:///nowhere/gone.jpg", picture} << "p1"
            << "[MMS-EDITROR] Faield to get Tracjer URN for file \"file:///nowhere/gone.jpg\"";
        QTest::newRow("an unknown index entry")
            << QStringList{"urn:uuid:unknown"} << ""
            << "[MMS-EDITROR] Attachment type 0 is not supported yet";
    }
    // Entries handed over with a new message: the page adds them once it is built.
    void handedOverEntries()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, added);
        QFETCH(QString, warning);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        MmsEditorPage* page = m_host->open(
            new MmsEditorPage(&m_host->manager, {}, QString(), QString(), QString(), entries));
        QTRY_COMPARE(slideSources(page), urisOf(added));
        QTRY_COMPARE(m_host->banners(), translated("qtn_mms_info_attch_nsupp"));
    }

    void contactCards_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("vcardType");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("the same name twice, vCard 2.1 from the settings")
            << QStringList{"Ann|Lee", "Ann|Lee"} << "2.1"
            << QStringList{"Ann_Lee.vcf", "Ann_Lee0.vcf"};
        QTest::newRow("only spaces")
            << QStringList{"  | "} << "3.0" << QStringList{"vcard??????.vcf"};
        QTest::newRow("slashes and dots stay in the folder")
            << QStringList{"../..|x/y"} << "3.0" << QStringList{".._.._x_y.vcf"};
    }
    void contactCards()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, vcardType);
        QFETCH(QStringList, files);
        if (vcardType != "3.0") // the default
            QSettings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts")
                .setValue("vcardType", vcardType);
        MmsEditorPage* page = m_host->newMessage();
        for (int i = 0; i < names.size(); ++i) {
            const QString uri =
                addContact(names.at(i).section('|', 0, 0), names.at(i).section('|', 1));
            QVERIFY(!uri.isEmpty());
            page->addContactCardAttachmentsFromUri({uri});
            QTRY_COMPARE(page->attachmentList.size(), i + 1);
        }
        QCoreApplication::processEvents();
        QCOMPARE(page->attachmentList.size(), files.size());
        for (int i = 0; i < files.size(); ++i) {
            const QFileInfo card(page->attachmentList.at(i)->fileName);
            QCOMPARE(card.absolutePath(), page->messageFolder);
            QVERIFY2(QDir::match(files.at(i), card.fileName()), qPrintable(card.fileName()));
            QFile file(card.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly) &&
                    file.readAll().contains("VERSION:" + vcardType.toUtf8()));
        }
        QVERIFY(m_host->banners().isEmpty());
    }

    void calendarEntry_data()
    {
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("file");
        QTest::newRow("summary") << QString("Team / lunch") << "Team___lunch.vcs";
        QTest::newRow("no summary") << QString() << "vcalendar??????.vcs";
    }
    // The entry from the calendar store, written once into the message folder (its format is
    // the calendar writer's own test).
    void calendarEntry()
    {
        QFETCH(QString, summary);
        QFETCH(QString, file);
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
        QVERIFY2(QDir::match(file, QFileInfo(written).fileName()), qPrintable(written.fileName()));
        QVERIFY(written.open(QIODevice::ReadOnly) &&
                written.readAll().contains(entry->uid().toUtf8()));
        QVERIFY(m_host->banners().isEmpty());
    }

    // The body text and the first slide's text are one: it moves in and comes back;
    // converting to a text message joins the slide texts.
    void bodyTextAndSlides()
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

    // Addresses joined with ';'; the outcome is empty when nothing is sent, else where the
    // application switched to and the header's To (and whether it has a Bcc key).
    void sendChecks_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("bcc");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, Situation situation, const QString& to,
                            const QString& bcc, const QString& body, int answer,
                            const QString& banner, const QString& outcome) {
            QTest::newRow(name) << int(situation) << to << bcc << body << answer << banner
                                << outcome;
        };
        const QString one = "+358401234567";
        const QString sentToOne = "conversation +358401234567 to=+358401234567";
        row("one address: its conversation", Plain, one, "", "Hi", noDialog, "", sentToOne);
        row("backup lock", Locked, one, "", "Hi", noDialog, qtTrId("qtn_comm_send_restore"), "");
        row("second press", SecondPress, one, "", "Hi", noDialog, "", "");
        row("conversion running", Converting, one, "", "Hi", noDialog, "", "");
        row("invalid recipient: one banner for two presses", PressedTwice, one + ";nobody", "",
            "Hi", noDialog, "nobody", "");
        row("low storage", LowSpace, one, "", "Hi", noDialog,
            qtTrId("qtn_mms_info_memory_low_send"), "");
        row("no recipient", Plain, "", "", "Hi", noDialog, "", "");
        row("ten addresses: the inbox", Plain, numbers(10), "", "Hi", noDialog, "",
            "inbox to=" + numbers(10));
        row("eleven addresses", Plain, numbers(11), "", "Hi", noDialog,
            qtTrId("qtn_mms_too_many_recipients").arg(10), "");
        // Sent and switched to as cleaned, not as typed.
        row("punctuated number cleaned", Plain, "+1 (555) 123-45.67", "", "Hi", noDialog, "",
            "conversation +15551234567 to=+15551234567");
        row("same number in To and Bcc: once, in To", Plain, one, "+358 40 123 4567", "Hi",
            noDialog, "", sentToOne);
        row("empty message, Yes", Plain, one, "", "", TkQueryDialog::Yes, "", sentToOne);
        row("empty message, No", Plain, one, "", "", TkQueryDialog::No, "", "");
        row("lost attachment", Lost, one, "", "Hi", noDialog, qtTrId("qtn_comm_attachment_lost"),
            "");
        row("no message centre", NoCentre, one, "", "Hi", noDialog, "", "");
    }
    // Every way a send press can end: what the user sees, whether the message goes and
    // where the application switches to.
    void sendChecks()
    {
        QFETCH(int, situation);
        QFETCH(int, answer);
        QFETCH(QString, banner);
        QFETCH(QString, outcome);
        QFETCH(QString, to);
        QFETCH(QString, bcc);
        QFETCH(QString, body);
        MmsEditorPage* page = m_host->newMessage(body, to);
        page->recipientsEdit->showCcBcc(true);
        page->recipientsEdit->setBcc(recipientsOf(bcc));
        QPointer<MmsEditorPage> alive(page);
        SendOutcome sent(*m_host, page);
        QTemporaryDir source;
        const QString picture = source.filePath("lost.png");
        QFile lock(MmsMessageFolder::backupLockPath());
        if (situation == Locked)
            QVERIFY(QDir().mkpath(QFileInfo(lock).path()) && lock.open(QIODevice::WriteOnly));
        page->sendStarted = situation == SecondPress;
        if (situation == Converting)
            page->slotOnResizeStarted();
        if (situation == Lost) {
            QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(picture));
            QVERIFY(page->addAttachment(picture, "image/png", QString(), QString(), false));
            QVERIFY(QFile::remove(picture));
        }
        if (situation == LowSpace)
            mmsui::utils::setFreeSpaceProbe([] { return false; });
        if (situation == NoCentre)
            QVERIFY(writeProfile(QString()));
        page->slotOnSend();
        if (situation == PressedTwice) {
            QTRY_VERIFY(!m_host->banners().isEmpty());
            page->slotOnSend();
        }
        TkQueryDialog* dialog = nullptr;
        if (answer != noDialog) {
            QTRY_VERIFY((dialog = dialogTitled("qtn_mms_error_message_empty_title")));
            dialog->done(answer);
        }
        if (outcome.isEmpty())
            QTest::qWait(300);
        QTRY_COMPARE(sent.switched, outcome.isEmpty() ? QString() : outcome);
        QCOMPARE(m_host->banners(), banner.isEmpty() ? QStringList() : QStringList{banner});
        if (!outcome.isEmpty()) {
            QTRY_VERIFY(alive.isNull());
            return;
        }
        QVERIFY(!page->sender);
        QCOMPARE(page->sendStarted, situation == SecondPress);
        QVERIFY(page->attachmentList.isEmpty());
        if (situation == NoCentre) {
            QTRY_VERIFY((dialog = dialogTitled("qtn_mms_error_sending_failed_title")));
            delete dialog;
            QCOMPARE(fileMode(page->messageFolder), 0755);
        }
    }

    // A picture with a slide text sent from the page: its quick resize shows no spinner, and
    // the folder holds the SMIL and the parts.
    void pictureMessageLandsAsFolder()
    {
        MmsEditorPage* page = m_host->newMessage(QString(), "+358401234567");
        page->createAttachments({addPicture("sent.png")});
        QTRY_COMPARE(page->attachmentList.size(), 1);
        page->attachmentList.first()->textEdit->setText("Hi");
        const QString folder = page->messageFolder;
        SendOutcome sent(*m_host, page);
        page->slotOnSend();
        QTRY_COMPARE_WITH_TIMEOUT(sent.switched,
                                  QString("conversation +358401234567 to=+358401234567"), 10000);
        QVERIFY(!sent.spinnerShown);
        QCOMPARE(sent.parts, 3);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
                 QStringList({"0.smil", "sent.png", "text_001.txt"}));
        QCOMPARE(fileMode(folder), 0555);
    }

    void recipientToolbar_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QStringList>("reached");
        QTest::newRow("attach") << "attach" << false << QStringList{"picker"};
        // The send press refuses the invalid recipient with a banner naming it.
        QTest::newRow("send") << "send" << false << QStringList{"nobody"};
        QTest::newRow("send while busy sending") << "send" << true << QStringList();
        QTest::newRow("other keys are typed") << "" << false << QStringList();
    }
    void recipientToolbar()
    {
        QFETCH(QString, item);
        QFETCH(bool, busy);
        QFETCH(QStringList, reached);
        MmsEditorPage* page = m_host->newMessage("Hi", "nobody");
        page->showSendButtons(!busy);
        QApplication::setActiveWindow(&m_host->window);
        QLineEdit* to = page->recipientsEdit->field(Tollis::RecipientsEdit::ToField);
        to->setFocus();
        const QString typed = to->text();
        if (item.isEmpty()) {
            QTest::keyClick(to, Qt::Key_K);
            QCOMPARE(to->text(), typed + "k");
            QTest::keyClick(to, Qt::Key_J, Qt::MetaModifier);
        } else {
            QCOMPARE(
                TkInputMethodState::instance()->triggerToolbarItem(page->recipientsToolbarId, item),
                !busy);
        }
        QTest::qWait(50);
        QTRY_COMPARE(page->attachmentPicker && page->attachmentPicker->isVisible()
                         ? QStringList{"picker"}
                         : m_host->banners(),
                     reached);
        QVERIFY(item.isEmpty() || to->text() == typed);
    }

    void eachNoteIsABannerOfItsOwn()
    {
        auto* window = new QWidget;
        window->show();
        MmsTimedBanner banner(window);
        QPointer<TkBanner> first = banner.showBanner(QStringLiteral("one"));
        QPointer<TkBanner> second = banner.showBanner(QStringLiteral("two"));
        QVERIFY(first && second && first != second && first->isVisible());
        first->setDuration(1); // gone once shown
        QTRY_VERIFY(!first && second);
        delete window;
        QVERIFY(!banner.showBanner(QStringLiteral("nobody sees this")));
    }

    void nothingUnderTheSpinnerReacts_data()
    {
        QTest::addColumn<bool>("sceneWindow");
        QTest::newRow("editor page's scene window") << true;
        QTest::newRow("quick-send widget's overlay") << false;
    }
    void nothingUnderTheSpinnerReacts()
    {
        QFETCH(bool, sceneWindow);
        QWidget page;
        page.resize(300, 300);
        auto* button = new QPushButton(QStringLiteral("Send"), &page);
        button->setGeometry(page.rect());
        MmsSpinnerOverlayWidget* overlay = nullptr;
        if (sceneWindow) {
            auto* window = new TkSceneWindow(&page);
            window->setView(overlay = new MmsSpinnerOverlayView);
            window->appear();
        } else {
            overlay = new MmsSpinnerOverlayWidget(&page);
            overlay->setGeometry(page.rect());
        }
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(overlay->spinner()->isSpinning() &&
                overlay->spinner()->geometry().center() == overlay->rect().center());
        QSignalSpy clicked(button, &QPushButton::clicked);
        for (const QPoint& point : {QPoint(20, 20), page.rect().center()})
            QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, point);
        QCOMPARE(clicked.count(), 0);
    }

    void contentTypeFollowsTheMimeType_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<MmsEditorAttachment::CONTENT_TYPE>("type");
        QTest::newRow("capital I") << "Image/JPEG" << MmsEditorAttachment::UNKNOWN;
        QTest::newRow("3GPP sound") << "audio/3gpp" << MmsEditorAttachment::AUDIO;
        QTest::newRow("3GPP video") << "video/3gpp" << MmsEditorAttachment::VIDEO;
        QTest::newRow("directory") << "text/directory" << MmsEditorAttachment::VCARD;
        QTest::newRow("vCard any case") << "text/x-vCard" << MmsEditorAttachment::VCARD;
        QTest::newRow("vCalendar upper case")
            << "TEXT/X-VCALENDAR" << MmsEditorAttachment::VCALENDAR;
    }
    void contentTypeFollowsTheMimeType()
    {
        QFETCH(QString, mime);
        QTEST(MmsEditorAttachment::contentTypeByMime(mime), "type");
    }

    void onlyPicturesHaveASizeLimit_data()
    {
        QTest::addColumn<QString>("mime");
        QTest::addColumn<qint64>("bytes"); // -1: no file
        QTest::addColumn<bool>("accepted");
        QTest::newRow("picture just under 10 MiB") << "image/jpeg" << qint64(10485759) << true;
        QTest::newRow("picture of 10 MiB") << "image/jpeg" << qint64(10485760) << false;
        QTest::newRow("missing picture") << "image/jpeg" << qint64(-1) << false;
        QTest::newRow("missing sound") << "audio/amr" << qint64(-1) << true;
        QTest::newRow("video of 20 MiB") << "video/mp4" << qint64(20971520) << true;
    }
    void onlyPicturesHaveASizeLimit()
    {
        QFETCH(QString, mime);
        QFETCH(qint64, bytes);
        const QString file = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(bytes < 0 || !writeFile(file, bytes).isEmpty());
        QTEST(MmsEditorAttachment::checkFileSize(file, mime), "accepted");
    }

    // Text in characters (five here, six bytes in UTF-8), the file in bytes.
    void sizeCountsCharactersAndBytes()
    {
        const QString sound = writeFile(m_dir.filePath("tune.amr"), 1234);
        QScopedPointer<MmsEditorAttachment> slide(addSlide(sound, "audio/amr", "h\u00e9llo"));
        QCOMPARE(QList<qint64>({slide->size(true, false), slide->size(false, true),
                                slide->size(true, true), slide->size(false, false)}),
                 QList<qint64>({5, 1234, 1239, 0}));
    }

    void exifOrientationTurnsThePicture_data()
    {
        QTest::addColumn<int>("orientation"); // 0: no Exif, -1: not a picture
        QTest::addColumn<int>("rotation");
        const QList<QPair<int, int>> rows{{6, 90}, {8, -90}, {3, 180}, {1, 0}, {0, 0}, {-1, 0}};
        for (const auto& row : rows)
            QTest::addRow("orientation %d", row.first) << row.first << row.second;
    }
    // A file that is no picture gives a slide the page refuses.
    void exifOrientationTurnsThePicture()
    {
        QFETCH(int, orientation);
        const QString picture = m_dir.filePath("photo.jpg");
        if (orientation < 0)
            TestPictures::writeFile(picture, "not a picture");
        else
            TestPictures::writeJpeg(picture, QSize(64, 48));
        if (orientation > 0)
            TestPictures::setExifOrientation(picture, orientation);
        QScopedPointer<MmsEditorAttachment> slide(addSlide(picture, "image/jpeg"));
        QTEST(slide->rotation, "rotation");
        QCOMPARE(slide->invalid(), orientation < 0);
    }

    // Resized twice: the earlier copy, which nothing uses any more, is gone at once; undoing
    // gives the user's picture back and removes the copy.
    void resizedPictureCanBeUndone()
    {
        const QString original = TestPictures::writePng(m_dir.filePath("big.png"), QSize(64, 48));
        QScopedPointer<MmsEditorAttachment> slide(addSlide(original, "image/png"));
        const QString first = TestPictures::writeJpeg(m_dir.filePath("small0.jpg"), QSize(32, 24));
        slide->setResizedFileName(first);
        const QString second = TestPictures::writeJpeg(m_dir.filePath("small1.jpg"), QSize(32, 24));
        slide->setResizedFileName(second);
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->initialFileName,
                               slide->temporary, QFile::exists(first)}),
                 QVariantList({second, "image/jpeg", original, true, false}));
        QTest::ignoreMessage(QtDebugMsg, "The image resize was canceled;");
        slide->undoResize();
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->temporary,
                               QFile::exists(second), QFile::exists(original)}),
                 QVariantList({original, "image/png", false, false, true}));
    }

    void onlyTemporaryFilesAreDeleted_data()
    {
        QTest::addColumn<QString>("resizedTo"); // "copy", "itself" (it fits) or none
        QTest::addColumn<bool>("byDestruction");
        for (const char* resizedTo : {"copy", "itself", ""}) {
            QTest::addRow("%s, cleared", resizedTo) << QString(resizedTo) << false;
            QTest::addRow("%s, slide removed", resizedTo) << QString(resizedTo) << true;
        }
    }
    // The user's picture stays whatever happens to the slide; a copy the resize made goes.
    void onlyTemporaryFilesAreDeleted()
    {
        QFETCH(QString, resizedTo);
        QFETCH(bool, byDestruction);
        const QString original = TestPictures::writePng(m_dir.filePath("mine.png"), QSize(8, 8));
        const QString copy = TestPictures::writeJpeg(m_dir.filePath("copy.jpg"), QSize(8, 8));
        QScopedPointer<MmsEditorAttachment> slide(addSlide(original, "image/png"));
        if (!resizedTo.isEmpty())
            slide->setResizedFileName(resizedTo == "copy" ? copy : original);
        QCOMPARE(slide->temporary, resizedTo == "copy");
        if (byDestruction) {
            slide.reset();
            QCOMPARE(m_slides->count(), 0);
        } else {
            slide->clearTemporary();
        }
        QVERIFY(QFile::exists(original));
        QCOMPARE(QFile::exists(copy), resizedTo != "copy");
    }

    void encodedVideoReplacesTheClip_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("durationMs");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("under a second") << "succeed" << QString("400") << 1 << "00:01";
        QTest::newRow("over a minute, task announced before its id")
            << "early-succeed" << QString("61500") << 61 << "01:01";
    }
    void encodedVideoReplacesTheClip()
    {
        QFETCH(QString, behaviour);
        QFETCH(QString, durationMs);
        QFETCH(int, seconds);
        QScopedPointer<MmsEditorAttachment> slide(encode(behaviour, durationMs));
        const QString original = slide->fileName;
        QSignalSpy finished(slide.data(), &MmsEditorAttachment::resizeFinished);
        QVERIFY(finished.wait());
        // The request: file URIs, the profile and the size limit in KB.
        const QString encoded = m_dir.filePath("temp/holiday.3gp");
        QCOMPARE(m_encoder->outputLines().first(),
                 QStringList({"createTaskFromUri", QUrl::fromLocalFile(original).toString(),
                              QUrl::fromLocalFile(encoded).toString(), "com.quenda.mms-video-rich",
                              "300", "false"})
                     .join(' '));
        QCOMPARE(QVariantList({slide->fileName, slide->mimeType, slide->initialFileName,
                               slide->initialMimeType, slide->durationSeconds, slide->temporary,
                               slide->encodingState}),
                 QVariantList({encoded, "video/3gpp", original, "video/mp4", seconds, true, 0}));
        QTEST(PreviewDuration::of(qobject_cast<MMSAttachmentWidget*>(slide->thumbnail)), "shown");
        QTRY_VERIFY(overlayOf(slide.data())->isHidden());
        // Only a picture goes back to its original.
        slide->undoResize();
        QCOMPARE(slide->fileName, encoded);
        QVERIFY(QFile::exists(encoded));
    }

    void everyEncodingFailureKeepsTheClip_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::newRow("service absent") << QString();
        QTest::newRow("error reply") << "error-reply";
        QTest::newRow("creation fails") << "fail-creation";
        QTest::newRow("start refused") << "refuse-start";
        QTest::newRow("encoding fails") << "fail-encoding";
        QTest::newRow("service vanishes") << "vanish";
    }
    void everyEncodingFailureKeepsTheClip()
    {
        QFETCH(QString, behaviour);
        QScopedPointer<MmsEditorAttachment> slide(encode(behaviour));
        const QString original = slide->fileName;
        QSignalSpy failed(slide.data(), &MmsEditorAttachment::resizeFailed);
        QVERIFY(failed.wait());
        QCOMPARE(QVariantList({failed.first().first(), slide->fileName, slide->encodingState,
                               slide->temporary, slide->taskId}),
                 QVariantList({original, original, 3, false, QString()}));
        if (QWidget* overlay = overlayOf(slide.data()))
            QTRY_VERIFY(overlay->isHidden());
        QCOMPARE(failed.count(), 1);
    }

    // Cancel on a task that stalled at three of four; the service's report of the cancelled task
    // is not a failure.
    void cancelEndsTheTask()
    {
        QScopedPointer<MmsEditorAttachment> slide(encode("stall"));
        const QString original = slide->fileName;
        QSignalSpy canceled(slide.data(), &MmsEditorAttachment::resizeCanceled);
        QSignalSpy failed(slide.data(), &MmsEditorAttachment::resizeFailed);
        VideoEncodingInterface service(encoderService, "/", QDBusConnection::sessionBus());
        QSignalSpy reports(&service, &VideoEncodingInterface::taskFinished);
        QTRY_COMPARE(progressOf(slide.data()) ? progressOf(slide.data())->value() : -1, 75);
        slide->thumbnail->findChild<QPushButton*>()->click();
        QTRY_VERIFY(overlayOf(slide.data())->isHidden());
        QCOMPARE(QVariantList({canceled.count(), canceled.value(0).value(0), slide->taskId}),
                 QVariantList({1, original, QString()}));
        QVERIFY(m_encoder->waitForLine("cancelTask task-1"));
        QVERIFY(QFile::exists(original));
        QVERIFY(!reports.isEmpty() || reports.wait());
        QCOMPARE(failed.count(), 0);
    }
};

QTEST_MAIN(TestMmsEditorPage)
#include "tst_mmseditorpage.moc"
