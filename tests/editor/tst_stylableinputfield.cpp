#include "stylableinputfield.h"

#include <QLabel>
#include <QTextEdit>
#include <QtTest>

#include "tkstyle.h"

class TestStylableInputField : public QObject
{
    Q_OBJECT
private slots:
    void selectedWhileEditing();
    void directionFollowsTheLabel_data();
    void directionFollowsTheLabel();
};

void TestStylableInputField::selectedWhileEditing()
{
    QWidget window;
    auto* other = new QTextEdit(&window);
    auto* field = new StylableInputField(QStringLiteral("Subject:"), new QTextEdit, &window);
    field->move(0, 100);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(field->label(), Qt::LeftButton);
    QVERIFY(field->edit()->hasFocus());
    QCOMPARE(tk::styleMode(field), QString::fromLatin1(tk::selectedStyleMode));
    QCOMPARE(tk::styleMode(field->label()), QString::fromLatin1(tk::selectedStyleMode));
    other->setFocus();
    QVERIFY(tk::styleMode(field).isEmpty());
    QVERIFY(tk::styleMode(field->label()).isEmpty());
}

void TestStylableInputField::directionFollowsTheLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("direction");
    QTest::newRow("Latin") << "Subject:" << int(Qt::LeftToRight);
    QTest::newRow("Hebrew") << QStringLiteral("נושא:") << int(Qt::RightToLeft);
}

void TestStylableInputField::directionFollowsTheLabel()
{
    QFETCH(QString, label);
    QFETCH(int, direction);
    StylableInputField field(label, new QTextEdit);
    QCOMPARE(int(field.layoutDirection()), direction);
    QCOMPARE(int(field.edit()->document()->defaultTextOption().textDirection()), direction);
    // The label sits on the side the writing starts from.
    field.resize(400, 50);
    field.show();
    QCOMPARE(field.label()->x() < field.edit()->x(), direction == Qt::LeftToRight);
}

QTEST_MAIN(TestStylableInputField)
#include "tst_stylableinputfield.moc"
