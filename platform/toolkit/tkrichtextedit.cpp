#include "tkrichtextedit.h"

#include "tktexteditmodel.h"

TkRichTextEdit::TkRichTextEdit(QWidget* parent)
    : QTextEdit(parent)
    , m_model(new TkTextEditModel(this))
{
    connect(this, &QTextEdit::selectionChanged, this,
            [this] { m_model->setSelecting(textCursor().hasSelection()); });
}
