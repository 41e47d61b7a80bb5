#pragma once

#include <QString>

// Where the MMS connection manager program is found on the session bus.
namespace Mmscm {

inline const QString serviceName =
    QStringLiteral("org.freedesktop.Telepathy.Connection.mmscm.mms.mms0");
inline const QString accountPath =
    QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
// The channel of a remote party is "<connectionPath>/channel/<escaped uid>".
inline const QString connectionPath =
    QStringLiteral("/org/freedesktop/Telepathy/Connection/mmscm/mms/mms0");
inline const QString controlPath = QStringLiteral("/com/quenda/Mmscm");

} // namespace Mmscm
