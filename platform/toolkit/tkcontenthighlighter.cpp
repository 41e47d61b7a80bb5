#include "tkcontenthighlighter.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTextDocument>

namespace {

// Trailing punctuation belongs to the sentence, not to the web address.
const QString kUrl = QStringLiteral("(?<url>(?:https?://|www\\.)[^\\s<>\"]*[^\\s<>\".,;:!?)'])");
const QString kEmail =
    QStringLiteral("(?<email>[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*\\.[A-Za-z]{2,})");
// Six digits at least, so that years and times stay text; "&#" guards entities.
const QString kPhone =
    QStringLiteral("(?<phone>(?<![\\w+&#])\\+?\\(?\\d(?:[-. ()]?\\d){5,}(?![\\w@]))");

const QRegularExpression& contentPattern()
{
    static const QRegularExpression pattern(kUrl + QLatin1Char('|') + kEmail + QLatin1Char('|') +
                                            kPhone);
    return pattern;
}

const QRegularExpression& tagPattern()
{
    static const QRegularExpression pattern(QStringLiteral("<[^<>]*>"));
    return pattern;
}

bool opensAnchor(const QStringRef& tag)
{
    static const QRegularExpression open(QStringLiteral("^<a[\\s>]"),
                                         QRegularExpression::CaseInsensitiveOption);
    return open.match(tag).hasMatch();
}

bool closesAnchor(const QStringRef& tag)
{
    return tag.compare(QLatin1String("</a>"), Qt::CaseInsensitive) == 0;
}

} // namespace

void TkContentHighlighter::highlight(QLabel* label)
{
    const QString html = highlightedHtml(labelHtml(label));
    label->setTextFormat(Qt::RichText);
    label->setText(html);
    label->setOpenExternalLinks(false);
    label->setTextInteractionFlags(label->textInteractionFlags() | Qt::LinksAccessibleByMouse);
}

QString TkContentHighlighter::labelHtml(const QLabel* label)
{
    const QString text = label->text();
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich)
        return text;
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

QString TkContentHighlighter::highlightedHtml(const QString& html)
{
    QString result;
    bool insideAnchor = false;
    int position = 0;
    QRegularExpressionMatchIterator tags = tagPattern().globalMatch(html);
    while (position < html.size()) {
        const QRegularExpressionMatch tag =
            tags.hasNext() ? tags.next() : QRegularExpressionMatch();
        const int textEnd = tag.hasMatch() ? tag.capturedStart() : html.size();
        const QString text = html.mid(position, textEnd - position);
        result += insideAnchor ? text : linkify(text);
        if (!tag.hasMatch())
            break;
        const QStringRef tagText = tag.capturedRef();
        if (opensAnchor(tagText))
            insideAnchor = true;
        else if (closesAnchor(tagText))
            insideAnchor = false;
        result += tagText;
        position = tag.capturedEnd();
    }
    return result;
}

QString TkContentHighlighter::linkify(const QString& text)
{
    QString result;
    int position = 0;
    QRegularExpressionMatchIterator found = contentPattern().globalMatch(text);
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        result += text.midRef(position, match.capturedStart() - position);
        result += QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(hrefFor(match.captured()), match.captured());
        position = match.capturedEnd();
    }
    result += text.midRef(position);
    return result;
}

QString TkContentHighlighter::hrefFor(const QString& found)
{
    if (found.startsWith(QLatin1String("www.")))
        return QLatin1String("http://") + found;
    if (found.contains(QLatin1String("://")))
        return found;
    if (found.contains(QLatin1Char('@')))
        return QLatin1String("mailto:") + found;
    QString number;
    for (const QChar c : found) {
        if (c.isDigit() || c == QLatin1Char('+'))
            number += c;
    }
    return QLatin1String("tel:") + number;
}
