#pragma once

#include "tklocale.h"

// The "mms" catalogue as the plug-in installs it, so that texts are the user's.
inline void installCatalogue()
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    TkLocale::setDefault(locale);
}
