#include "emoticonutils.h"

#include <QLabel>
#include <QtTest>

// Emoticon text shown in a label.
class TstEmoticonUtils : public QObject
{
    Q_OBJECT

private slots:
    void emoticonsBecomeImagesOfTheFontAscent();
    void emptyTextLeavesTheLabel();
};

void TstEmoticonUtils::emoticonsBecomeImagesOfTheFontAscent()
{
    QLabel label;
    QFont font = label.font();
    font.setPixelSize(30);
    label.setFont(font);
    EmoticonUtils::setLabelText(&label, "see &lt;you&gt; :-)\nbye");
    QCOMPARE(label.textFormat(), Qt::RichText);
    const int ascent = QFontMetrics(font).ascent();
    QCOMPARE(label.text(),
             QStringLiteral("see &lt;you&gt; <img src=\":/theme/icons/icon-s-messaging-smiley-"
                            "happy.png\" width=\"%1\" height=\"%1\"><br>bye")
                 .arg(ascent));
}

void TstEmoticonUtils::emptyTextLeavesTheLabel()
{
    QLabel label("before");
    label.setTextFormat(Qt::PlainText);
    EmoticonUtils::setLabelText(&label, QString());
    QCOMPARE(label.text(), QStringLiteral("before"));
    QCOMPARE(label.textFormat(), Qt::PlainText);
}

QTEST_MAIN(TstEmoticonUtils)
#include "tst_emoticonutils.moc"
