#include "mmsbasecontainerstyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MmsBaseContainerStyle)

MmsBaseContainerStyle::MmsBaseContainerStyle(QObject* parent)
    : TkWidgetStyle(parent)
{
}
