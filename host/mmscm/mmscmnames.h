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
// The other phone of the demo: what is sent to it comes back.
inline const QString loopbackAddress = QStringLiteral("+358400000000");

} // namespace Mmscm
