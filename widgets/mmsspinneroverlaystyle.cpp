#include "mmsspinneroverlaystyle.h"

#include "tkstyleregistry.h"

TK_REGISTER_STYLE("libdravel", MmsSpinnerOverlayStyle)

MmsSpinnerOverlayStyle::MmsSpinnerOverlayStyle(QObject* parent)
    : TkSceneWindowStyle(parent)
{
}
