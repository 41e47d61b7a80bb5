#pragma once

#include <QString>

class QWidget;

// Style names are what the theme's style sheets address with [styleName="..."];
// any widget can carry one.
namespace tk {

void setStyleName(QWidget* widget, const QString& styleName);
QString styleName(const QWidget* widget);

// The style mode of a stylable widget: "" by default, "pressed" while pressed,
// "selected" while it (or the field it labels) is the one being edited.
// Style sheets address it with [styleMode="pressed"].
extern const char* const pressedStyleMode;
extern const char* const selectedStyleMode;
void setStyleMode(QWidget* widget, const QString& mode);
QString styleMode(const QWidget* widget);

} // namespace tk
