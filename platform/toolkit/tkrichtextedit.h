#pragma once

#include <QTextEdit>

class TkTextEditModel;

// A rich text editor whose model tells when the user selects text.
class TkRichTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit TkRichTextEdit(QWidget* parent = nullptr);

    TkTextEditModel* model() const { return m_model; }

private:
    TkTextEditModel* m_model;
};
