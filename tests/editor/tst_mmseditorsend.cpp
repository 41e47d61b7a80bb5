#include "editortest.h"
#include "historystore.h"
#include "messagingtextedit.h"
#include "mmsconfig.h"
#include "mmsmessagefolder.h"
#include "mmsrecipientsedit.h"
#include "testprofiles.h"
#include "tkquerydialog.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

enum Situation {
    Plain,
    Locked,
    SecondPress,
    Converting,
    PressedTwice,
    LostAttachment,
    NoMessageCentre
};

const int noDialog = -1;

Tollis::RecipientList toRecipients(const QStringList& addresses)
{
    Tollis::RecipientList list;
    for (const QString& address : addresses)
        list << Tollis::RecipientsEdit::recipient(address);
    return list;
}

QStringList numbers(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("+35840100%1").arg(i, 2, 10, QLatin1Char('0'));
    return list;
}

TkQueryDialog* dialogTitled(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TkQueryDialog*>(widget);
        if (dialog && dialog->isVisible() && dialog->title() == title)
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

QString text(const MessageSender::PropertyMap& map, const char* key)
{
    return map.value(QLatin1String(key)).variant().toString();
}

} // namespace

// What the host sees of a send: where it was asked to switch to, and the header
// of the send list at that moment.
struct SendOutcome
{
    explicit SendOutcome(EditorHost& host, MmsEditorPage* page)
    {
        QObject::connect(&host.manager, &AbstractPageManager::conversationRequested, page,
                         [this, page](const QString& uid) { record("conversation " + uid, page); });
        QObject::connect(&host.manager, &AbstractPageManager::inboxRequested, page,
                         [this, page](int) { record("inbox", page); });
    }
    void record(const QString& where, MmsEditorPage* page)
    {
        switched = where;
        header = page->propertyMaps.value(0);
        parts = page->propertyMaps.mid(1);
    }
    QString switched;
    MessageSender::PropertyMap header;
    QList<MessageSender::PropertyMap> parts;
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
    MmsEditorPage* composedPage(const QStringList& to, const QStringList& bcc, const QString& body);
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
    m_host.reset();
}

MmsEditorPage* TestMmsEditorSend::composedPage(const QStringList& to, const QStringList& bcc,
                                               const QString& body)
{
    MmsEditorPage* page = m_host->newMessage(body, toRecipients(to));
    page->recipientsEdit->showCcBcc(true);
    page->recipientsEdit->setBcc(toRecipients(bcc));
    return page;
}

void TestMmsEditorSend::sendChecks_data()
{
    QTest::addColumn<int>("situation");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("bcc");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("banners");
    QTest::addColumn<QString>("switched");
    QTest::addColumn<QString>("headerTo");
    QTest::addColumn<bool>("bccKey");

    const QStringList one{"+358401234567"};
    const QStringList none;
    QTest::newRow("one address: its conversation")
        << int(Plain) << one << none << "Hello" << noDialog << none << "conversation +358401234567"
        << "+358401234567" << false;
    QTest::newRow("two addresses: the inbox")
        << int(Plain) << QStringList{"+358401234567", "ann@example.com"} << none << "Hello"
        << noDialog << none << "inbox"
        << "+358401234567;ann@example.com" << false;
    QTest::newRow("backup lock") << int(Locked) << one << none << "Hello" << noDialog
                                 << QStringList{qtTrId("qtn_comm_send_restore")} << ""
                                 << "" << false;
    QTest::newRow("second press") << int(SecondPress) << one << none << "Hello" << noDialog << none
                                  << ""
                                  << "" << false;
    QTest::newRow("conversion running")
        << int(Converting) << one << none << "Hello" << noDialog << none << ""
        << "" << false;
    QTest::newRow("invalid recipient: one banner for two presses")
        << int(PressedTwice) << QStringList{"+358401234567", "nobody"} << none << "Hello"
        << noDialog << QStringList{"nobody"} << ""
        << "" << false;
    QTest::newRow("no recipient") << int(Plain) << none << none << "Hello" << noDialog << none << ""
                                  << "" << false;
    QTest::newRow("ten addresses") << int(Plain) << numbers(10) << none << "Hello" << noDialog
                                   << none << "inbox" << numbers(10).join(';') << false;
    QTest::newRow("eleven addresses")
        << int(Plain) << numbers(11) << none << "Hello" << noDialog
        << QStringList{qtTrId("qtn_mms_too_many_recipients").arg(10)} << ""
        << "" << false;
    QTest::newRow("punctuated number cleaned")
        << int(Plain) << QStringList{"+1 (555) 123-45.67"} << none << "Hello" << noDialog << none
        << "conversation +15551234567"
        << "+15551234567" << false;
    QTest::newRow("name with the address in angle brackets")
        << int(Plain) << QStringList{"Ann <ann@example.com>"} << none << "Hello" << noDialog << none
        << "conversation ann@example.com"
        << "ann@example.com" << false;
    QTest::newRow("same number in To and Bcc: once, in To")
        << int(Plain) << one << QStringList{"+358 40 123 4567"} << "Hello" << noDialog << none
        << "conversation +358401234567"
        << "+358401234567" << false;
    QTest::newRow("Bcc kept when another") << int(Plain) << one << QStringList{"ann@example.com"}
                                           << "Hello" << noDialog << none << "inbox"
                                           << "+358401234567" << true;
    QTest::newRow("empty message, Yes")
        << int(Plain) << one << none << "" << int(TkQueryDialog::Yes) << none
        << "conversation +358401234567"
        << "+358401234567" << false;
    QTest::newRow("empty message, No")
        << int(Plain) << one << none << "" << int(TkQueryDialog::No) << none << ""
        << "" << false;
    QTest::newRow("lost attachment") << int(LostAttachment) << one << none << "Hello" << noDialog
                                     << QStringList{qtTrId("qtn_comm_attachment_lost")} << ""
                                     << "" << false;
    QTest::newRow("no message centre")
        << int(NoMessageCentre) << one << none << "Hello" << noDialog << none << ""
        << "" << false;
}

// Every way a send press can end: what the user sees, whether the message goes and
// where the application switches to.
void TestMmsEditorSend::sendChecks()
{
    QFETCH(int, situation);
    QFETCH(QStringList, to);
    QFETCH(QStringList, bcc);
    QFETCH(QString, body);
    QFETCH(int, answer);
    QFETCH(QStringList, banners);
    QFETCH(QString, switched);
    QFETCH(QString, headerTo);
    QFETCH(bool, bccKey);

    MmsEditorPage* page = composedPage(to, bcc, body);
    QPointer<MmsEditorPage> alive(page);
    SendOutcome outcome(*m_host, page);
    QTemporaryDir source;
    const QString picture = source.filePath("lost.png");
    switch (situation) {
    case Locked: {
        QDir().mkpath(QFileInfo(MmsMessageFolder::backupLockPath()).path());
        QFile lock(MmsMessageFolder::backupLockPath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        break;
    }
    case SecondPress:
        page->sendStarted = true;
        break;
    case Converting:
        page->slotOnResizeStarted();
        break;
    case LostAttachment:
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(picture));
        QVERIFY(page->addAttachment(picture, "image/png", QString(), QString(), false));
        QVERIFY(QFile::remove(picture));
        break;
    case NoMessageCentre:
        QVERIFY(writeProfile(QString()));
        break;
    }

    page->slotOnSend();
    if (situation == PressedTwice) {
        QTRY_VERIFY(!m_host->banners().isEmpty());
        page->slotOnSend();
    }
    if (answer != noDialog) {
        TkQueryDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = dialogTitled(qtTrId("qtn_mms_error_message_empty_title"))));
        dialog->done(answer);
    }
    if (switched.isEmpty())
        QTest::qWait(300);
    else
        QTRY_COMPARE(outcome.switched, switched);

    QCOMPARE(m_host->banners(), banners);
    QCOMPARE(outcome.switched, switched);
    if (!switched.isEmpty()) {
        QCOMPARE(text(outcome.header, "message-to"), headerTo);
        QCOMPARE(outcome.header.contains("message-bcc"), bccKey);
        QTRY_VERIFY(alive.isNull());
        return;
    }
    QVERIFY(!page->sender);
    QCOMPARE(page->sendStarted, situation == SecondPress);
    if (situation == LostAttachment)
        QVERIFY(page->attachmentList.isEmpty());
    if (situation == NoMessageCentre) {
        TkQueryDialog* confirmation = nullptr;
        QTRY_VERIFY((confirmation = dialogTitled(qtTrId("qtn_mms_error_sending_failed_title"))));
        delete confirmation;
        QCOMPARE(mode(page->messageFolder), 0755);
    }
}

// The pictures get what the rest of the message leaves of the limit: two of 500000
// bytes with a 1000-character slide text at 307200.
void TestMmsEditorSend::budgetGoesToResizeThread()
{
    MmsEditorPage* page = composedPage({"+358401234567"}, {}, QString());
    QStringList files;
    for (const char* name : {"first.jpg", "second.jpg"}) {
        const QString path = m_content->folder() + "/" + QLatin1String(name);
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.resize(500000));
        file.close();
        files << QUrl::fromLocalFile(path).toString();
        QVERIFY(!m_content->addFile(path, "image/jpeg").isEmpty());
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

// A picture with a slide text sent from the page: the folder holds the SMIL and the
// parts, and the host's sender records them.
void TestMmsEditorSend::pictureMessageLandsAsFolder()
{
    MmsEditorPage* page = composedPage({"+358401234567"}, {}, QString());
    const QString uri = m_content->addPicture("sent.png");
    QVERIFY(!uri.isEmpty());
    page->createAttachments({uri});
    QTRY_COMPARE(page->attachmentList.size(), 1);
    page->attachmentList.first()->textEdit->setText("Hi");
    const QString folder = page->messageFolder;
    const QString token = page->messageToken;
    SendOutcome outcome(*m_host, page);

    page->slotOnSend();
    QTRY_COMPARE_WITH_TIMEOUT(outcome.switched, QString("conversation +358401234567"), 10000);
    QStringList files = QDir(folder).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, QStringList({"0.smil", "sent.png", "text_001.txt"}));
    QCOMPARE(mode(folder), 0555);
    QCOMPARE(outcome.parts.size(), 3);

    Chronel::Event event;
    const auto recorded = [&] {
        for (const Chronel::Event& stored : Chronel::HistoryStore::instance()->events()) {
            if (stored.messageToken() == token)
                event = stored;
        }
        return event.messageToken() == token;
    };
    QTRY_VERIFY(recorded());
    QCOMPARE(event.messageParts().size(), 3);
    for (const Chronel::MessagePart& part : event.messageParts())
        QCOMPARE(QFileInfo(part.contentLocation()).path(), folder);
}

QTEST_MAIN(TestMmsEditorSend)
#include "tst_mmseditorsend.moc"
