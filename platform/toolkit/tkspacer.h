#pragma once

#include <QWidget>

// Empty room between rows whose height the theme gives by style name
// (min-height in the style sheet), so that spacing follows the theme.
class TkSpacer : public QWidget
{
    Q_OBJECT
public:
    explicit TkSpacer(const QString& styleName, QWidget* parent = nullptr);
};
