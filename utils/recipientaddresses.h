#pragma once

#include "recipient.h"

#include <QContact>
#include <QStringList>

namespace mmsui {
namespace utils {

// The addresses of the entries, in order and with duplicates. resolvedOnly keeps
// valid entries only; phoneOnly takes a contact entry's phone number instead of its address.
QStringList fromRecipients(const Tollis::RecipientList& recipients, bool resolvedOnly,
                           bool phoneOnly);

} // namespace utils
} // namespace mmsui
