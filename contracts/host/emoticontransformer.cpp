#include "emoticontransformer.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>

namespace {
// An image made while typing keeps the text typed, to give it back.
constexpr int TypedTextProperty = QTextFormat::UserProperty + 1;
} // namespace

// Longer forms first, so that ":-)" is never read as ":" followed by "-)".
const QVector<EmoticonTransformer::Emoticon>& EmoticonTransformer::table()
{
    static const QVector<Emoticon> emoticons{
        {QStringLiteral(":-)"), QStringLiteral("icon-s-messaging-smiley-happy")},
        {QStringLiteral(":-("), QStringLiteral("icon-s-messaging-smiley-sad")},
        {QStringLiteral(";-)"), QStringLiteral("icon-s-messaging-smiley-wink")},
        {QStringLiteral(":-D"), QStringLiteral("icon-s-messaging-smiley-very-happy")},
        {QStringLiteral(":-P"), QStringLiteral("icon-s-messaging-smiley-tongue")},
        {QStringLiteral(":)"), QStringLiteral("icon-s-messaging-smiley-happy")},
        {QStringLiteral(":("), QStringLiteral("icon-s-messaging-smiley-sad")},
        {QStringLiteral(";)"), QStringLiteral("icon-s-messaging-smiley-wink")},
        {QStringLiteral(":D"), QStringLiteral("icon-s-messaging-smiley-very-happy")},
        {QStringLiteral(":P"), QStringLiteral("icon-s-messaging-smiley-tongue")},
    };
    return emoticons;
}

// Theme images by id; the one place to change when the theme lookup moves.
QString EmoticonTransformer::imageSource(const QString& themeId)
{
    return QStringLiteral(":/theme/icons/%1.png").arg(themeId);
}

const EmoticonTransformer::Emoticon* EmoticonTransformer::emoticonAt(const QString& text,
                                                                     int position)
{
    for (const Emoticon& emoticon : table()) {
        if (text.midRef(position, emoticon.text.size()) == emoticon.text)
            return &emoticon;
    }
    return nullptr;
}

// The first text form of an image is the one written back.
const EmoticonTransformer::Emoticon* EmoticonTransformer::emoticonForSource(const QString& source)
{
    for (const Emoticon& emoticon : table()) {
        if (imageSource(emoticon.themeId) == source)
            return &emoticon;
    }
    return nullptr;
}

// Length of the tag or character entity starting at position, 0 when none does:
// "&gt;)" must stay a ">" and a ")", not become a wink.
int EmoticonTransformer::markupLength(const QString& text, int position)
{
    static const QRegularExpression markup(QStringLiteral("<[^<>]*>|&#?[A-Za-z0-9]+;"));
    const QRegularExpressionMatch match = markup.match(
        text, position, QRegularExpression::NormalMatch, QRegularExpression::AnchoredMatchOption);
    return match.hasMatch() ? match.capturedLength() : 0;
}

QString EmoticonTransformer::transformPlainTextToHTML(const QString& text,
                                                      const QString& imageStyle, int height,
                                                      const QString& lineBreak) const
{
    const QString style =
        imageStyle.isEmpty() ? QString() : QStringLiteral(" style=\"%1\"").arg(imageStyle);
    QString html;
    int position = 0;
    while (position < text.size()) {
        if (!lineBreak.isEmpty() && text.midRef(position, lineBreak.size()) == lineBreak) {
            html += QLatin1String("<br>");
            position += lineBreak.size();
        } else if (const int length = markupLength(text, position)) {
            html += text.midRef(position, length);
            position += length;
        } else if (const Emoticon* emoticon = emoticonAt(text, position)) {
            html += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%2\"%3>")
                        .arg(imageSource(emoticon->themeId))
                        .arg(height)
                        .arg(style);
            position += emoticon->text.size();
        } else {
            html += text.at(position++);
        }
    }
    return html;
}

QTextImageFormat EmoticonTransformer::imageFormat(const Emoticon& emoticon, int height)
{
    QTextImageFormat image;
    image.setName(imageSource(emoticon.themeId));
    image.setWidth(height);
    image.setHeight(height);
    return image;
}

void EmoticonTransformer::transformTextDocument(QTextDocument* document, int height) const
{
    for (const Emoticon& emoticon : table()) {
        QTextCursor found = document->find(emoticon.text);
        while (!found.isNull()) {
            found.insertImage(imageFormat(emoticon, height));
            found = document->find(emoticon.text, found);
        }
    }
}

void EmoticonTransformer::transformFinishedEmoticons(QTextDocument* document, int height,
                                                     bool paragraphEndsWord) const
{
    struct Found
    {
        int position;
        const Emoticon* emoticon;
    };
    QVector<Found> found;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (int position = 0; position < text.size(); ++position) {
            const Emoticon* emoticon = emoticonAt(text, position);
            if (!emoticon)
                continue;
            const int end = position + emoticon->text.size();
            const bool lineEnds = paragraphEndsWord || block.next().isValid();
            if (end < text.size() ? text.at(end).isSpace() : lineEnds)
                found.append({block.position() + position, emoticon});
            position = end - 1;
        }
    }
    // From the back, so that the positions still to replace stay where they were.
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        QTextCursor cursor(document);
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->emoticon->text.size(), QTextCursor::KeepAnchor);
        QTextImageFormat image = imageFormat(*it->emoticon, height);
        image.setProperty(TypedTextProperty, it->emoticon->text);
        cursor.insertImage(image);
    }
}

QString EmoticonTransformer::plainText(const QTextDocumentFragment& fragment) const
{
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment part = it.fragment();
            const QTextCharFormat format = part.charFormat();
            const Emoticon* emoticon =
                format.isImageFormat() ? emoticonForSource(format.toImageFormat().name()) : nullptr;
            const QString typed = format.stringProperty(TypedTextProperty);
            if (emoticon)
                text += (typed.isEmpty() ? emoticon->text : typed).repeated(part.length());
            else // A line break inside a block is U+2028 in the document, "\n" for the user.
                text += part.text().replace(QChar::LineSeparator, QLatin1Char('\n'));
        }
    }
    return text;
}
