#include "messagingtextedit.h"

#include <QLabel>
#include <QRegularExpressionValidator>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

namespace {

int imagesIn(const QTextEdit& edit)
{
    int images = 0;
    for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            images += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
    }
    return images;
}

// Types the text key by key, line breaks as Return.
void type(QWidget* edit, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, lines.at(i));
    }
}

} // namespace

class TestMessagingTextEdit : public QObject
{
    Q_OBJECT
private slots:
    void toolbarModes_data();
    void toolbarModes();
    void sendButtonState_data();
    void sendButtonState();
    void sendButtonFollowsTyping();
    void inputLimits_data();
    void inputLimits();
    void programmaticTextIsTakenAsIs();
    void counter_data();
    void counter();
    void emoticonReplacement_data();
    void emoticonReplacement();
    void completeReplacementFlattensRichText();
};

void TestMessagingTextEdit::toolbarModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("attachShown");
    QTest::addColumn<bool>("sendShown");
    QTest::newRow("none") << int(MessagingTextEdit::NoToolbar) << false << false;
    QTest::newRow("send") << int(MessagingTextEdit::SendToolbar) << false << true;
    QTest::newRow("attach and send")
        << int(MessagingTextEdit::AttachmentAndSendToolbar) << true << true;
}

void TestMessagingTextEdit::toolbarModes()
{
    QFETCH(int, mode);
    QFETCH(bool, attachShown);
    QFETCH(bool, sendShown);
    MessagingTextEdit edit(QStringLiteral("Hi"));
    edit.setToolbar(mode);
    QCOMPARE(edit.attachmentButton()->isVisibleTo(&edit), attachShown);
    QCOMPARE(edit.sendButton()->isVisibleTo(&edit), sendShown);
}

void TestMessagingTextEdit::sendButtonState_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allowEmpty");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("requireContent");
    QTest::addColumn<bool>("hideWhenDisabled");
    QTest::addColumn<bool>("expectEnabled");
    QTest::addColumn<bool>("expectShown");
    // The editor shows its buttons again.
    QTest::newRow("shown with text") << "Hi" << false << true << true << false << true << true;
    QTest::newRow("shown, empty") << "" << false << true << true << false << false << true;
    QTest::newRow("shown, empty allowed") << "" << true << true << true << false << true << true;
    // The editor hides them while it is busy.
    QTest::newRow("hidden") << "Hi" << false << false << false << true << false << false;
    // The quick-send widget greys it while sending.
    QTest::newRow("greyed") << "Hi" << true << false << true << false << false << true;
    // A slide's field: a picture is content enough.
    QTest::newRow("slide, empty text") << "" << false << true << false << true << true << true;
}

void TestMessagingTextEdit::sendButtonState()
{
    QFETCH(QString, text);
    QFETCH(bool, allowEmpty);
    QFETCH(bool, enabled);
    QFETCH(bool, requireContent);
    QFETCH(bool, hideWhenDisabled);
    QFETCH(bool, expectEnabled);
    QFETCH(bool, expectShown);
    MessagingTextEdit edit(text);
    edit.setToolbar(MessagingTextEdit::SendToolbar);
    edit.setAllowEmptySend(allowEmpty);
    edit.setSendButtonEnabled(enabled, requireContent, hideWhenDisabled);
    QCOMPARE(edit.sendButton()->isEnabled(), expectEnabled);
    QCOMPARE(edit.sendButton()->isVisibleTo(&edit), expectShown);
}

void TestMessagingTextEdit::sendButtonFollowsTyping()
{
    MessagingTextEdit edit;
    edit.setToolbar(MessagingTextEdit::SendToolbar);
    QVERIFY(!edit.isSendButtonEnabled());
    QTest::keyClicks(&edit, QStringLiteral("a"));
    QVERIFY(edit.isSendButtonEnabled());
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QVERIFY(!edit.isSendButtonEnabled());
}

void TestMessagingTextEdit::inputLimits_data()
{
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("validDigits");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("length") << 5 << QString() << "abcdefg"
                            << "abcde";
    // The limit counts what the field shows: each smiley is one image.
    QTest::newRow("length, emoticons as images") << 6 << QString() << ":-) :-) xyz"
                                                 << ":-) :-) xy";
    QTest::newRow("validator") << -1 << "[0-9]*"
                               << "1a2"
                               << "12";
}

void TestMessagingTextEdit::inputLimits()
{
    QFETCH(int, maxLength);
    QFETCH(QString, validDigits);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    MessagingTextEdit edit;
    edit.setMaxLength(maxLength);
    QRegularExpressionValidator validator{QRegularExpression(validDigits)};
    if (!validDigits.isEmpty())
        edit.setValidator(&validator);
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.plainText(), expected);
}

void TestMessagingTextEdit::programmaticTextIsTakenAsIs()
{
    MessagingTextEdit edit;
    edit.setMaxLength(5);
    edit.setText(QStringLiteral("abcde"));
    // A paste that would overflow is refused whole, the cursor stays put.
    edit.moveCursor(QTextCursor::Start);
    edit.textCursor().insertText(QStringLiteral("xy"));
    QCOMPARE(edit.plainText(), QStringLiteral("abcde"));
    QCOMPARE(edit.textCursor().position(), 0);
    // Text set beyond the limit stays; deleting is possible, adding is not.
    edit.setText(QStringLiteral("longer"));
    edit.moveCursor(QTextCursor::End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, QStringLiteral("z"));
    QCOMPARE(edit.plainText(), QStringLiteral("longe"));
}

void TestMessagingTextEdit::counter_data()
{
    QTest::addColumn<bool>("counterOn");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("expected");
    QTest::newRow("count") << true << -1 << QString() << "7";
    QTest::newRow("count of limit") << true << 40 << QString() << "7/40";
    QTest::newRow("off") << false << -1 << QString() << "";
    QTest::newRow("off, toolbar text") << false << -1 << "MMS"
                                       << "MMS";
    QTest::newRow("on wins over toolbar text") << true << -1 << "MMS"
                                               << "7";
}

// The count is of the text as sent: the smiley counts as its three characters.
void TestMessagingTextEdit::counter()
{
    QFETCH(bool, counterOn);
    QFETCH(int, maxLength);
    QFETCH(QString, attribute);
    QFETCH(QString, expected);
    MessagingTextEdit edit(QStringLiteral("Hi :-)"));
    edit.setToolbar(MessagingTextEdit::SendToolbar);
    edit.completeEmoticonReplacement();
    QTest::keyClicks(&edit, QStringLiteral("!"));
    edit.setMaxLength(maxLength);
    edit.setCharacterCounter(counterOn);
    if (!attribute.isEmpty()) {
        edit.setToolbarAttribute(QStringLiteral("/toolbar"), QStringLiteral("counter"),
                                 QStringLiteral("text"), attribute);
    }
    QCOMPARE(edit.counterLabel()->text(), expected);
    QCOMPARE(edit.counterLabel()->isVisibleTo(&edit), !expected.isEmpty());
}

void TestMessagingTextEdit::emoticonReplacement_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("images");
    QTest::newRow("followed by a space") << ":-) hi" << false << 1;
    QTest::newRow("followed by a line break") << ";)\nhi" << false << 1;
    QTest::newRow("still being typed") << "hi :-)" << false << 0;
    QTest::newRow("completed at the end") << "hi :-)" << true << 1;
    QTest::newRow("start of a word") << ":Dave " << true << 0;
    QTest::newRow("several") << ":) :( :-P " << false << 3;
}

// Whatever the field shows, its text is the one typed.
void TestMessagingTextEdit::emoticonReplacement()
{
    QFETCH(QString, typed);
    QFETCH(bool, complete);
    QFETCH(int, images);
    MessagingTextEdit edit;
    type(&edit, typed);
    if (complete)
        edit.completeEmoticonReplacement();
    QCOMPARE(imagesIn(edit), images);
    QCOMPARE(edit.plainText(), typed);
}

void TestMessagingTextEdit::completeReplacementFlattensRichText()
{
    MessagingTextEdit edit;
    edit.setHtml(QStringLiteral("<b>bold</b> :-)<br>next"));
    edit.completeEmoticonReplacement();
    QCOMPARE(edit.plainText(), QStringLiteral("bold :-)\nnext"));
    QCOMPARE(imagesIn(edit), 1);
    QVERIFY(!edit.toHtml().contains(QLatin1String("font-weight:600")));
    QCOMPARE(edit.textCursor().position(), edit.toPlainText().length());
}

QTEST_MAIN(TestMessagingTextEdit)
#include "tst_messagingtextedit.moc"
