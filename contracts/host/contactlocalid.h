#pragma once

#include <QContactId>
#include <QString>

// The number a contacts store gives its contacts, as links and the card view
// carry it. 0 is no contact.
class ContactLocalId
{
public:
    static quint32 fromContactId(const QtContacts::QContactId& id);
    static QtContacts::QContactId toContactId(const QString& managerUri, quint32 localId);
    // A decimal text such as a link target; 0 when it is not one.
    static quint32 fromText(const QString& text);
};
