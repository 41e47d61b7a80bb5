#pragma once

#include <QContact>
#include <QList>
#include <QMap>
#include <QVariant>

namespace Tollis {

// One entry of a recipients editor, as a map from role to value.
enum RecipientRole {
    RecipientAddress = 0,
    // 1 when the entry stands for a stored contact.
    RecipientContactEntry = 1,
    // The contact itself, a QtContacts::QContact.
    RecipientContact = 6,
    // RecipientsEdit::Validity.
    RecipientValidity = 8,
    RecipientDisplayText = 9,
};

using Recipient = QMap<int, QVariant>;
using RecipientList = QList<Recipient>;

} // namespace Tollis

Q_DECLARE_METATYPE(QtContacts::QContact)
