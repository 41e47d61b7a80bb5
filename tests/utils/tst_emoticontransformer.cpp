#include "emoticontransformer.h"
#include "emoticonutils.h"

#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QtTest>

// Text emoticons to theme images and back, and shown in a label.
class TstEmoticonTransformer : public QObject
{
    Q_OBJECT

private slots:
    void toHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        const auto same = [](const char* name, const QString& text) {
            QTest::newRow(name) << text << text;
        };
        same("empty", "");
        same("no emoticon", "Hello there");
        same("entity before a parenthesis stays text", "x&gt;)");
        same("numeric entity stays text", "&#59;)");
        const auto row = [](const char* name, const QString& text, const QStringList& html) {
            QTest::newRow(name) << text << html.join("");
        };
        row("long form is one emoticon", "Hi :-)", {"Hi ", image("happy")});
        row("several", ";) and :( and :P",
            {image("wink"), " and ", image("sad"), " and ", image("tongue")});
        row("line breaks", "a\nb:D", {"a<br>b", image("very-happy")});
        row("tag passes through", "<br>:)", {"<br>", image("happy")});
        row("lone ampersand is text", "a & ;)", {"a & ", image("wink")});
    }
    void toHtml()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QCOMPARE(EmoticonTransformer().transformPlainTextToHTML(text, QString(), 20, "\n"), html);
    }

    void imageStyleIsApplied()
    {
        QCOMPARE(EmoticonTransformer().transformPlainTextToHTML(":(", "top", 8, "\n"),
                 image("sad", 8).replace(">", " style=\"top\">"));
    }

    void everyImageExistsInTheTheme()
    {
        for (const char* id : {"happy", "sad", "wink", "very-happy", "tongue"}) {
            const QString source = EmoticonTransformer::imageSource(
                QStringLiteral("icon-s-messaging-smiley-%1").arg(id));
            QVERIFY2(!QImage(source).isNull(), qPrintable(source));
        }
    }

    // Empty text leaves the label as it was.
    void labelShowsImagesOfTheFontAscent()
    {
        QLabel label("before");
        label.setTextFormat(Qt::PlainText);
        EmoticonUtils::setLabelText(&label, QString());
        QCOMPARE(label.text(), QStringLiteral("before"));
        QCOMPARE(label.textFormat(), Qt::PlainText);

        QFont font = label.font();
        font.setPixelSize(30);
        label.setFont(font);
        EmoticonUtils::setLabelText(&label, "see &lt;you&gt; :-)\nbye");
        QCOMPARE(label.textFormat(), Qt::RichText);
        QCOMPARE(label.text(),
                 "see &lt;you&gt; " + image("happy", QFontMetrics(font).ascent()) + "<br>bye");
    }

    void documentRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("images");
        QTest::addColumn<QString>("plain");
        QTest::newRow("no emoticon") << "plain words" << 0 << "plain words";
        QTest::newRow("two kinds") << "ok :-) sure ;)" << 2 << "ok :-) sure ;-)";
        QTest::newRow("adjacent") << ":):)" << 2 << ":-):-)";
        QTest::newRow("two lines") << "a :(\nb" << 1 << "a :-(\nb";
    }
    // The long form is the one written back: it is what the image stands for.
    void documentRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, images);
        QFETCH(QString, plain);
        QTextDocument document(text);
        document.setPlainText(text);
        EmoticonTransformer transformer;
        transformer.transformTextDocument(&document, 16);
        QCOMPARE(document.toPlainText().count(QChar::ObjectReplacementCharacter), images);
        QCOMPARE(transformer.plainText(QTextDocumentFragment(&document)), plain);
    }

private:
    static QString image(const QString& id, int height = 20)
    {
        return QStringLiteral("<img src=\":/theme/icons/icon-s-messaging-smiley-%1.png\" "
                              "width=\"%2\" height=\"%2\">")
            .arg(id)
            .arg(height);
    }
};

QTEST_MAIN(TstEmoticonTransformer)
#include "tst_emoticontransformer.moc"
