#include "tkstyle.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace tk {

namespace {
const char* const kStyleNameProperty = "styleName";
const char* const kStyleModeProperty = "styleMode";

void setStyleProperty(QWidget* widget, const char* property, const QString& value)
{
    widget->setProperty(property, value);
    // Attribute selectors are matched at polish time only.
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}
} // namespace

const char* const pressedStyleMode = "pressed";
const char* const selectedStyleMode = "selected";

void setStyleName(QWidget* widget, const QString& styleName)
{
    setStyleProperty(widget, kStyleNameProperty, styleName);
}

void setStyleMode(QWidget* widget, const QString& mode)
{
    setStyleProperty(widget, kStyleModeProperty, mode);
}

QString styleMode(const QWidget* widget)
{
    return widget->property(kStyleModeProperty).toString();
}

QString styleName(const QWidget* widget)
{
    return widget->property(kStyleNameProperty).toString();
}

} // namespace tk
