#include "tkcombobox.h"
#include "tklineedit.h"
#include "tkpopuplist.h"
#include "tkswitchbutton.h"

#include <QAbstractItemView>
#include <QListView>
#include <QStringListModel>
#include <QtTest>

namespace {

// Picks an item the way a user does: through the opened list.
void pick(QComboBox* box, int index)
{
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

} // namespace

class TestTkInputs : public QObject
{
    Q_OBJECT
private slots:
    void comboBoxActivatedAlsoForTheSameItem();
    void comboBoxTitleTakesALine();
    void switchButtonToggles();
    void lineEditHints_data();
    void lineEditHints();
    void lineEditPrompt();
    void popupListReportsTheClickedItemAndCloses();
};

void TestTkInputs::comboBoxActivatedAlsoForTheSameItem()
{
    TkComboBox box;
    box.addItems({"one", "two"});
    box.setCurrentIndex(1);
    box.show();
    QSignalSpy activated(&box, QOverload<int>::of(&QComboBox::activated));
    QSignalSpy changed(&box, QOverload<int>::of(&QComboBox::currentIndexChanged));

    pick(&box, 1);
    pick(&box, 1);
    pick(&box, 0);
    QCOMPARE(activated.count(), 3);
    QCOMPARE(activated.at(0).at(0).toInt(), 1);
    QCOMPARE(activated.at(1).at(0).toInt(), 1);
    QCOMPARE(activated.at(2).at(0).toInt(), 0);
    QCOMPARE(changed.count(), 1);
}

void TestTkInputs::comboBoxTitleTakesALine()
{
    TkComboBox box;
    box.addItem("item");
    const int plainHeight = QComboBox().sizeHint().height();
    box.setTitle("A title wider than any of the items");
    QVERIFY(box.sizeHint().height() > plainHeight);
    QVERIFY(box.sizeHint().width() > box.fontMetrics().horizontalAdvance(box.title()));
}

void TestTkInputs::switchButtonToggles()
{
    TkSwitchButton button;
    QVERIFY(button.isCheckable());
    QSignalSpy toggled(&button, &QAbstractButton::toggled);
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(button.isChecked(), true);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(button.isChecked(), false);
    QCOMPARE(toggled.count(), 2);
}

void TestTkInputs::lineEditHints_data()
{
    QTest::addColumn<int>("contentType");
    QTest::addColumn<bool>("autoCapitalization");
    QTest::addColumn<bool>("prediction");
    QTest::addColumn<int>("hints");

    QTest::newRow("free text, defaults") << int(TkLineEdit::FreeText) << true << true << 0;
    QTest::newRow("no capitals") << int(TkLineEdit::FreeText) << false << true
                                 << int(Qt::ImhNoAutoUppercase);
    QTest::newRow("no prediction")
        << int(TkLineEdit::FreeText) << true << false << int(Qt::ImhNoPredictiveText);
    QTest::newRow("url") << int(TkLineEdit::Url) << true << false
                         << int(Qt::ImhUrlCharactersOnly | Qt::ImhNoPredictiveText);
    QTest::newRow("number") << int(TkLineEdit::Number) << false << false
                            << int(Qt::ImhDigitsOnly | Qt::ImhNoAutoUppercase |
                                   Qt::ImhNoPredictiveText);
}

void TestTkInputs::lineEditHints()
{
    QFETCH(int, contentType);
    QFETCH(bool, autoCapitalization);
    QFETCH(bool, prediction);
    QFETCH(int, hints);

    TkLineEdit edit;
    edit.setContentType(TkLineEdit::ContentType(contentType));
    edit.setAutoCapitalizationEnabled(autoCapitalization);
    edit.setPredictionEnabled(prediction);
    QCOMPARE(int(edit.inputMethodHints()), hints);
}

void TestTkInputs::lineEditPrompt()
{
    TkLineEdit edit;
    edit.setPrompt("http://");
    QCOMPARE(edit.placeholderText(), QString("http://"));
}

void TestTkInputs::popupListReportsTheClickedItemAndCloses()
{
    TkPopupList list;
    QStringListModel model({"first", "second"});
    list.setTitle("Choose");
    list.setItemModel(&model);
    list.open();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QSignalSpy clicked(&list, &TkPopupList::clicked);
    const QRect item = list.listView()->visualRect(model.index(1, 0));
    QTest::mouseClick(list.listView()->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toModelIndex().row(), 1);
    QVERIFY(!list.isVisible());
}

QTEST_MAIN(TestTkInputs)
#include "tst_tkinputs.moc"
