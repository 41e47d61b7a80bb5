#pragma once

#include <QContact>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QVariant>

// The recipients editor keeps the contact of an entry as a QVariant.
#ifndef DRAVEL_QCONTACT_METATYPE
#define DRAVEL_QCONTACT_METATYPE
Q_DECLARE_METATYPE(QtContacts::QContact)
#endif

namespace mmsui {
namespace utils {

// One entry of the recipients editor: its values by role (0 address, 1 contact
// entry flag, 6 contact, 8 validity).
using RecipientRoles = QMap<int, QVariant>;

// The addresses of the entries, in order and with duplicates. resolvedOnly keeps
// valid entries only; phoneOnly takes a contact entry's phone number instead of its address.
QStringList fromRecipients(const QList<RecipientRoles>& recipients, bool resolvedOnly,
                           bool phoneOnly);

} // namespace utils
} // namespace mmsui
