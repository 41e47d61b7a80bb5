#pragma once

#include <QContact>
#include <QWidget>

namespace QtContacts {
class QContactManager;
}
class QVBoxLayout;

// The contacts application's card view: a window with a contact's picture,
// name, phone numbers and e-mail addresses. It deletes itself when closed.
class ContactsGui : public QWidget
{
    Q_OBJECT
public:
    static ContactsGui* showContactCard(const QtContacts::QContact& contact);
    // Null when the store holds no contact of that number.
    static ContactsGui* showContactCard(QtContacts::QContactManager* manager, quint32 localId);
    // The card of a contact not stored yet, with just a phone number.
    static ContactsGui* showNewContactCard(const QString& phoneNumber);

    // The name the contacts application shows: first and last name, else the
    // display label.
    static QString displayName(const QtContacts::QContact& contact);

    QtContacts::QContact contact() const { return m_contact; }
    QString shownName() const;

private:
    explicit ContactsGui(const QtContacts::QContact& contact);
    void addLine(QVBoxLayout* column, const QString& text, const QString& styleName);

    QtContacts::QContact m_contact;
};
