#include "mmsbasecontainer.h"

MmsBaseContainer::MmsBaseContainer(QWidget* parent)
    : TkStylableWidget(new MmsBaseContainerStyle, parent)
{
    // Style sheets paint backgrounds of plain QWidget subclasses only with this.
    setAttribute(Qt::WA_StyledBackground);
}
