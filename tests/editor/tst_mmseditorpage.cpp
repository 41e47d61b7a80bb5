#include "editortest.h"
#include "messagesender.h"
#include "messagingattachmentpicker.h"
#include "messagingtextedit.h"
#include "mmsrecipientsedit.h"
#include "recipientaddresses.h"
#include "tkinputmethodstate.h"
#include "tklinearlayoutpolicy.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QUuid>
#include <QtTest>

using Chronel::Event;
using Chronel::MessagePart;

class TestMmsEditorPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void tokenAndFolder_data();
    void tokenAndFolder();
    void ccBcc_data();
    void ccBcc();
    void singleTextPartGoesToBody();
    void subjectLimit_data();
    void subjectLimit();
    void returnInSubjectMovesOn();
    void isEmpty_data();
    void isEmpty();
    void isEqual_data();
    void isEqual();
    void recipientKeys();
    void virtualKeyboard_data();
    void virtualKeyboard();
    void sizeMeterFollowsTheMessage();

private:
    std::unique_ptr<EditorHost> m_host;
};

void TestMmsEditorPage::initTestCase()
{
    QVERIFY(useFreshDataFolder());
    installCatalogue();
}

void TestMmsEditorPage::init()
{
    setEditorConfig(307200);
    m_host = std::make_unique<EditorHost>();
}

void TestMmsEditorPage::tokenAndFolder_data()
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
void TestMmsEditorPage::tokenAndFolder()
{
    QFETCH(bool, fromEvent);
    QFETCH(QString, token);
    Event stored;
    stored.setMessageToken(token);
    auto* page = fromEvent
                     ? new MmsEditorPage(&m_host->manager, stored)
                     : new MmsEditorPage(&m_host->manager, {}, QString(), QString(), token, {});
    if (token.isEmpty())
        QVERIFY(page->messageToken.size() == 36 && !QUuid::fromString(page->messageToken).isNull());
    else
        QCOMPARE(page->messageToken, token);
    const QString folder = QDir::homePath() + "/.mms/msg/" + page->messageToken;
    QCOMPARE(page->messageFolder, folder);
    QVERIFY(QFileInfo(folder).isDir());
    delete page;
    QTEST(QFileInfo::exists(folder), "folderKept");
}

void TestMmsEditorPage::ccBcc_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("expectedTo");
    QTest::addColumn<QStringList>("expectedCc");
    QTest::addColumn<bool>("shown");
    QTest::newRow("enabled") << true << QStringList{"+111"} << QStringList{"+222"} << true;
    QTest::newRow("disabled: merged into To")
        << false << QStringList{"+111", "+222", "+333"} << QStringList() << false;
}

void TestMmsEditorPage::ccBcc()
{
    QFETCH(bool, enabled);
    setEditorConfig(307200, false, enabled);
    Event stored;
    stored.setToList({"+111"});
    stored.setCcList({"+222"});
    stored.setBccList({"+333"});
    MmsEditorPage* page = m_host->open(new MmsEditorPage(&m_host->manager, stored));
    QTEST(mmsui::utils::fromRecipients(page->recipientsEdit->to(), false, false), "expectedTo");
    QTEST(mmsui::utils::fromRecipients(page->recipientsEdit->cc(), false, false), "expectedCc");
    QTEST(page->recipientsEdit->isCcBccShown(), "shown");
    QCOMPARE(bool(page->ccBccButton), enabled);
    page->clear();
    QVERIFY(page->recipientsEdit->to().isEmpty());
    QVERIFY(page->recipientsEdit->cc().isEmpty() && !page->recipientsEdit->isCcBccShown());
}

void TestMmsEditorPage::singleTextPartGoesToBody()
{
    Event stored;
    stored.setMessageParts(
        {MessagePart("text_001.txt", "text/plain;charset=utf-8", QString(), "See you")});
    MmsEditorPage* page = m_host->open(new MmsEditorPage(&m_host->manager, stored));
    QCOMPARE(page->bodyEdit->plainText(), QStringLiteral("See you"));
    QVERIFY(page->attachmentList.isEmpty());
    QVERIFY(page->slidePolicy->contains(page->bodyContainer));
}

void TestMmsEditorPage::subjectLimit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QString forty(40, QLatin1Char('a'));
    QTest::newRow("the 41st character") << forty + "b" << forty;
    // Each ":-) " shows as one picture and a space, but is sent as four characters.
    const QString smileys = QString(":-) ").repeated(10);
    QTest::newRow("emoticons in text form") << smileys + "b" << smileys;
}

void TestMmsEditorPage::subjectLimit()
{
    QFETCH(QString, typed);
    MmsEditorPage* page = m_host->newMessage();
    page->subjectEdit->setFocus();
    QTest::keyClicks(page->subjectEdit, typed);
    QTEST(page->subjectEdit->plainText(), "expected");
}

void TestMmsEditorPage::returnInSubjectMovesOn()
{
    IndexedContent content;
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
    page->addFileAttachmentsFromUri({content.addPicture("return.jpg")});
    page->subjectEdit->setFocus();
    QTest::keyClick(page->subjectEdit, Qt::Key_Return);
    QTRY_VERIFY(page->attachmentList.first()->textEdit->hasFocus());
}

void TestMmsEditorPage::isEmpty_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("empty");
    QTest::newRow("nothing") << "" << true;
    QTest::newRow("only Cc") << "cc" << true;
    QTest::newRow("To") << "to" << false;
    QTest::newRow("subject") << "subject" << false;
    QTest::newRow("body") << "body" << false;
    QTest::newRow("a slide") << "slide" << false;
    QTest::newRow("everything while sending") << "sending" << true;
}

void TestMmsEditorPage::isEmpty()
{
    QFETCH(QString, field);
    IndexedContent content;
    MmsEditorPage* page = m_host->newMessage();
    if (field == "cc" || field == "sending")
        page->recipientsEdit->setCc(recipientsOf("+358401234567"));
    if (field == "to" || field == "sending")
        page->recipientsEdit->setTo(recipientsOf("+358401234567"));
    if (field == "subject" || field == "sending")
        page->subjectEdit->setText("Hi");
    if (field == "body" || field == "sending")
        page->bodyEdit->setText("Hello");
    if (field == "slide")
        page->addFileAttachmentsFromUri({content.addPicture("empty.jpg")});
    if (field == "sending")
        page->sender = new MessageSender("+358401234567", QString(), true, page);
    QTEST(page->isEmpty(), "empty");
}

void TestMmsEditorPage::isEqual_data()
{
    QTest::addColumn<QString>("changed");
    for (const char* changed : {"", "subject", "body", "recipients", "token", "file order"})
        QTest::newRow(*changed ? changed : "same") << QString(changed);
}

void TestMmsEditorPage::isEqual()
{
    QFETCH(QString, changed);
    const QStringList files{"file:///a.jpg", "file:///b.jpg"};
    const auto other = [&](const char* field, const QString& value, const QString& same) {
        return changed == QLatin1String(field) ? value : same;
    };
    const MmsEditorPage reference(&m_host->manager, recipientsOf("+1"), "S", "B", "t", files);
    MmsEditorPage page(&m_host->manager, recipientsOf(other("recipients", "+2", "+1")),
                       other("subject", "X", "S"), other("body", "X", "B"),
                       other("token", "u", "t"),
                       changed == "file order" ? QStringList{files.last(), files.first()} : files);
    // Cc and Bcc are not compared.
    page.ccList << "+9";
    QCOMPARE(reference.isEqual(page), changed.isEmpty());
    QVERIFY(!reference.isEqual(BasePage(&m_host->manager)));
}

// The buttons of the recipients' input-method toolbar reach attach and send.
void TestMmsEditorPage::recipientKeys()
{
    MmsEditorPage* page = m_host->newMessage("Hi", recipientsOf("nobody"));
    QLineEdit* field = page->recipientsEdit->field(Tollis::RecipientsEdit::ToField);
    const QString typed = field->text();
    QTest::keyClick(field, Qt::Key_K, Qt::MetaModifier);
    QTRY_VERIFY(page->attachmentPicker && page->attachmentPicker->isVisible());
    page->attachmentPicker->close();
    // Send refuses the invalid recipient with a banner naming it.
    QTest::keyClick(field, Qt::Key_L, Qt::MetaModifier);
    QTRY_COMPARE(m_host->banners(), QStringList{"nobody"});
    QCOMPARE(field->text(), typed);
}

void TestMmsEditorPage::virtualKeyboard_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("keyboard");
    QTest::addColumn<bool>("headerShown");
    QTest::newRow("portrait with keyboard") << QSize(480, 854) << QRect(0, 500, 480, 354) << false;
    QTest::newRow("portrait, keyboard gone") << QSize(480, 854) << QRect() << true;
    QTest::newRow("landscape with keyboard") << QSize(854, 480) << QRect(0, 200, 854, 280) << true;
}

void TestMmsEditorPage::virtualKeyboard()
{
    QFETCH(QSize, window);
    QFETCH(QRect, keyboard);
    m_host->window.resize(window);
    MmsEditorPage* page = m_host->newMessage();
    // A keyboard first, so that the header coming back is seen as well.
    TkInputMethodState* inputMethod = TkInputMethodState::instance();
    inputMethod->setInputMethodArea(QRect(0, 500, 480, 354));
    QCoreApplication::processEvents();
    inputMethod->setInputMethodArea(keyboard);
    QCoreApplication::processEvents();
    QTEST(page->mainPolicy->indexOf(page->headerPanel) == 0, "headerShown");
    QTEST(page->headerPanel->isVisible(), "headerShown");
    TkInputMethodState::instance()->setInputMethodArea(QRect());
}

// Rounded up to whole kilobytes, against the configured limit.
void TestMmsEditorPage::sizeMeterFollowsTheMessage()
{
    setEditorConfig(102400);
    MmsEditorPage* page = m_host->newMessage(QString(1025, QLatin1Char('x')));
    QCOMPARE(page->sizeMeter->text(), QStringLiteral("2 kB of 100 kB"));
    page->bodyEdit->setText(QString(1024, QLatin1Char('x')));
    QCOMPARE(page->sizeMeter->text(), QStringLiteral("1 kB of 100 kB"));
}

QTEST_MAIN(TestMmsEditorPage)
#include "tst_mmseditorpage.moc"
