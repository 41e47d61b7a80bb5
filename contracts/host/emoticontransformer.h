#pragma once

#include <QString>
#include <QVector>

class QTextDocument;
class QTextDocumentFragment;
class QTextImageFormat;

// Turns text emoticons such as ":-)" into theme images and back: into rich text
// for labels, in place inside an editor's document, and back to plain text when
// the content leaves an editor.
class EmoticonTransformer
{
public:
    // `text` is already safe as HTML: its entities and tags pass through untouched.
    // Each `lineBreak` becomes "<br>"; `imageStyle`, when given, styles every image.
    QString transformPlainTextToHTML(const QString& text, const QString& imageStyle, int height,
                                     const QString& lineBreak) const;
    void transformTextDocument(QTextDocument* document, int height) const;
    // The way an editor replaces as the user types: only emoticons that a space
    // or a line break follows, and with `paragraphEndsWord` also those that end
    // the text. ":D" at the start of ":Dave" is left alone. These images give
    // back the text typed (":)", not ":-)").
    void transformFinishedEmoticons(QTextDocument* document, int height,
                                    bool paragraphEndsWord) const;
    QString plainText(const QTextDocumentFragment& fragment) const;

    static QString imageSource(const QString& themeId);

private:
    struct Emoticon
    {
        QString text;
        QString themeId;
    };
    static const QVector<Emoticon>& table();
    static const Emoticon* emoticonAt(const QString& text, int position);
    static QTextImageFormat imageFormat(const Emoticon& emoticon, int height);
    static const Emoticon* emoticonForSource(const QString& source);
    static int markupLength(const QString& text, int position);
};
