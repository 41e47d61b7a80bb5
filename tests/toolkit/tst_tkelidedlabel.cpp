#include "tkelidedlabel.h"

#include <QtTest>

// Text that does not fit ends with an ellipsis; the label never asks for its
// text's width.
class TstTkElidedLabel : public QObject
{
    Q_OBJECT

private slots:
    void shownText_data();
    void shownText();
    void fitsAnyWidth();
};

void TstTkElidedLabel::shownText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("elided");
    QTest::newRow("short") << "Anna" << false;
    QTest::newRow("long") << QString("Anna Berg ").repeated(20) << true;
}

void TstTkElidedLabel::shownText()
{
    QFETCH(QString, text);
    QFETCH(bool, elided);
    TkElidedLabel label;
    label.setText(text);
    label.resize(200, label.sizeHint().height());
    QCOMPARE(label.text(), text);
    QCOMPARE(label.shownText().endsWith(QChar(0x2026)), elided);
    QCOMPARE(label.shownText() == text, !elided);
    QVERIFY(label.fontMetrics().horizontalAdvance(label.shownText()) <= 200);
    // Painting the cut text works like painting any label.
    QVERIFY(!label.grab().isNull());
}

void TstTkElidedLabel::fitsAnyWidth()
{
    TkElidedLabel label;
    label.setText(QString("wide ").repeated(50));
    QCOMPARE(label.minimumSizeHint().width(), 0);
    QVERIFY(label.minimumSizeHint().height() > 0);
}

QTEST_MAIN(TstTkElidedLabel)
#include "tst_tkelidedlabel.moc"
