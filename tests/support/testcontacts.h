#pragma once

#include <QContact>
#include <QContactEmailAddress>
#include <QContactName>
#include <QContactPhoneNumber>

// A contact with a name, a phone number and, when given, an e-mail address;
// not yet saved anywhere.
inline QtContacts::QContact testContact(const QString& first, const QString& last,
                                        const QString& phone, const QString& email = QString())
{
    QtContacts::QContact contact;
    QtContacts::QContactName name;
    name.setFirstName(first);
    name.setLastName(last);
    contact.saveDetail(&name);
    QtContacts::QContactPhoneNumber number;
    number.setNumber(phone);
    contact.saveDetail(&number);
    if (!email.isEmpty()) {
        QtContacts::QContactEmailAddress address;
        address.setEmailAddress(email);
        contact.saveDetail(&address);
    }
    return contact;
}
