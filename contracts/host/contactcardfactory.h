#pragma once

#include <QContact>
#include <QSharedPointer>
#include <QString>

// Reads contact cards (vCard files) into contacts.
class ContactCardFactory
{
public:
    // The first contact of the file, or null when the file cannot be read or
    // holds no card. `strict`: a file holding more than one card gives null.
    static QSharedPointer<QtContacts::QContact> getContactCardDetails(const QString& fileName,
                                                                      bool strict);
};
