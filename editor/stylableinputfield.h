#pragma once

#include <QWidget>

class QLabel;
class QTextEdit;

// A labelled input field: the label beside the edit, both marked selected
// while the edit has the focus; a tap on the label focuses the edit. The
// writing direction of the label decides the side it sits on and the edit's
// text direction.
class StylableInputField : public QWidget
{
    Q_OBJECT
public:
    // The field takes `edit` into itself.
    StylableInputField(const QString& labelText, QTextEdit* edit, QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    QTextEdit* edit() const { return m_edit; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setSelected(bool selected);

    QLabel* m_label;
    QTextEdit* m_edit;
};
