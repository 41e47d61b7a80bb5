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
    void toolbarModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("attachShown");
        QTest::addColumn<bool>("sendShown");
        QTest::addRow("none") << int(MessagingTextEdit::NoToolbar) << false << false;
        QTest::addRow("send") << int(MessagingTextEdit::SendToolbar) << false << true;
        QTest::addRow("attach and send")
            << int(MessagingTextEdit::AttachmentAndSendToolbar) << true << true;
    }

    void toolbarModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, attachShown);
        QFETCH(bool, sendShown);
        MessagingTextEdit edit(QStringLiteral("Hi"));
        edit.setToolbar(mode);
        QCOMPARE(edit.attachmentButton()->isVisibleTo(&edit), attachShown);
        QCOMPARE(edit.sendButton()->isVisibleTo(&edit), sendShown);
    }

    void sendButtonState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowEmpty");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("requireContent");
        QTest::addColumn<bool>("hideWhenDisabled");
        QTest::addColumn<QString>("state");
        // The editor shows its buttons again.
        QTest::addRow("shown with text") << "Hi" << false << true << true << false << "enabled";
        QTest::addRow("shown, empty") << "" << false << true << true << false << "disabled";
        QTest::addRow("shown, empty allowed") << "" << true << true << true << false << "enabled";
        // The editor hides them while it is busy.
        QTest::addRow("hidden") << "Hi" << false << false << false << true << "hidden";
        // The quick-send widget greys it while sending.
        QTest::addRow("greyed") << "Hi" << true << false << true << false << "disabled";
        // A slide's field: a picture is content enough.
        QTest::addRow("slide, empty text") << "" << false << true << false << true << "enabled";
    }

    void sendButtonState()
    {
        QFETCH(QString, text);
        QFETCH(bool, allowEmpty);
        QFETCH(bool, enabled);
        QFETCH(bool, requireContent);
        QFETCH(bool, hideWhenDisabled);
        QFETCH(QString, state);
        MessagingTextEdit edit(text);
        edit.setToolbar(MessagingTextEdit::SendToolbar);
        edit.setAllowEmptySend(allowEmpty);
        edit.setSendButtonEnabled(enabled, requireContent, hideWhenDisabled);
        const QToolButton* send = edit.sendButton();
        QCOMPARE(QString(!send->isVisibleTo(&edit) ? "hidden"
                         : send->isEnabled()       ? "enabled"
                                                   : "disabled"),
                 state);
        QVERIFY(send->isVisibleTo(&edit) || !send->isEnabled());
    }

    void sendButtonFollowsTyping()
    {
        MessagingTextEdit edit;
        edit.setToolbar(MessagingTextEdit::SendToolbar);
        QVERIFY(!edit.isSendButtonEnabled());
        QTest::keyClicks(&edit, QStringLiteral("a"));
        QVERIFY(edit.isSendButtonEnabled());
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QVERIFY(!edit.isSendButtonEnabled());
    }

    void inputLimits_data()
    {
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("validDigits");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addRow("length") << 5 << QString() << "abcdefg" << QString("abcde");
        // The limit counts what the field shows: each smiley is one image.
        QTest::addRow("length, emoticons as images")
            << 6 << QString() << ":-) :-) xyz" << QString(":-) :-) xy");
        QTest::addRow("validator") << -1 << "[0-9]*" << QString("1a2") << QString("12");
    }

    void inputLimits()
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

    void programmaticTextIsTakenAsIs()
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

    void counter_data()
    {
        QTest::addColumn<bool>("counterOn");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("expected");
        QTest::addRow("count") << true << -1 << QString() << "7";
        QTest::addRow("count of limit") << true << 40 << QString() << "7/40";
        QTest::addRow("off") << false << -1 << QString() << "";
        QTest::addRow("off, toolbar text") << false << -1 << "MMS" << QString("MMS");
        QTest::addRow("on wins over toolbar text") << true << -1 << "MMS" << QString("7");
    }

    // The count is of the text as sent: the smiley counts as its three characters.
    void counter()
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

    void emoticonReplacement_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<int>("images");
        QTest::addRow("followed by a space") << ":-) hi" << false << 1;
        QTest::addRow("followed by a line break") << ";)\nhi" << false << 1;
        QTest::addRow("still being typed") << "hi :-)" << false << 0;
        QTest::addRow("completed at the end") << "hi :-)" << true << 1;
        QTest::addRow("start of a word") << ":Dave " << true << 0;
        QTest::addRow("several") << ":) :( :-P " << false << 3;
    }

    // Whatever the field shows, its text is the one typed.
    void emoticonReplacement()
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

    void completeReplacementFlattensRichText()
    {
        MessagingTextEdit edit;
        edit.setHtml(QStringLiteral("<b>bold</b> :-)<br>next"));
        edit.completeEmoticonReplacement();
        QCOMPARE(edit.plainText(), QStringLiteral("bold :-)\nnext"));
        QCOMPARE(imagesIn(edit), 1);
        QVERIFY(!edit.toHtml().contains(QLatin1String("font-weight:600")));
        QCOMPARE(edit.textCursor().position(), edit.toPlainText().length());
    }
};

QTEST_MAIN(TestMessagingTextEdit)
#include "tst_messagingtextedit.moc"
