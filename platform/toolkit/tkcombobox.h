#pragma once

#include <QComboBox>

// A choice list: its title above the chosen item; a tap opens the items.
// activated(int) fires for every pick, also when the chosen item is picked again.
class TkComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
public:
    explicit TkComboBox(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return m_title; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize withTitleLine(QSize size) const;

    QString m_title;
};
