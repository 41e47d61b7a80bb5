#pragma once

#include <QString>

class QWidget;

// Style names are what the theme's style sheets address with [styleName="..."];
// any widget can carry one.
namespace tk {

void setStyleName(QWidget* widget, const QString& styleName);
QString styleName(const QWidget* widget);

} // namespace tk
