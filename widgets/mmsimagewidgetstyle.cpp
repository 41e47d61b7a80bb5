#include "mmsimagewidgetstyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MMSImageWidgetStyle)

MMSImageWidgetStyle::MMSImageWidgetStyle(QObject* parent)
    : TkWidgetStyle(parent)
{
}
