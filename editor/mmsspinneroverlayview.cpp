#include "mmsspinneroverlayview.h"

#include "mmsspinneroverlaystyle.h"

MmsSpinnerOverlayView::MmsSpinnerOverlayView(QWidget* parent)
    : MmsSpinnerOverlayWidget(new MmsSpinnerOverlayStyle, parent)
{
}
