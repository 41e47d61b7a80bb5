#pragma once

#include <QFrame>

// A thin horizontal rule between groups of rows.
class TkSeparator : public QFrame
{
    Q_OBJECT
public:
    explicit TkSeparator(QWidget* parent = nullptr);
};
