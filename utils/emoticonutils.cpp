#include "emoticonutils.h"

#include "emoticontransformer.h"

#include <QFontMetrics>
#include <QLabel>

void EmoticonUtils::setLabelText(QLabel* label, const QString& text)
{
    static const EmoticonTransformer transformer;
    const int ascent = QFontMetrics(label->font()).ascent();
    const QString html =
        transformer.transformPlainTextToHTML(text, QString(), ascent, QStringLiteral("\n"));
    if (html.isEmpty())
        return;
    label->setTextFormat(Qt::RichText);
    label->setText(html);
}
