#include "mmsrecipientsedit.h"
#include "tkinputmethodstate.h"

#include <QLineEdit>
#include <QtTest>

class TestMmsRecipientsEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void toolbarButtons_data();
    void toolbarButtons();
    void otherKeysAreTyped();

private:
    MmsRecipientsEdit* m_edit = nullptr;
    int m_toolbar = -1;
};

// The editor page's setup: the description announced, its id attached.
void TestMmsRecipientsEdit::initTestCase()
{
    m_edit = new MmsRecipientsEdit(nullptr, Tollis::RecipientsEdit::AnyAddress, true);
    m_toolbar = TkInputMethodState::instance()->registerAttributeExtension(
        MmsRecipientsEdit::toolbarDescription());
    QVERIFY(m_toolbar > 0);
    m_edit->attachToolbar(m_toolbar);
    m_edit->show();
    QApplication::setActiveWindow(m_edit);
    m_edit->field(Tollis::RecipientsEdit::ToField)->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_edit));
}

void TestMmsRecipientsEdit::toolbarButtons_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("attachments");
    QTest::addColumn<int>("sends");
    QTest::newRow("attach") << "attach" << true << 1 << 0;
    QTest::newRow("send") << "send" << true << 0 << 1;
    // The page switches them off while it is busy sending.
    QTest::newRow("send switched off") << "send" << false << 0 << 0;
}

void TestMmsRecipientsEdit::toolbarButtons()
{
    QFETCH(QString, item);
    QFETCH(bool, enabled);
    QFETCH(int, attachments);
    QFETCH(int, sends);
    TkInputMethodState* state = TkInputMethodState::instance();
    state->setExtendedAttribute(m_toolbar, QStringLiteral("/toolbar"), item,
                                QStringLiteral("enabled"), enabled);
    QSignalSpy attach(m_edit, &MmsRecipientsEdit::attachmentButtonClicked);
    QSignalSpy send(m_edit, &MmsRecipientsEdit::sendButtonClicked);
    QCOMPARE(state->triggerToolbarItem(m_toolbar, item), enabled);
    QCOMPARE(attach.count(), attachments);
    QCOMPARE(send.count(), sends);
    QVERIFY(m_edit->field(Tollis::RecipientsEdit::ToField)->text().isEmpty());
    state->setExtendedAttribute(m_toolbar, QStringLiteral("/toolbar"), item,
                                QStringLiteral("enabled"), true);
}

void TestMmsRecipientsEdit::otherKeysAreTyped()
{
    QLineEdit* to = m_edit->field(Tollis::RecipientsEdit::ToField);
    QSignalSpy attach(m_edit, &MmsRecipientsEdit::attachmentButtonClicked);
    QSignalSpy send(m_edit, &MmsRecipientsEdit::sendButtonClicked);
    QTest::keyClick(to, Qt::Key_K);
    QCOMPARE(to->text(), QStringLiteral("k"));
    QTest::keyClick(to, Qt::Key_J, Qt::MetaModifier);
    QCOMPARE(attach.count() + send.count(), 0);
}

QTEST_MAIN(TestMmsRecipientsEdit)
#include "tst_mmsrecipientsedit.moc"
