#pragma once

#include <QString>

class QLabel;

// Turns the web addresses, e-mail addresses and phone numbers in a label's
// text into links. Existing links and markup are left as they are, so a label
// can be highlighted more than once.
class TkContentHighlighter
{
public:
    // The label shows rich text afterwards; a link activation reaches its
    // linkActivated signal instead of opening anything.
    static void highlight(QLabel* label);
    static QString highlightedHtml(const QString& html);

private:
    static QString labelHtml(const QLabel* label);
    static QString linkify(const QString& text);
    static QString hrefFor(const QString& found);
};
