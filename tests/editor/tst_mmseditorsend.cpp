#include "editortest.h"
#include "historystore.h"
#include "messagingtextedit.h"
#include "mmsconfig.h"
#include "mmsmessagefolder.h"
#include "mmsrecipientsedit.h"
#include "mmsspinneroverlayview.h"
#include "storage.h"
#include "testprofiles.h"
#include "tkquerydialog.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

enum Situation { Plain, Locked, SecondPress, Converting, PressedTwice, Lost, LowSpace, NoCentre };
const int noDialog = -1;

QString numbers(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("+35840100%1").arg(i, 2, 10, QLatin1Char('0'));
    return list.join(';');
}

TkQueryDialog* dialogTitled(const char* id)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TkQueryDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->title() == qtTrId(id))
            return dialog;
    }
    return nullptr;
}

bool writeProfile(const QString& mmsc)
{
    MmsMainConfig config;
    config.automaticConnection = false;
    return config.save() && MmsConfig::queryConfig(MmsConfig::USER_DEFINED)
                                ->writeConfiguration(testProfile("UserDefined", "internet", "", "",
                                                                 mmsc, 80, "", 0));
}

int mode(const QString& path)
{
    struct stat status;
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                   : -1;
}

} // namespace

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

class TestMmsEditorSend : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sendChecks_data();
    void sendChecks();
    void budgetGoesToResizeThread();
    void pictureMessageLandsAsFolder();

private:
    MmsEditorPage* composedPage(const QString& to, const QString& bcc, const QString& body);
    std::unique_ptr<EditorHost> m_host;
    std::unique_ptr<IndexedContent> m_content;
};

void TestMmsEditorSend::initTestCase()
{
    QVERIFY(useFreshDataFolder());
    installCatalogue();
    m_content = std::make_unique<IndexedContent>();
}

void TestMmsEditorSend::init()
{
    setEditorConfig(307200);
    QVERIFY(writeProfile("http://mmsc.example/"));
    m_host = std::make_unique<EditorHost>();
}

void TestMmsEditorSend::cleanup()
{
    QFile::remove(MmsMessageFolder::backupLockPath());
    mmsui::utils::setFreeSpaceProbe({});
    m_host.reset();
}

MmsEditorPage* TestMmsEditorSend::composedPage(const QString& to, const QString& bcc,
                                               const QString& body)
{
    MmsEditorPage* page = m_host->newMessage(body, recipientsOf(to));
    page->recipientsEdit->showCcBcc(true);
    page->recipientsEdit->setBcc(recipientsOf(bcc));
    return page;
}

// Addresses joined with ';'; the outcome is empty when nothing is sent, else where the
// application switched to and the header's To (and whether it has a Bcc key).
void TestMmsEditorSend::sendChecks_data()
{
    QTest::addColumn<int>("situation");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("bcc");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("outcome");
    const auto row = [](const char* name, Situation situation, const QString& to,
                        const QString& bcc, const QString& body, int answer, const QString& banner,
                        const QString& outcome) {
        QTest::newRow(name) << int(situation) << to << bcc << body << answer << banner << outcome;
    };
    const QString one = "+358401234567";
    const QString sentToOne = "conversation +358401234567 to=+358401234567";
    row("one address: its conversation", Plain, one, "", "Hi", noDialog, "", sentToOne);
    row("two addresses: the inbox", Plain, one + ";ann@example.com", "", "Hi", noDialog, "",
        "inbox to=+358401234567;ann@example.com");
    row("backup lock", Locked, one, "", "Hi", noDialog, qtTrId("qtn_comm_send_restore"), "");
    row("second press", SecondPress, one, "", "Hi", noDialog, "", "");
    row("conversion running", Converting, one, "", "Hi", noDialog, "", "");
    row("invalid recipient: one banner for two presses", PressedTwice, one + ";nobody", "", "Hi",
        noDialog, "nobody", "");
    row("low storage", LowSpace, one, "", "Hi", noDialog, qtTrId("qtn_mms_info_memory_low_send"),
        "");
    row("no recipient", Plain, "", "", "Hi", noDialog, "", "");
    row("ten addresses", Plain, numbers(10), "", "Hi", noDialog, "", "inbox to=" + numbers(10));
    row("eleven addresses", Plain, numbers(11), "", "Hi", noDialog,
        qtTrId("qtn_mms_too_many_recipients").arg(10), "");
    row("punctuated number cleaned", Plain, "+1 (555) 123-45.67", "", "Hi", noDialog, "",
        "conversation +15551234567 to=+15551234567");
    row("name with the address in angle brackets", Plain, "Ann <ann@example.com>", "", "Hi",
        noDialog, "", "conversation ann@example.com to=ann@example.com");
    row("same number in To and Bcc: once, in To", Plain, one, "+358 40 123 4567", "Hi", noDialog,
        "", sentToOne);
    row("Bcc kept when another", Plain, one, "ann@example.com", "Hi", noDialog, "",
        "inbox to=+358401234567 bcc");
    row("empty message, Yes", Plain, one, "", "", TkQueryDialog::Yes, "", sentToOne);
    row("empty message, No", Plain, one, "", "", TkQueryDialog::No, "", "");
    row("lost attachment", Lost, one, "", "Hi", noDialog, qtTrId("qtn_comm_attachment_lost"), "");
    row("no message centre", NoCentre, one, "", "Hi", noDialog, "", "");
}

// Every way a send press can end: what the user sees, whether the message goes and
// where the application switches to.
void TestMmsEditorSend::sendChecks()
{
    QFETCH(int, situation);
    QFETCH(int, answer);
    QFETCH(QString, banner);
    QFETCH(QString, outcome);
    QFETCH(QString, to);
    QFETCH(QString, bcc);
    QFETCH(QString, body);
    MmsEditorPage* page = composedPage(to, bcc, body);
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
        QCOMPARE(mode(page->messageFolder), 0755);
    }
}

// The pictures get what the rest of the message leaves of the limit: two of 500000
// bytes with a 1000-character slide text at 307200.
void TestMmsEditorSend::budgetGoesToResizeThread()
{
    MmsEditorPage* page = composedPage("+358401234567", "", QString());
    QStringList files;
    for (const char* name : {"first.jpg", "second.jpg"}) {
        const QString path = m_content->folder() + "/" + QLatin1String(name);
        QFile file(path);
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(path) && file.resize(500000));
        files << m_content->addFile(path, "image/jpeg");
    }
    page->createAttachments(files);
    QTRY_COMPARE(page->attachmentList.size(), 2);
    page->attachmentList.first()->textEdit->setText(QString(1000, 'x'));
    QSignalSpy resize(page, &MmsEditorPage::startPictureResize);

    page->slotOnSend();
    QTRY_COMPARE(resize.size(), 1);
    QCOMPARE(resize.at(0).at(0).toStringList(),
             QStringList({page->attachmentList.at(0)->initialFileName,
                          page->attachmentList.at(1)->initialFileName}));
    QCOMPARE(resize.at(0).at(1).toInt(), 307200 - (13 + 1000 + 2 * 200));
    QCOMPARE(resize.at(0).at(2).toString(), page->messageFolder + "/temp");
}

// A picture with a slide text sent from the page: its quick resize shows no spinner, and
// the folder holds the SMIL and the parts.
void TestMmsEditorSend::pictureMessageLandsAsFolder()
{
    MmsEditorPage* page = composedPage("+358401234567", "", QString());
    page->createAttachments({m_content->addPicture("sent.png")});
    QTRY_COMPARE(page->attachmentList.size(), 1);
    page->attachmentList.first()->textEdit->setText("Hi");
    const QString folder = page->messageFolder;
    SendOutcome sent(*m_host, page);

    page->slotOnSend();
    QTRY_COMPARE_WITH_TIMEOUT(sent.switched, QString("conversation +358401234567 to=+358401234567"),
                              10000);
    QVERIFY(!sent.spinnerShown);
    QCOMPARE(sent.parts, 3);
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
             QStringList({"0.smil", "sent.png", "text_001.txt"}));
    QCOMPARE(mode(folder), 0555);
}

QTEST_MAIN(TestMmsEditorSend)
#include "tst_mmseditorsend.moc"
