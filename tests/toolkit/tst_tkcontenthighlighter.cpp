#include "tkcontenthighlighter.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

// Web addresses, e-mail addresses and phone numbers become links; markup and
// existing links stay as they are.
class TstTkContentHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void highlightedHtml_data();
    void highlightedHtml();
    void plainLabelIsEscapedFirst();
    void highlightingTwiceChangesNothing();
    void linkActivationReachesTheLabel();
};

void TstTkContentHighlighter::highlightedHtml_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");

    QTest::newRow("web address") << "see http://example.com/a?b=1&amp;c=2."
                                 << "see <a href=\"http://example.com/a?b=1&amp;c=2\">"
                                    "http://example.com/a?b=1&amp;c=2</a>.";
    QTest::newRow("www without scheme") << "www.example.com"
                                        << "<a href=\"http://www.example.com\">www.example.com</a>";
    QTest::newRow("e-mail address")
        << "mail anna.berg@example.co.uk now"
        << "mail <a href=\"mailto:anna.berg@example.co.uk\">anna.berg@example.co.uk</a> now";
    QTest::newRow("phone number") << "call +358 40 123-4567!"
                                  << "call <a href=\"tel:+358401234567\">+358 40 123-4567</a>!";
    QTest::newRow("years and times stay text") << "in 2026 at 12:30"
                                               << "in 2026 at 12:30";
    QTest::newRow("existing link untouched")
        << "<a href=\"7\">Anna +358401111111</a>; +358402222222"
        << "<a href=\"7\">Anna +358401111111</a>; <a href=\"tel:+358402222222\">+358402222222</a>";
    QTest::newRow("attributes untouched") << "<img src=\"http://example.com/x.png\"> x"
                                          << "<img src=\"http://example.com/x.png\"> x";
    QTest::newRow("entities are not numbers") << "&#1234567;"
                                              << "&#1234567;";
    QTest::newRow("nothing to find") << "just words<br>and more"
                                     << "just words<br>and more";
}

void TstTkContentHighlighter::highlightedHtml()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QCOMPARE(TkContentHighlighter::highlightedHtml(html), expected);
}

void TstTkContentHighlighter::plainLabelIsEscapedFirst()
{
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setText("a<b\nwww.example.com");
    TkContentHighlighter::highlight(&label);
    QCOMPARE(label.textFormat(), Qt::RichText);
    QCOMPARE(label.text(),
             QStringLiteral("a&lt;b<br><a href=\"http://www.example.com\">www.example.com</a>"));
}

void TstTkContentHighlighter::highlightingTwiceChangesNothing()
{
    QLabel label("write to anna@example.com");
    TkContentHighlighter::highlight(&label);
    const QString once = label.text();
    TkContentHighlighter::highlight(&label);
    QCOMPARE(label.text(), once);
}

void TstTkContentHighlighter::linkActivationReachesTheLabel()
{
    QLabel label("call +358401111111");
    TkContentHighlighter::highlight(&label);
    QVERIFY(!label.openExternalLinks());
    QVERIFY(label.textInteractionFlags() & Qt::LinksAccessibleByMouse);
}

QTEST_MAIN(TstTkContentHighlighter)
#include "tst_tkcontenthighlighter.moc"
