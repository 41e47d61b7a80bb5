#include "tkspacer.h"

#include "tkstyle.h"

TkSpacer::TkSpacer(const QString& styleName, QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    tk::setStyleName(this, styleName);
}
