#include "messagingtextedit.h"

#include <QLabel>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QtTest>

class TestMessagingTextEdit : public QObject
{
    Q_OBJECT
private slots:
    void buttonsEmitSignals();
    void toolbarModes_data();
    void toolbarModes();
    void sendButtonState_data();
    void sendButtonState();
    void sendButtonFollowsTyping();
    void maxLengthRefusesInput();
    void validatorRefusesInput();
    void programmaticTextIsTakenAsIs();
    void counter_data();
    void counter();
    void completeEmoticonReplacementGivesPlainText();
    void promptAndServiceName();
    void keyPressesReachEventFilters();
};

namespace {
// Like the editor's subject validator: takes Return as "next field".
class ReturnFilter : public QObject
{
public:
    int returns = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            ++returns;
            return true;
        }
        return false;
    }
};
} // namespace

void TestMessagingTextEdit::buttonsEmitSignals()
{
    MessagingTextEdit edit(QStringLiteral("Hi"));
    edit.setToolbar(MessagingTextEdit::AttachmentAndSendToolbar);
    QSignalSpy attach(&edit, &MessagingTextEdit::attachmentButtonClicked);
    QSignalSpy send(&edit, &MessagingTextEdit::sendButtonClicked);
    edit.attachmentButton()->click();
    QCOMPARE(attach.count(), 1);
    QCOMPARE(send.count(), 0);
    edit.sendButton()->click();
    QCOMPARE(send.count(), 1);
    QCOMPARE(attach.count(), 1);
}

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
    QCOMPARE(edit.toolbar(), mode);
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
    QCOMPARE(edit.isSendButtonEnabled(), expectEnabled);
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

void TestMessagingTextEdit::maxLengthRefusesInput()
{
    MessagingTextEdit edit;
    edit.setMaxLength(5);
    QTest::keyClicks(&edit, QStringLiteral("abcdefg"));
    QCOMPARE(edit.plainText(), QStringLiteral("abcde"));
    // A paste that would overflow is refused whole, the cursor stays put.
    edit.moveCursor(QTextCursor::Start);
    edit.textCursor().insertText(QStringLiteral("xy"));
    QCOMPARE(edit.plainText(), QStringLiteral("abcde"));
    QCOMPARE(edit.textCursor().position(), 0);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, QStringLiteral("z"));
    QCOMPARE(edit.plainText(), QStringLiteral("zbcde"));
}

void TestMessagingTextEdit::validatorRefusesInput()
{
    MessagingTextEdit edit;
    QRegularExpressionValidator digitsOnly(QRegularExpression(QStringLiteral("[0-9]*")));
    edit.setValidator(&digitsOnly);
    QTest::keyClicks(&edit, QStringLiteral("1a2"));
    QCOMPARE(edit.plainText(), QStringLiteral("12"));
}

void TestMessagingTextEdit::programmaticTextIsTakenAsIs()
{
    MessagingTextEdit edit;
    edit.setMaxLength(3);
    edit.setText(QStringLiteral("longer"));
    QCOMPARE(edit.plainText(), QStringLiteral("longer"));
    // Deleting is still possible, adding is not.
    edit.moveCursor(QTextCursor::End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.plainText(), QStringLiteral("longe"));
}

void TestMessagingTextEdit::counter_data()
{
    QTest::addColumn<bool>("counterOn");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("expected");
    QTest::newRow("count") << true << -1 << QString() << "5";
    QTest::newRow("count of limit") << true << 40 << QString() << "5/40";
    QTest::newRow("off") << false << -1 << QString() << "";
    QTest::newRow("off, toolbar text") << false << -1 << "MMS"
                                       << "MMS";
    QTest::newRow("on wins over toolbar text") << true << -1 << "MMS"
                                               << "5";
}

void TestMessagingTextEdit::counter()
{
    QFETCH(bool, counterOn);
    QFETCH(int, maxLength);
    QFETCH(QString, attribute);
    QFETCH(QString, expected);
    MessagingTextEdit edit(QStringLiteral("Hello"));
    edit.setToolbar(MessagingTextEdit::SendToolbar);
    edit.setMaxLength(maxLength);
    edit.setCharacterCounter(counterOn);
    if (!attribute.isEmpty()) {
        edit.setToolbarAttribute(QStringLiteral("/toolbar"), QStringLiteral("counter"),
                                 QStringLiteral("text"), attribute);
    }
    QCOMPARE(edit.counterLabel()->text(), expected);
    QCOMPARE(edit.counterLabel()->isVisibleTo(&edit), !expected.isEmpty());
}

void TestMessagingTextEdit::completeEmoticonReplacementGivesPlainText()
{
    MessagingTextEdit edit;
    edit.setHtml(QStringLiteral("<b>bold</b><br>next"));
    edit.completeEmoticonReplacement();
    QCOMPARE(edit.plainText(), QStringLiteral("bold\nnext"));
    QVERIFY(!edit.toHtml().contains(QLatin1String("font-weight:600")));
    QCOMPARE(edit.textCursor().position(), edit.plainText().length());
}

void TestMessagingTextEdit::promptAndServiceName()
{
    MessagingTextEdit edit;
    edit.setPrompt(QStringLiteral("Type here"));
    edit.setServiceName(QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring"));
    QCOMPARE(edit.placeholderText(), QStringLiteral("Type here"));
    QCOMPARE(edit.serviceName(),
             QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring"));
}

void TestMessagingTextEdit::keyPressesReachEventFilters()
{
    MessagingTextEdit edit;
    ReturnFilter filter;
    edit.installEventFilter(&filter);
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(filter.returns, 1);
    QCOMPARE(edit.plainText(), QStringLiteral("ab"));
}

QTEST_MAIN(TestMessagingTextEdit)
#include "tst_messagingtextedit.moc"
