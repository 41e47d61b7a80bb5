#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

// A modal full-window form with a header holding Cancel and Done. Done ends it
// with 1024 (like a query dialog's Yes), Cancel with 0.
class TkSheet : public QDialog
{
    Q_OBJECT
public:
    enum Result { Done = 1024, Cancelled = 0 };

    explicit TkSheet(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;

    // The sheet takes ownership of the widget.
    void setCentralWidget(QWidget* widget);
    QWidget* centralWidget() const { return m_central; }

    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* doneButton() const { return m_done; }

signals:
    void cancelClicked();
    void doneClicked();

private:
    QLabel* m_title;
    QPushButton* m_cancel;
    QPushButton* m_done;
    QVBoxLayout* m_column;
    QWidget* m_central = nullptr;
};
