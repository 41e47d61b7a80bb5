#include "recipientaddresses.h"

#include <QContactPhoneNumber>

using namespace QtContacts;

namespace mmsui {
namespace utils {

namespace {

QString phoneNumberOf(const Tollis::Recipient& recipient)
{
    if (!recipient.contains(Tollis::RecipientContact))
        return QString();
    return recipient.value(Tollis::RecipientContact)
        .value<QContact>()
        .detail<QContactPhoneNumber>()
        .number();
}

} // namespace

QStringList fromRecipients(const Tollis::RecipientList& recipients, bool resolvedOnly,
                           bool phoneOnly)
{
    QStringList addresses;
    for (const Tollis::Recipient& recipient : recipients) {
        const QString address = recipient.value(Tollis::RecipientAddress).toString();
        if (address.isEmpty())
            continue;
        if (resolvedOnly && recipient.value(Tollis::RecipientValidity).toInt() != 1)
            continue;
        if (phoneOnly && recipient.value(Tollis::RecipientContactEntry).toInt() == 1) {
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
