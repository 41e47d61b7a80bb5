#include "recipientaddresses.h"

#include <QContactPhoneNumber>

using namespace QtContacts;

namespace mmsui {
namespace utils {

namespace {

enum Role { AddressRole = 0, ContactEntryRole = 1, ContactRole = 6, ValidityRole = 8 };

QString phoneNumberOf(const RecipientRoles& recipient)
{
    if (!recipient.contains(ContactRole))
        return QString();
    return recipient.value(ContactRole).value<QContact>().detail<QContactPhoneNumber>().number();
}

} // namespace

QStringList fromRecipients(const QList<RecipientRoles>& recipients, bool resolvedOnly,
                           bool phoneOnly)
{
    QStringList addresses;
    for (const RecipientRoles& recipient : recipients) {
        const QString address = recipient.value(AddressRole).toString();
        if (address.isEmpty())
            continue;
        if (resolvedOnly && recipient.value(ValidityRole).toInt() != 1)
            continue;
        if (phoneOnly && recipient.value(ContactEntryRole).toInt() == 1) {
            const QString phone = phoneNumberOf(recipient);
            if (!phone.isEmpty())
                addresses << phone;
            continue;
        }
        addresses << address;
    }
    return addresses;
}

} // namespace utils
} // namespace mmsui
