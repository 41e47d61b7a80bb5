#include "imagemedia.h"
#include "mmscmtest.h"
#include "storage.h"
#include "tkbanner.h"
#include "tksaveasdialog.h"
#include "tktheme.h"
#include "viewertest.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

// The viewer page of fetched and sent messages: header, status, address
// rows, actions, rebuilds and saving; downloads and read reports have tests
// of their own.

namespace {

using Part = Chronel::MessagePart;

QLabel* label(QWidget* page, const char* name)
{
    return page->findChild<QLabel*>(QLatin1String(name));
}

bool isShown(QWidget* page, const char* name)
{
    const auto* widget = page->findChild<QWidget*>(QLatin1String(name));
    return widget && widget->isVisible();
}

} // namespace

class TestMmsViewerPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void timestampShowsTheStatusOfSentMessages_data();
    void timestampShowsTheStatusOfSentMessages();
    void sizeLabel_data();
    void sizeLabel();
    void subjectAndAddressRows_data();
    void subjectAndAddressRows();
    void reply_data();
    void reply();
    void partInPrivateStorageRemovesForward_data();
    void partInPrivateStorageRemovesForward();
    void slidesShowTheirWholeContent();
    void backDuringRebuildWaitsForTheRebuild();
    void saveAllAttachmentsCopiesIntoTheChosenFolder();

private:
    QList<Part> pictureAndNote();

    QTemporaryDir m_files;
    ViewerHost* m_host = nullptr;
};

void TestMmsViewerPage::initTestCase()
{
    forgetUserData();
    installCatalogue();
    // Sizes as the theme gives them.
    TkTheme::registerLibrary("libdravel");
    QVERIFY(m_files.isValid());
}

void TestMmsViewerPage::init()
{
    setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND);
    m_host = new ViewerHost;
}

void TestMmsViewerPage::cleanup()
{
    delete m_host;
    mmsui::utils::setPrivateStorageCheck({});
}

QList<Part> TestMmsViewerPage::pictureAndNote()
{
    const QString picture =
        imagemedia::writePicture(m_files.filePath("photo.png"), 64, 48, Qt::red);
    const QString note = imagemedia::writeBytes(m_files.filePath("note.txt"), "See you");
    return {Part("<photo.png>", "image/png", picture),
            Part("<note.txt>", "text/plain", note, "See you")};
}

void TestMmsViewerPage::timestampShowsTheStatusOfSentMessages_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("readStatus");
    QTest::addColumn<bool>("reportRequested");
    QTest::addColumn<bool>("deliveryReports");
    QTest::addColumn<QString>("shownStatus");

    const int in = Chronel::Event::Inbound;
    const int out = Chronel::Event::Outbound;
    QTest::newRow("delivered, reports off") << out << 3 << 0 << false << false << QString();
    QTest::newRow("delivered, reports on") << out << 3 << 0 << false << true << "Delivered";
    QTest::newRow("read") << out << 3 << 1 << false << false << "Read";
    QTest::newRow("deleted unread") << out << 3 << 2 << false << false << "Deleted without reading";
    QTest::newRow("sent, report asked") << out << 2 << 0 << true << false << "Delivery pending";
    QTest::newRow("sent, no report asked") << out << 2 << 0 << false << false << QString();
    QTest::newRow("failed") << out << 5 << 0 << false << false << "Delivery failed";
    QTest::newRow("received") << in << 3 << 1 << false << true << QString();
}

void TestMmsViewerPage::timestampShowsTheStatusOfSentMessages()
{
    QFETCH(int, direction);
    QFETCH(int, status);
    QFETCH(int, readStatus);
    QFETCH(bool, reportRequested);
    QFETCH(bool, deliveryReports);
    QFETCH(QString, shownStatus);
    setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND, deliveryReports);
    Chronel::Event event =
        storedMessage(Chronel::Event::EventDirection(direction), pictureAndNote());
    event.setStatus(Chronel::Event::EventStatus(status));
    event.setReadStatus(Chronel::Event::ReadStatus(readStatus));
    event.setReportDelivery(reportRequested);
    event.setSubject("Harbour");
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));

    MmsViewerPage* page = m_host->open(event);
    QTRY_VERIFY(label(page, "mmsViewerDate"));
    const TkLocale locale;
    const QString when =
        locale.formatDateTime(event.startTime(), TkLocale::DateShort, TkLocale::TimeNone) + " | " +
        locale.formatDateTime(event.startTime(), TkLocale::DateNone, TkLocale::TimeShort);
    QCOMPARE(label(page, "mmsViewerDate")->text(),
             shownStatus.isEmpty() ? when : when + " | " + shownStatus);
}

void TestMmsViewerPage::sizeLabel_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1023") << 1023 << "Size: 1023 bytes";
    QTest::newRow("1024") << 1024 << "Size: 1 kB";
    QTest::newRow("1048575") << 1048575 << "Size: 1023 kB";
    QTest::newRow("1048576") << 1048576 << "Size: 1 MB";
}

void TestMmsViewerPage::sizeLabel()
{
    QFETCH(int, bytes);
    QFETCH(QString, shown);
    Chronel::Event event = storedMessage(Chronel::Event::Inbound, pictureAndNote());
    event.setBytesReceived(bytes);
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));
    MmsViewerPage* page = m_host->open(event);
    QTRY_VERIFY(label(page, "mmsViewerSize"));
    QCOMPARE(label(page, "mmsViewerSize")->text(), shown);
}

void TestMmsViewerPage::subjectAndAddressRows_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<bool>("dateShownCollapsed");
    QTest::addColumn<bool>("expandable");
    QTest::newRow("subject") << "Harbour" << QStringList() << false << true;
    QTest::newRow("no subject, no rows") << QString() << QStringList() << true << false;
    QTest::newRow("no subject, rows") << QString() << QStringList{"+358401111111"} << true << true;
}

// Without a subject the date takes its place; the expand button shows
// details only when there are some beyond what shows already.
void TestMmsViewerPage::subjectAndAddressRows()
{
    QFETCH(QString, subject);
    QFETCH(QStringList, to);
    QFETCH(bool, dateShownCollapsed);
    QFETCH(bool, expandable);
    Chronel::Event event = storedMessage(Chronel::Event::Inbound, pictureAndNote());
    event.setSubject(subject);
    event.setToList(to);
    if (!to.isEmpty()) {
        event.setCcList({"+358402222222"});
        event.setBccList({"+358403333333"});
    }
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));

    MmsViewerPage* page = m_host->open(event);
    QTRY_COMPARE(shownSlides(page).size(), 2);
    QCOMPARE(isShown(page, "mmsViewerDate"), dateShownCollapsed);
    QCOMPARE(isShown(page, "mmsViewerSubjectLabel"), !subject.isEmpty());
    auto* expand = page->findChild<QToolButton*>("mmsViewerExpandButton");
    QCOMPARE(expand->isVisible(), expandable);
    if (to.isEmpty()) {
        return;
    }
    expand->click();
    QTRY_VERIFY(isShown(page, "mmsViewerToValue"));
    QCOMPARE(plainText(label(page, "mmsViewerToValue")->text()), to.first());
    // Top to bottom: To, Cc, Bcc.
    const auto top = [page](const char* name) {
        return label(page, name)->mapTo(page, QPoint()).y();
    };
    QVERIFY(top("mmsViewerToLabel") < top("mmsViewerCcLabel"));
    QVERIFY(top("mmsViewerCcLabel") < top("mmsViewerBccLabel"));
}

void TestMmsViewerPage::reply_data()
{
    QTest::addColumn<QString>("remoteUid");
    QTest::addColumn<bool>("multimediaEditor");
    QTest::newRow("e-mail address") << "friend@example.com" << true;
    QTest::newRow("phone number") << "+358401234567" << false;
}

void TestMmsViewerPage::reply()
{
    QFETCH(QString, remoteUid);
    QFETCH(bool, multimediaEditor);
    const Chronel::Event event =
        storedMessage(Chronel::Event::Inbound, pictureAndNote(), remoteUid);
    MmsViewerPage* page = m_host->open(event);
    QList<QPair<int, QString>> textEditors;
    connect(page, &MmsViewerPage::showMessageEditor, this,
            [&](Chronel::Event::EventType type, const Tollis::RecipientList& recipients) {
                textEditors << qMakePair(
                    int(type), recipients.value(0).value(Tollis::RecipientAddress).toString());
            });
    QTRY_VERIFY(page->findChild<QAction*>("mmsViewReplyTollbarAction"));
    page->findChild<QAction*>("mmsViewReplyTollbarAction")->trigger();

    if (multimediaEditor) {
        QCOMPARE(m_host->manager.editorRequests, (QList<QPair<int, int>>{{event.id(), 2}}));
        QVERIFY(textEditors.isEmpty());
    } else {
        QVERIFY(m_host->manager.editorRequests.isEmpty());
        QCOMPARE(textEditors, (QList<QPair<int, QString>>{{Chronel::Event::SMSEvent, remoteUid}}));
    }
}

void TestMmsViewerPage::partInPrivateStorageRemovesForward_data()
{
    QTest::addColumn<bool>("privatePart");
    QTest::newRow("ordinary parts") << false;
    QTest::newRow("a part in private storage") << true;
}

void TestMmsViewerPage::partInPrivateStorageRemovesForward()
{
    QFETCH(bool, privatePart);
    mmsui::utils::setPrivateStorageCheck(
        [privatePart](const QString& path) { return privatePart && path.endsWith("photo.png"); });
    MmsViewerPage* page = m_host->open(storedMessage(Chronel::Event::Inbound, pictureAndNote()));
    QTRY_VERIFY(page->findChild<QAction*>("mmsViewReplyAllTollbarAction"));
    auto* forward = page->findChild<QAction*>("mmsViewForwardTollbarAction");
    QCOMPARE(forward && forward->isVisible(), !privatePart);
}

// Wrapped text takes the lines it needs beside its picture: nothing of a
// slide is cut off.
void TestMmsViewerPage::slidesShowTheirWholeContent()
{
    QList<Part> parts = pictureAndNote();
    parts[1].setPlainTextContent("Shopping list for the weekend: bread, cheese, tomatoes, olives "
                                 "and something sweet.\nSee you at six!");
    parts.prepend(Part("<0.smil>", "application/smil", QString(),
                       "<smil><body><par><img src=\"photo.png\"/><text src=\"note.txt\"/></par>"
                       "</body></smil>"));
    MmsViewerPage* page = m_host->open(storedMessage(Chronel::Event::Inbound, parts));
    QTRY_COMPARE(shownSlides(page).size(), 1);
    auto* picture = page->findChild<QWidget*>("mmsViewerAttachmentThumbnail");
    auto* text = page->findChild<QWidget*>("mmsViewerSlideText");
    const QWidget* slide = picture->parentWidget();
    QTRY_VERIFY(text->height() >= text->heightForWidth(text->width()));
    QVERIFY(slide->height() >= slide->heightForWidth(slide->width()));
    QCOMPARE(picture->size(), picture->sizeHint());
}

// Back while the slides are rebuilt (the message changed in the store)
// closes the page only once they are.
void TestMmsViewerPage::backDuringRebuildWaitsForTheRebuild()
{
    QList<Part> parts;
    for (int i = 0; i < 12; ++i) {
        parts << Part(QString("<t%1>").arg(i), "text/plain", QString(), QString("text %1").arg(i));
    }
    Chronel::Event event = storedMessage(Chronel::Event::Inbound, parts.mid(0, 8));
    QPointer<MmsViewerPage> page = m_host->open(event);
    QTRY_COMPARE(shownSlides(page).size(), 8);
    QStringList slidesWhenClosed;
    connect(&m_host->window, &TkApplicationWindow::pageDismissed, this,
            [&](TkApplicationPage* dismissed) { slidesWhenClosed = shownSlides(dismissed); });
    QTimer press;
    connect(&press, &QTimer::timeout, this, [&] {
        if (page && page->isBuildingSlides()) {
            press.stop();
            emit page->backButtonClicked();
        }
    });
    press.start(0);
    event.setMessageParts(parts);
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));
    QTRY_VERIFY(page.isNull());
    QCOMPARE(slidesWhenClosed.size(), 12);
}

void TestMmsViewerPage::saveAllAttachmentsCopiesIntoTheChosenFolder()
{
    const QString folder = m_files.filePath("saved/Harbour");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(m_files.filePath("photo.png"), folder + "/photo.png"));
    QList<Part> parts = pictureAndNote();
    parts.prepend(Part("<0.smil>", "application/smil", m_files.filePath("none.smil"), "<smil/>"));
    Chronel::Event event = storedMessage(Chronel::Event::Inbound, parts);
    event.setSubject("Harbour");
    QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));
    MmsViewerPage* page = m_host->open(event);
    QTRY_VERIFY(page->findChild<QAction*>("mmsViewSaveAllAction"));
    QAction* saveAll = page->findChild<QAction*>("mmsViewSaveAllAction");
    QVERIFY(saveAll->isVisible());

    saveAll->trigger();
    auto* dialog = page->findChild<TkSaveAsDialog*>();
    QVERIFY(dialog && dialog->isFolderMode());
    QCOMPARE(dialog->fileNameEdit()->text(), QString("Harbour"));
    dialog->setDestinationFolder(m_files.filePath("saved"));
    dialog->saveButton()->click();

    // The name taken already gets a counter.
    QVERIFY(QFile::exists(folder + "/photo_001.png"));
    QVERIFY(QFile::exists(folder + "/note.txt"));
    QCOMPARE(page->findChild<TkBanner*>()->title(), QString("2 attachments saved"));
}

QTEST_MAIN(TestMmsViewerPage)
#include "tst_mmsviewerpage.moc"
