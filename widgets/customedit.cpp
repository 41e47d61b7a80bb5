#include "customedit.h"

#include "emoticontransformer.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QtMath>

CustomEdit::CustomEdit(QWidget* parent)
    : TkRichTextEdit(parent)
{
    setReadOnly(true);
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
    // Like the label it stands in for, it is as tall as its text.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &CustomEdit::followDocumentHeight);
}

void CustomEdit::followDocumentHeight()
{
    setMinimumHeight(qCeil(document()->size().height()) + 2 * frameWidth());
}

// The editor's own word selection takes the word nearest to a tap, even on
// blank space below the text; a tap there must select nothing.
bool CustomEdit::hitsText(const QPoint& viewportPosition) const
{
    const QPointF documentPosition =
        viewportPosition + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return document()->documentLayout()->hitTest(documentPosition, Qt::ExactHit) >= 0;
}

void CustomEdit::sendMouseEvent(QEvent::Type type, const QPoint& viewportPosition)
{
    QMouseEvent event(
        type, viewportPosition, viewport()->mapToGlobal(viewportPosition), Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport(), &event);
}

bool CustomEdit::startSelection(const QPointF& position)
{
    const QPoint target = viewport()->mapFrom(this, position.toPoint());
    if (!hitsText(target))
        return false;
    // The second tap of a double tap arrives as a double click.
    sendMouseEvent(QEvent::MouseButtonPress, target);
    sendMouseEvent(QEvent::MouseButtonRelease, target);
    sendMouseEvent(QEvent::MouseButtonDblClick, target);
    sendMouseEvent(QEvent::MouseButtonRelease, target);
    return textCursor().hasSelection();
}

void CustomEdit::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || !textCursor().hasSelection())
        return;
    clipboard->setText(EmoticonTransformer().plainText(textCursor().selection()));
}

void CustomEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    TkRichTextEdit::keyPressEvent(event);
}
