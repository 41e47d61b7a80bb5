#pragma once

#include <QString>

namespace Chronel {

enum RemoteAddressMatchFlag {
    // Compare phone numbers as numbers: +358 40 123 4567 matches 040-1234567.
    NormalizeFlagPhoneNumber = 1,
};

// Whether two remote addresses name the same party. E-mail addresses compare
// without regard to case; other addresses exactly unless phone-number
// normalisation is asked for and both are phone numbers.
bool remoteAddressMatch(const QString& first, const QString& second, int flags = 0);

} // namespace Chronel
