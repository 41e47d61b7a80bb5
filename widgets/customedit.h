#pragma once

#include "tkrichtextedit.h"

#include <QEvent>

// The read-only editor a selectable label turns into, so that the user can
// select words and copy them.
class CustomEdit : public TkRichTextEdit
{
    Q_OBJECT
public:
    explicit CustomEdit(QWidget* parent = nullptr);

    // A double tap at `position` (in this widget's coordinates), which selects
    // the word there. Returns whether text is now selected.
    bool startSelection(const QPointF& position);
    // The selection as plain text, emoticon images back in their text form.
    void copy();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool hitsText(const QPoint& viewportPosition) const;
    void sendMouseEvent(QEvent::Type type, const QPoint& viewportPosition);
    void followDocumentHeight();
};
