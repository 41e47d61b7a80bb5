#include "mmsrecipientsedit.h"
#include "mmsspinneroverlayview.h"
#include "mmstimedbanner.h"
#include "stylableinputfield.h"
#include "tkbanner.h"
#include "tkinputmethodstate.h"
#include "tkscenewindow.h"
#include "tkspinner.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

// The editor page's own widgets, each on its own.
class TestMmsEditorWidgets : public QObject
{
    Q_OBJECT
private slots:
    void labelSideFollowsTheWriting_data();
    void labelSideFollowsTheWriting();
    void recipientToolbar_data();
    void recipientToolbar();
    void eachNoteIsABannerOfItsOwn();
    void nothingUnderTheSpinnerReacts_data();
    void nothingUnderTheSpinnerReacts();
};

void TestMmsEditorWidgets::labelSideFollowsTheWriting_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("direction");
    QTest::newRow("Latin") << "Subject:" << int(Qt::LeftToRight);
    QTest::newRow("Hebrew") << QStringLiteral("נושא:") << int(Qt::RightToLeft);
}

void TestMmsEditorWidgets::labelSideFollowsTheWriting()
{
    QFETCH(QString, label);
    QFETCH(int, direction);
    StylableInputField field(label, new QTextEdit);
    QCOMPARE(int(field.edit()->document()->defaultTextOption().textDirection()), direction);
    field.resize(400, 50);
    field.show();
    QCOMPARE(field.label()->x() < field.edit()->x(), direction == Qt::LeftToRight);
}

void TestMmsEditorWidgets::recipientToolbar_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("reached");
    QTest::newRow("attach") << "attach" << true << "attach";
    QTest::newRow("send") << "send" << true << "send";
    // The page switches them off while it is busy sending.
    QTest::newRow("send switched off") << "send" << false << "";
    QTest::newRow("other keys are typed") << "" << true << "";
}

// The buttons of the recipients' input-method toolbar, as the editor page sets them up.
void TestMmsEditorWidgets::recipientToolbar()
{
    QFETCH(QString, item);
    QFETCH(bool, enabled);
    MmsRecipientsEdit edit(nullptr, Tollis::RecipientsEdit::AnyAddress, true);
    TkInputMethodState* state = TkInputMethodState::instance();
    const int toolbar = state->registerAttributeExtension(MmsRecipientsEdit::toolbarDescription());
    edit.attachToolbar(toolbar);
    edit.show();
    QApplication::setActiveWindow(&edit);
    QLineEdit* to = edit.field(Tollis::RecipientsEdit::ToField);
    to->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QString reached;
    connect(&edit, &MmsRecipientsEdit::attachmentButtonClicked, [&] { reached += "attach"; });
    connect(&edit, &MmsRecipientsEdit::sendButtonClicked, [&] { reached += "send"; });
    if (item.isEmpty()) {
        QTest::keyClick(to, Qt::Key_K);
        QCOMPARE(to->text(), QStringLiteral("k"));
        QTest::keyClick(to, Qt::Key_J, Qt::MetaModifier);
    } else {
        state->setExtendedAttribute(toolbar, "/toolbar", item, "enabled", enabled);
        QCOMPARE(state->triggerToolbarItem(toolbar, item), enabled);
        QVERIFY(to->text().isEmpty());
    }
    QTEST(reached, "reached");
    state->unregisterAttributeExtension(toolbar);
}

void TestMmsEditorWidgets::eachNoteIsABannerOfItsOwn()
{
    auto* window = new QWidget;
    window->show();
    MmsTimedBanner banner(window);
    QPointer<TkBanner> first = banner.showBanner(QStringLiteral("one"));
    QPointer<TkBanner> second = banner.showBanner(QStringLiteral("two"));
    QVERIFY(first && second && first != second && first->isVisible());
    // Gone once shown.
    first->setDuration(1);
    QTRY_VERIFY(!first);
    QVERIFY(second);
    delete window;
    QVERIFY(!banner.showBanner(QStringLiteral("nobody sees this")));
}

void TestMmsEditorWidgets::nothingUnderTheSpinnerReacts_data()
{
    QTest::addColumn<bool>("sceneWindow");
    QTest::newRow("editor page's scene window") << true;
    QTest::newRow("quick-send widget's overlay") << false;
}

void TestMmsEditorWidgets::nothingUnderTheSpinnerReacts()
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
    QVERIFY(overlay->spinner()->isSpinning());
    QCOMPARE(overlay->spinner()->geometry().center(), overlay->rect().center());
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {}, page.rect().center());
    QCOMPARE(clicked.count(), 0);
}

QTEST_MAIN(TestMmsEditorWidgets)
#include "tst_mmseditorwidgets.moc"
