#pragma once

#include <QList>
#include <QMap>
#include <QVariant>

namespace Tollis {

// One entry of a recipients editor, as a map from role to value.
enum RecipientRole {
    RecipientAddress = 0,
    RecipientContactEntry = 1,
    RecipientContact = 6,
    RecipientValidity = 8,
    RecipientDisplayText = 9,
};

using Recipient = QMap<int, QVariant>;
using RecipientList = QList<Recipient>;

} // namespace Tollis
