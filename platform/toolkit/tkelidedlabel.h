#pragma once

#include <QLabel>

// A one-line plain-text label that ends with "…" where its text does not fit,
// instead of widening its row. text() keeps the whole text.
class TkElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TkElidedLabel(QWidget* parent = nullptr);

    QString shownText() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
