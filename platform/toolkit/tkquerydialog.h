#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// A question with Yes and No. Yes ends the dialog with 1024, the value every
// caller compares against; any other result is a refusal.
class TkQueryDialog : public QDialog
{
    Q_OBJECT
public:
    enum Answer { Yes = 1024, No = 0 };

    TkQueryDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

    QString title() const;
    QString text() const;

    // A system dialog stays on top of every application window.
    void setSystemModal(bool systemModal);
    bool isSystemModal() const;

    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

private:
    QLabel* m_title;
    QLabel* m_text;
    QPushButton* m_yes;
    QPushButton* m_no;
};
