#pragma once

#include "recipient.h"

#include <QInputDialog>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace QtContacts {
class QContactManager;
}

namespace Tollis {

// The host's recipients editor: To, and on request Cc and Bcc, each a line
// of entries separated by ";" or ",". Entries keep their roles (contact,
// validity...) while their text is unchanged. Validation runs from the event
// loop, marks every entry valid or invalid and ends with validated(). An
// entry that is no address but the name of one stored contact stands for
// that contact.
class RecipientsEdit : public QWidget
{
    Q_OBJECT
public:
    // Bits of the address kinds accepted.
    enum AddressType { EmailAddress = 0x1, PhoneNumber = 0x2, AnyAddress = 0xff };
    // Values of the validity role.
    enum Validity { NotValidated = 0, Valid = 1, Invalid = 2 };
    enum Field { ToField = 0, CcField, BccField };

    // `manager`: the contacts store (not owned, may be null). `contactPickerButton`:
    // a button beside To opens the contact picker.
    RecipientsEdit(QtContacts::QContactManager* manager, int addressType, bool contactPickerButton,
                   QWidget* parent = nullptr);

    QtContacts::QContactManager* contactManager() const { return m_manager; }
    int addressType() const { return m_addressType; }

    RecipientList to() const { return m_lists[ToField]; }
    RecipientList cc() const { return m_lists[CcField]; }
    RecipientList bcc() const { return m_lists[BccField]; }
    void setTo(const RecipientList& recipients) { setRecipients(ToField, recipients); }
    void setCc(const RecipientList& recipients) { setRecipients(CcField, recipients); }
    void setBcc(const RecipientList& recipients) { setRecipients(BccField, recipients); }

    bool isCcBccShown() const { return m_ccBccShown; }

    // The input-method toolbar (an id of TkInputMethodState) shown while a
    // field has the focus; its key presses reach this widget's event().
    void attachToolbar(int toolbarId);
    int attachedToolbar() const;

    // Starts validating the entries not validated yet. With none, nothing
    // starts and no validated() follows: check validating() after the call.
    void validate();
    bool validating() const { return m_validating; }

    // Entries written as a name with the address in angle brackets
    // ("Ann <+358401234567>") keep the name as display text and the bare
    // address as their address; a contact with several addresses is reached
    // at the first one (phone numbers come first).
    void resolveAmbiguous();

    // Offers the addresses of the stored conversations; the one chosen is
    // added to To. Without any, the To field gets the focus.
    void launchContactPickerTo();
    QInputDialog* contactPicker() const { return m_picker; }

    // An entry for an address typed by the user.
    static Recipient recipient(const QString& text);
    // Whether the address (or the address in angle brackets) is of an accepted kind.
    static bool isValidAddress(const QString& text, int addressType);

    QLineEdit* field(Field which) const { return m_fields[which]; }

public slots:
    void showCcBcc(bool show);

signals:
    // `valid`: every entry of To, Cc and Bcc is valid.
    void validated(bool valid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setRecipients(Field which, const RecipientList& recipients);
    void onEdited(Field which, const QString& text);
    void finishValidation();
    bool resolveContact(Recipient& entry) const;
    QStringList addressesOf(const QtContacts::QContact& contact) const;
    void addToRecipient(const QString& address);
    bool allValid() const;

    QtContacts::QContactManager* m_manager;
    int m_addressType;
    RecipientList m_lists[3];
    QLineEdit* m_fields[3];
    QLabel* m_labels[3];
    QPointer<QInputDialog> m_picker;
    bool m_ccBccShown = false;
    bool m_validating = false;
};

} // namespace Tollis
