#include "tkstyle.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace tk {

namespace {
const char* const kStyleNameProperty = "styleName";
}

void setStyleName(QWidget* widget, const QString& styleName)
{
    widget->setProperty(kStyleNameProperty, styleName);
    // Attribute selectors are matched at polish time only.
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

QString styleName(const QWidget* widget)
{
    return widget->property(kStyleNameProperty).toString();
}

} // namespace tk
