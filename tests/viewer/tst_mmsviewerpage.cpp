#include "chatsessionmanager.h"
#include "imagemedia.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsdownloader.h"
#include "storage.h"
#include "tkbanner.h"
#include "tkquerydialog.h"
#include "tksaveasdialog.h"
#include "tktheme.h"
#include "viewertest.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

// The viewer page of fetched, sent and received messages, with the real connection manager
// program on the test's bus for downloads and read reports.

Q_DECLARE_METATYPE(Chronel::MessagePart)

namespace {

using Event = Chronel::Event;
using Part = Chronel::MessagePart;
using Parts = QList<Part>;
const QString kRemote = QStringLiteral("+358401234567");
const int kNoQuestion = -1;

template <typename T = QWidget> T* child(QObject* page, const char* name)
{
    return page ? page->findChild<T*>(QLatin1String(name)) : nullptr;
}

bool isShown(QObject* page, const char* name)
{
    const auto* widget = child(page, name);
    return widget && widget->isVisible();
}

bool modify(Event event)
{
    return Chronel::HistoryStore::instance()->modifyEvent(event);
}

int downloaderCount()
{
    return QCoreApplication::instance()->findChildren<MMSDownloader*>().size();
}

} // namespace

class TestMmsViewerPage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
    ViewerHost* m_host = nullptr;
    MmsViewerPage* m_page = nullptr;

    QString file(const QString& name, const QByteArray& content)
    {
        return imagemedia::writeBytes(m_files.filePath(name), content);
    }

    Parts pictureAndNote()
    {
        return {Part("<photo.png>", "image/png",
                     imagemedia::writePicture(m_files.filePath("photo.png"), 64, 48, Qt::red)),
                Part("<note.txt>", "text/plain", file("note.txt", "See you"), "See you")};
    }

    MmsViewerPage* open(const Event& event) { return m_page = m_host->open(event); }
    MmsViewerPage* openChanged(const Event& event) { return modify(event) ? open(event) : nullptr; }

    QString text(const char* label) const
    {
        const auto* shown = child<QLabel>(m_page, label);
        return shown ? shown->text() : QString();
    }
    QPushButton* button() const { return child<QPushButton>(m_page, "mmsViewerDownloadButton"); }

private slots:
    void initTestCase()
    {
        forgetUserData();
        installCatalogue();
        // Sizes as the theme gives them.
        TkTheme::registerLibrary("libdravel");
        QVERIFY(m_files.isValid());
        m_control = newControl(this);
    }

    void init()
    {
        setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND);
        ChatSessionManager::instance()->reset();
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
        m_connectionManager->setStepInterval(150);
        QVERIFY(m_connectionManager->start());
        m_host = new ViewerHost;
    }

    void cleanup()
    {
        delete m_host;
        delete m_connectionManager;
        mmsui::utils::setPrivateStorageCheck({});
    }

    void timestampShowsTheStatusOfSentMessages_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("readStatus");
        QTest::addColumn<bool>("reportRequested");
        QTest::addColumn<bool>("deliveryReports");
        QTest::addColumn<QString>("shownStatus");
        const int in = Event::Inbound;
        const int out = Event::Outbound;
        QTest::addRow("delivered, reports off") << out << 3 << 0 << false << false << QString();
        QTest::addRow("delivered, reports on") << out << 3 << 0 << false << true << "Delivered";
        QTest::addRow("read") << out << 3 << 1 << false << false << "Read";
        QTest::addRow("deleted unread")
            << out << 3 << 2 << false << false << "Deleted without reading";
        QTest::addRow("sent, report asked") << out << 2 << 0 << true << false << "Delivery pending";
        QTest::addRow("sent, no report asked") << out << 2 << 0 << false << false << QString();
        QTest::addRow("failed") << out << 5 << 0 << false << false << "Delivery failed";
        QTest::addRow("received") << in << 3 << 1 << false << true << QString();
    }

    void timestampShowsTheStatusOfSentMessages()
    {
        QFETCH(int, direction);
        QFETCH(int, status);
        QFETCH(int, readStatus);
        QFETCH(bool, reportRequested);
        QFETCH(bool, deliveryReports);
        QFETCH(QString, shownStatus);
        setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND, deliveryReports);
        Event event = storedMessage(Event::EventDirection(direction), pictureAndNote());
        event.setStatus(Event::EventStatus(status));
        event.setReadStatus(Event::ReadStatus(readStatus));
        event.setReportDelivery(reportRequested);
        event.setSubject("Harbour");
        QVERIFY(openChanged(event));
        const TkLocale locale;
        const QString when =
            locale.formatDateTime(event.startTime(), TkLocale::DateShort, TkLocale::TimeNone) +
            " | " +
            locale.formatDateTime(event.startTime(), TkLocale::DateNone, TkLocale::TimeShort);
        QTRY_COMPARE(text("mmsViewerDate"),
                     shownStatus.isEmpty() ? when : when + " | " + shownStatus);
    }

    void sizeLabel_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addRow("1023") << 1023 << "Size: 1023 bytes";
        QTest::addRow("1024") << 1024 << "Size: 1 kB";
        QTest::addRow("1048575") << 1048575 << "Size: 1023 kB";
        QTest::addRow("1048576") << 1048576 << "Size: 1 MB";
    }

    void sizeLabel()
    {
        QFETCH(int, bytes);
        QFETCH(QString, shown);
        Event event = storedMessage(Event::Inbound, pictureAndNote());
        event.setBytesReceived(bytes);
        QVERIFY(openChanged(event));
        QTRY_COMPARE(text("mmsViewerSize"), shown);
    }

    // Without a subject the date takes its place; the expand button shows details only when
    // there are some beyond what shows already, To, Cc and Bcc from top to bottom.
    void subjectAndAddressRows_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("to");
        QTest::addColumn<bool>("expandable");
        QTest::addRow("subject") << "Harbour" << QStringList() << true;
        QTest::addRow("no subject, no rows") << QString() << QStringList() << false;
        QTest::addRow("no subject, rows") << QString() << QStringList{"+358401111111"} << true;
    }

    void subjectAndAddressRows()
    {
        QFETCH(QString, subject);
        QFETCH(QStringList, to);
        QFETCH(bool, expandable);
        Event event = storedMessage(Event::Inbound, pictureAndNote());
        event.setSubject(subject);
        event.setToList(to);
        if (!to.isEmpty()) {
            event.setCcList({"+358402222222"});
            event.setBccList({"+358403333333"});
        }
        QVERIFY(openChanged(event));
        QTRY_COMPARE(shownSlides(m_page).size(), 2);
        QCOMPARE(
            qMakePair(isShown(m_page, "mmsViewerDate"), isShown(m_page, "mmsViewerSubjectLabel")),
            qMakePair(subject.isEmpty(), !subject.isEmpty()));
        auto* expand = child<QToolButton>(m_page, "mmsViewerExpandButton");
        QCOMPARE(expand->isVisible(), expandable);
        if (to.isEmpty())
            return;
        expand->click();
        QTRY_VERIFY(isShown(m_page, "mmsViewerToValue"));
        QCOMPARE(plainText(text("mmsViewerToValue")), to.first());
        const auto top = [this](const char* name) {
            return child(m_page, name)->mapTo(m_page, {}).y();
        };
        QVERIFY(top("mmsViewerToLabel") < top("mmsViewerCcLabel"));
        QVERIFY(top("mmsViewerCcLabel") < top("mmsViewerBccLabel"));
    }

    // An e-mail address gets the multimedia editor, a phone number a text message; a part in
    // private storage takes Forward away.
    void toolbar_data()
    {
        QTest::addColumn<QString>("remoteUid");
        QTest::addColumn<bool>("privatePart");
        QTest::addRow("e-mail address, a part in private storage") << "friend@example.com" << true;
        QTest::addRow("phone number, ordinary parts") << "+358401234567" << false;
    }

    void toolbar()
    {
        QFETCH(QString, remoteUid);
        QFETCH(bool, privatePart);
        mmsui::utils::setPrivateStorageCheck([privatePart](const QString& path) {
            return privatePart && path.endsWith("photo.png");
        });
        const Event event = storedMessage(Event::Inbound, pictureAndNote(), remoteUid);
        open(event);
        QList<QPair<int, QString>> textEditors;
        connect(m_page, &MmsViewerPage::showMessageEditor, this,
                [&](Event::EventType type, const Tollis::RecipientList& recipients) {
                    textEditors << qMakePair(
                        int(type), recipients.value(0).value(Tollis::RecipientAddress).toString());
                });
        QTRY_VERIFY(child<QAction>(m_page, "mmsViewReplyTollbarAction"));
        auto* forward = child<QAction>(m_page, "mmsViewForwardTollbarAction");
        QCOMPARE(forward && forward->isVisible(), !privatePart);
        child<QAction>(m_page, "mmsViewReplyTollbarAction")->trigger();
        const bool email = remoteUid.contains('@');
        using Editors = QList<QPair<int, int>>;
        using TextEditors = QList<QPair<int, QString>>;
        QCOMPARE(m_host->manager.editorRequests, (email ? Editors{{event.id(), 2}} : Editors()));
        QCOMPARE(textEditors, (email ? TextEditors() : TextEditors{{Event::SMSEvent, remoteUid}}));
    }

    // Wrapped text takes the lines it needs beside its picture: nothing of a slide is cut off.
    void slidesShowTheirWholeContent()
    {
        Parts parts = pictureAndNote();
        parts[1].setPlainTextContent("Shopping list for the weekend: bread, cheese, tomatoes, "
                                     "olives and something sweet.\nSee you at six!");
        parts.prepend(Part("<0.smil>", "application/smil", QString(),
                           "<smil><body><par><img src=\"photo.png\"/><text src=\"note.txt\"/>"
                           "</par></body></smil>"));
        open(storedMessage(Event::Inbound, parts));
        QTRY_COMPARE(shownSlides(m_page).size(), 1);
        auto* picture = child(m_page, "mmsViewerAttachmentThumbnail");
        auto* text = child(m_page, "mmsViewerSlideText");
        const QWidget* slide = picture->parentWidget();
        QTRY_VERIFY(text->height() >= text->heightForWidth(text->width()));
        QVERIFY(slide->height() >= slide->heightForWidth(slide->width()));
        QCOMPARE(picture->size(), picture->sizeHint());
    }

    // Back while the slides are rebuilt (the message changed in the store) closes the page
    // only once they are.
    void backDuringRebuildWaitsForTheRebuild()
    {
        Parts parts;
        for (int i = 0; i < 12; ++i)
            parts << Part(QString("<t%1>").arg(i), "text/plain", QString(), QString::number(i));
        Event event = storedMessage(Event::Inbound, parts.mid(0, 8));
        QPointer<MmsViewerPage> page = open(event);
        QTRY_COMPARE(shownSlides(page).size(), 8);
        int slidesWhenClosed = 0;
        connect(&m_host->window, &TkApplicationWindow::pageDismissed, this,
                [&](TkApplicationPage* closed) { slidesWhenClosed = shownSlides(closed).size(); });
        QTimer press;
        connect(&press, &QTimer::timeout, this, [&] {
            if (page && page->isBuildingSlides()) {
                press.stop();
                emit page->backButtonClicked();
            }
        });
        press.start(0);
        event.setMessageParts(parts);
        QVERIFY(modify(event));
        QTRY_VERIFY(page.isNull());
        QCOMPARE(slidesWhenClosed, 12);
    }

    void saveAllAttachmentsCopiesIntoTheChosenFolder()
    {
        const QString folder = m_files.filePath("saved/Harbour");
        Parts parts = pictureAndNote();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(m_files.filePath("photo.png"), folder + "/photo.png"));
        parts.prepend(
            Part("<0.smil>", "application/smil", m_files.filePath("none.smil"), "<smil/>"));
        parts << Part("<gone.txt>", "text/plain", file("gone.txt", "x"), "x");
        Event event = storedMessage(Event::Inbound, parts);
        event.setSubject("Harbour");
        QVERIFY(openChanged(event));
        QTRY_VERIFY(child<QAction>(m_page, "mmsViewSaveAllAction"));
        child<QAction>(m_page, "mmsViewSaveAllAction")->trigger();
        auto* dialog = m_page->findChild<TkSaveAsDialog*>();
        QVERIFY(dialog && dialog->isFolderMode());
        QCOMPARE(dialog->fileNameEdit()->text(), QString("Harbour"));
        dialog->setDestinationFolder(m_files.filePath("saved"));
        // A part file gone before the save is left out of the count, not reported as saved.
        QVERIFY(QFile::remove(m_files.filePath("gone.txt")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^\\[MMS-VIEW\\] Failed to save .*gone"));
        dialog->saveButton()->click();
        // The name taken already gets a counter.
        QVERIFY(QFile::exists(folder + "/photo_001.png"));
        QVERIFY(QFile::exists(folder + "/note.txt"));
        QCOMPARE(m_page->findChild<TkBanner*>()->title(), QString("2 attachments saved"));
    }

    // Received messages come from strangers; each case is written straight into the history
    // store (the connection manager would refuse some): the page shows what it can.
    void hostileMessages_data()
    {
        QTest::addColumn<Parts>("parts");
        QTest::addColumn<QStringList>("slides");
        const auto smil = [](const QByteArray& body) {
            return Part("<0.smil>", "application/smil", "0.smil",
                        QString::fromUtf8("<smil><body>" + body + "</body></smil>"));
        };
        // A message of one part file, shown as that file.
        const auto single = [this](const char* tag, const QString& name, const char* type,
                                   const QByteArray& content, const QString& text = QString()) {
            QTest::addRow("%s", tag)
                << Parts{Part('<' + name + '>', type, file(name, content), text)}
                << QStringList{name};
        };
        const Part picture("<a.png>", "image/png",
                           imagemedia::writePicture(m_files.filePath("a.png"), 32, 24, Qt::blue));
        const Part note("<b.txt>", "text/plain", file("b.txt", "B"), "B");
        Parts many;
        QStringList manySlides;
        for (int i = 0; i < 500; ++i) {
            manySlides << QString("slide %1").arg(i);
            many << Part(QString("<t%1>").arg(i, 3, 10, QChar('0')), "text/plain", QString(),
                         manySlides.last());
        }
        QTest::addRow("500 parts") << many << manySlides;
        // Repeats beyond one per part of the message are left out.
        QTest::addRow("presentation names one part 3000 times")
            << Parts{smil(QByteArray("<par><img src=\"a.png\"/></par>").repeated(3000)), picture,
                     note}
            << QStringList{"a.png", "a.png", "a.png", "a.png", "B"};
        const QByteArray tenMegabytes(10 * 1024 * 1024, 'x');
        single("10 MB text part", "big.txt", "text/plain", tenMegabytes, tenMegabytes);
        single("corrupt picture", "corrupt.jpg", "image/jpeg",
               QByteArray("\xff\xd8 junk").repeated(99));
        single("1,000 contact cards", "cards.vcf", "text/x-vcard",
               QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Friend;Ann\r\nTEL:+358401111111\r\n"
                          "END:VCARD\r\n")
                   .repeated(1000));
        QTest::addRow("part file missing")
            << Parts{Part("<x.jpg>", "image/jpeg", m_files.filePath("nowhere/x.jpg"))}
            << QStringList{"x.jpg"};
        QTest::addRow("presentation names missing parts")
            << Parts{smil("<par><img src=\"a.png\"/><text src=\"gone.txt\"/></par><par><img "
                          "src=\"cid:gone.png\"/></par>"),
                     picture, note}
            << QStringList{"a.png", "B"};
        // Every part in message order, the presentation too.
        QTest::addRow("presentation not well-formed")
            << Parts{Part("<0.smil>", "application/smil", "0.smil", "<smil><body><par><img"),
                     picture}
            << QStringList{"0.smil", "a.png"};
    }

    void hostileMessages()
    {
        QFETCH(Parts, parts);
        QFETCH(QStringList, slides);
        QPointer<MmsViewerPage> page = open(storedMessage(Event::Inbound, parts));
        QTRY_VERIFY_WITH_TIMEOUT(!shownSlides(page).isEmpty(), 60000);
        QCOMPARE(shownSlides(page), slides);
        QVERIFY(!page->isBuildingSlides());
    }

    // Every way a download goes wrong offers to retrieve it again, and that works.
    void downloadTrouble_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<uint>("state");
        QTest::addRow("fails") << "Retrieving the message failed" << 4u;
        QTest::addRow("cancel") << "Retrieval stopped" << 3u;
        QTest::addRow("connection manager leaves mid-way") << "Retrieving the message failed" << 4u;
        QTest::addRow("connection manager away at opening")
            << "Retrieving the message failed" << 4u;
    }

    void downloadTrouble()
    {
        QFETCH(QString, shown);
        QFETCH(uint, state);
        const QString trouble = QTest::currentDataTag();
        const bool stalled = trouble == "cancel" || trouble.endsWith("mid-way");
        const bool away = trouble.endsWith("at opening");
        if (trouble == "fails")
            m_control->FailNextDownload(5);
        else if (stalled)
            m_control->StallNextDownload();
        const QString token = "trouble-" + QString::number(qHash(trouble));
        const QDBusReply<int> queued = m_control->QueueMessage(
            writeMessageFolder(m_files.path(), token), messageHeaders(kRemote, token));
        QVERIFY(queued.isValid());
        if (away)
            QVERIFY(m_connectionManager->stop());
        open(storedEvent(queued.value()));
        QTRY_VERIFY(button());
        if (stalled) {
            // Stalled after its first data; the end of another message's download changes
            // nothing.
            const auto* progress = child<QProgressBar>(m_page, "mmsViewerDownloadProgress");
            QTRY_COMPARE(progress->value(), 20);
            QVERIFY(progress->isVisible() &&
                    !child<QAction>(m_page, "mmsViewReplyAllTollbarAction")->isVisible());
            QCOMPARE(button()->text(), QString("Cancel"));
            m_page->onDownloadingCompleted("another", 0);
            m_page->onDownloadingCompleted("another", 5);
            QCOMPARE(m_page->downloadState(), uint(MmsViewerPage::Downloading));
            QCOMPARE(text("mmsViewerBody"), QString("Retrieving message"));
            if (trouble == "cancel")
                button()->click();
            else
                QVERIFY(m_connectionManager->kill());
        }
        QTRY_COMPARE(button()->text(), QString("Retrieve again"));
        QCOMPARE(text("mmsViewerBody"), shown);
        QCOMPARE(m_page->downloadState(), state);
        if (trouble == "cancel")
            QTRY_COMPARE(storedEvent(queued.value()).status(), Event::DeliveredStatus);
        if (away || trouble.endsWith("mid-way"))
            QVERIFY(m_connectionManager->start());
        button()->click();
        QCOMPARE(text("mmsViewerBody"), QString("Retrieving message"));
        QTRY_COMPARE(shownSlides(m_page), QStringList{"photo.jpg + See you at six"});
        QCOMPARE(m_page->downloadState(), uint(MmsViewerPage::Idle));
        QVERIFY(child<QAction>(m_page, "mmsViewReplyAllTollbarAction")->isVisible());
    }

    // By the settings' mode and the event's flags; asked or sent once, opening the message
    // again asks nothing.
    void readReportDecision_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("requested");
        QTest::addColumn<bool>("alreadySent");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("sent");
        const int in = Event::Inbound;
        const int out = Event::Outbound;
        QTest::addRow("sent message") << 1 << out << true << false << kNoQuestion << false << false;
        QTest::addRow("no report asked")
            << 1 << in << false << false << kNoQuestion << false << false;
        QTest::addRow("report sent before")
            << 0 << in << true << true << kNoQuestion << true << false;
        QTest::addRow("ask, no") << 0 << in << true << false << int(TkQueryDialog::No) << true
                                 << false;
        QTest::addRow("always send") << 1 << in << true << false << kNoQuestion << true << true;
        QTest::addRow("never send") << 2 << in << true << false << kNoQuestion << false << false;
        QTest::addRow("ask, yes") << 0 << in << true << false << int(TkQueryDialog::Yes) << true
                                  << true;
    }

    void readReportDecision()
    {
        QFETCH(int, mode);
        QFETCH(int, direction);
        QFETCH(bool, requested);
        QFETCH(bool, alreadySent);
        QFETCH(int, answer);
        QFETCH(bool, marked);
        QFETCH(bool, sent);
        setReadReportMode(mode);
        Event event = storedMessage(Event::EventDirection(direction),
                                    {Part("<note.txt>", "text/plain", QString(), "See you")});
        event.setMmsId(QStringLiteral("mms-%1").arg(event.id()));
        event.setReportReadRequested(requested);
        event.setReportRead(alreadySent);
        QVERIFY(modify(event));
        const int downloadersBefore = downloaderCount();
        QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);
        open(event);
        QTRY_COMPARE(shownSlides(m_page).size(), 1);
        auto* question = m_page->findChild<TkQueryDialog*>();
        QCOMPARE(question != nullptr, answer != kNoQuestion);
        if (question) {
            QCOMPARE(question->title(), QString("The sender asks for a read report. Send it?"));
            question->done(answer);
        }
        QCOMPARE(storedEvent(event.id()).reportRead(), marked);
        if (sent) {
            QVERIFY(received.wait());
            QCOMPARE(m_control->ReadReports().value().last(),
                     (ReadReport{event.mmsId(), kRemote, true}));
        } else {
            // Without a report to send the page makes no downloader.
            QCOMPARE(downloaderCount(), downloadersBefore);
        }
        open(storedEvent(event.id()));
        QTRY_COMPARE(shownSlides(m_page).size(), 1);
        QVERIFY(!m_page->findChild<TkQueryDialog*>());
    }
};

QTEST_MAIN(TestMmsViewerPage)
#include "tst_mmsviewerpage.moc"
