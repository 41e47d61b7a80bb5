#include "recipientsedit.h"

#include "contactsgui.h"
#include "historystore.h"

#include <QContactEmailAddress>
#include <QContactManager>
#include <QContactPhoneNumber>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "tkinputmethodstate.h"
#include "tkstyle.h"

using namespace QtContacts;

namespace Tollis {

namespace {

const QRegularExpression kSeparators(QStringLiteral("[;,]"));
const QRegularExpression kBracketed(QStringLiteral("^(.*)<([^<>]+)>\\s*$"));
const QRegularExpression kEmail(QStringLiteral("^[^@\\s<>;,]+@[^@\\s<>;,]+\\.[^@\\s<>;,.]+$"));
const QRegularExpression kPhone(QStringLiteral("^\\+?[0-9 ()\\-.]+$"));
const QRegularExpression kNonDigits(QStringLiteral("[^0-9]"));
constexpr int MinPhoneDigits = 3;
constexpr int MaxPhoneDigits = 20;

QString bareAddress(const QString& text)
{
    const QRegularExpressionMatch match = kBracketed.match(text);
    return match.hasMatch() ? match.captured(2).trimmed() : text.trimmed();
}

bool isPhoneNumber(const QString& address)
{
    if (!kPhone.match(address).hasMatch()) {
        return false;
    }
    const int digits = QString(address).remove(kNonDigits).length();
    return digits >= MinPhoneDigits && digits <= MaxPhoneDigits;
}

QString displayText(const Recipient& recipient)
{
    const QString text = recipient.value(RecipientDisplayText).toString();
    return text.isEmpty() ? recipient.value(RecipientAddress).toString() : text;
}

int validity(const Recipient& recipient)
{
    return recipient.value(RecipientValidity).toInt();
}

} // namespace

RecipientsEdit::RecipientsEdit(QtContacts::QContactManager* manager, int addressType,
                               bool contactPickerButton, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_addressType(addressType)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList names = {QStringLiteral("To"), QStringLiteral("Cc"), QStringLiteral("Bcc")};
    for (int which = ToField; which <= BccField; ++which) {
        m_labels[which] = new QLabel(tr("%1:").arg(names.at(which)), this);
        m_fields[which] = new QLineEdit(this);
        m_fields[which]->setObjectName(QStringLiteral("recipientsEdit") + names.at(which));
        tk::setStyleName(m_fields[which], QStringLiteral("RecipientsEditField"));
        m_fields[which]->installEventFilter(this);
        grid->addWidget(m_labels[which], which, 0);
        grid->addWidget(m_fields[which], which, 1);
        connect(m_fields[which], &QLineEdit::textEdited, this,
                [this, which](const QString& text) { onEdited(Field(which), text); });
    }
    if (contactPickerButton) {
        auto* picker = new QToolButton(this);
        picker->setText(QStringLiteral("+"));
        picker->setObjectName(QStringLiteral("recipientsEditContactPicker"));
        grid->addWidget(picker, ToField, 2);
        connect(picker, &QToolButton::clicked, this, &RecipientsEdit::launchContactPickerTo);
    }
    setFocusProxy(m_fields[ToField]);
    showCcBcc(false);
}

Recipient RecipientsEdit::recipient(const QString& text)
{
    return {{RecipientAddress, text},
            {RecipientDisplayText, text},
            {RecipientValidity, int(NotValidated)}};
}

bool RecipientsEdit::isValidAddress(const QString& text, int addressType)
{
    const QString address = bareAddress(text);
    return ((addressType & PhoneNumber) && isPhoneNumber(address)) ||
           ((addressType & EmailAddress) && kEmail.match(address).hasMatch());
}

void RecipientsEdit::setRecipients(Field which, const RecipientList& recipients)
{
    m_lists[which].clear();
    QStringList texts;
    for (Recipient entry : recipients) {
        if (!entry.contains(RecipientDisplayText)) {
            entry.insert(RecipientDisplayText, entry.value(RecipientAddress));
        }
        m_lists[which] << entry;
        texts << displayText(entry);
    }
    m_fields[which]->setText(texts.join(QStringLiteral("; ")));
}

void RecipientsEdit::onEdited(Field which, const QString& text)
{
    // An entry whose text did not change keeps what is known about it.
    const RecipientList previous = m_lists[which];
    RecipientList entries;
    for (const QString& piece : text.split(kSeparators, Qt::SkipEmptyParts)) {
        const QString entryText = piece.trimmed();
        if (entryText.isEmpty()) {
            continue;
        }
        auto kept = std::find_if(previous.cbegin(), previous.cend(), [&](const Recipient& old) {
            return displayText(old) == entryText;
        });
        entries << (kept != previous.cend() ? *kept : recipient(entryText));
    }
    m_lists[which] = entries;
}

void RecipientsEdit::showCcBcc(bool show)
{
    m_ccBccShown = show;
    for (Field which : {CcField, BccField}) {
        m_labels[which]->setVisible(show);
        m_fields[which]->setVisible(show);
    }
}

void RecipientsEdit::validate()
{
    if (m_validating) {
        return;
    }
    for (const RecipientList& list : m_lists) {
        for (const Recipient& entry : list) {
            if (validity(entry) == NotValidated) {
                m_validating = true;
                QTimer::singleShot(0, this, &RecipientsEdit::finishValidation);
                return;
            }
        }
    }
}

void RecipientsEdit::finishValidation()
{
    for (RecipientList& list : m_lists) {
        for (Recipient& entry : list) {
            if (validity(entry) == NotValidated) {
                const bool valid =
                    isValidAddress(entry.value(RecipientAddress).toString(), m_addressType) ||
                    resolveContact(entry);
                entry.insert(RecipientValidity, int(valid ? Valid : Invalid));
            }
        }
    }
    m_validating = false;
    emit validated(allValid());
}

QStringList RecipientsEdit::addressesOf(const QContact& contact) const
{
    QStringList addresses;
    if (m_addressType & PhoneNumber) {
        for (const QContactPhoneNumber& phone : contact.details<QContactPhoneNumber>())
            addresses << phone.number();
    }
    if (m_addressType & EmailAddress) {
        for (const QContactEmailAddress& email : contact.details<QContactEmailAddress>())
            addresses << email.emailAddress();
    }
    addresses.removeAll(QString());
    return addresses;
}

// Two contacts of the same name leave the entry unresolved: the user must
// tell which one is meant.
bool RecipientsEdit::resolveContact(Recipient& entry) const
{
    if (!m_manager) {
        return false;
    }
    const QString text = entry.value(RecipientAddress).toString().trimmed();
    QList<QContact> named;
    for (const QContact& contact : m_manager->contacts()) {
        if (ContactsGui::displayName(contact).compare(text, Qt::CaseInsensitive) == 0) {
            named << contact;
        }
    }
    const QStringList addresses = named.size() == 1 ? addressesOf(named.first()) : QStringList();
    if (addresses.isEmpty()) {
        return false;
    }
    entry.insert(RecipientContactEntry, 1);
    entry.insert(RecipientContact, QVariant::fromValue(named.first()));
    entry.insert(RecipientDisplayText, ContactsGui::displayName(named.first()));
    if (addresses.size() == 1) {
        entry.insert(RecipientAddress, addresses.first());
    }
    return true;
}

bool RecipientsEdit::allValid() const
{
    for (const RecipientList& list : m_lists) {
        for (const Recipient& entry : list) {
            if (validity(entry) != Valid) {
                return false;
            }
        }
    }
    return true;
}

void RecipientsEdit::resolveAmbiguous()
{
    for (RecipientList& list : m_lists) {
        for (Recipient& entry : list) {
            const QString text = entry.value(RecipientAddress).toString();
            const QRegularExpressionMatch match = kBracketed.match(text);
            if (match.hasMatch() && isValidAddress(text, m_addressType)) {
                entry.insert(RecipientAddress, match.captured(2).trimmed());
                entry.insert(RecipientDisplayText, text.trimmed());
            } else if (entry.value(RecipientContactEntry).toInt() == 1 &&
                       !isValidAddress(text, m_addressType)) {
                // Still the contact's name: validation left the choice open.
                const QStringList addresses =
                    addressesOf(entry.value(RecipientContact).value<QContact>());
                if (!addresses.isEmpty()) {
                    entry.insert(RecipientAddress, addresses.first());
                }
            }
        }
    }
}

void RecipientsEdit::attachToolbar(int toolbarId)
{
    TkInputMethodState::attachToolbar(this, toolbarId);
}

int RecipientsEdit::attachedToolbar() const
{
    return TkInputMethodState::attachedToolbar(this);
}

void RecipientsEdit::launchContactPickerTo()
{
    QStringList addresses;
    for (const Chronel::Group& group : Chronel::HistoryStore::instance()->groups()) {
        for (const QString& address : group.remoteUids) {
            if (isValidAddress(address, m_addressType) && !addresses.contains(address)) {
                addresses << address;
            }
        }
    }
    if (addresses.isEmpty()) {
        m_fields[ToField]->setFocus();
        return;
    }
    delete m_picker;
    m_picker = new QInputDialog(this);
    m_picker->setAttribute(Qt::WA_DeleteOnClose);
    m_picker->setObjectName(QStringLiteral("recipientsEditContactPickerDialog"));
    m_picker->setOption(QInputDialog::UseListViewForComboBoxItems);
    m_picker->setComboBoxItems(addresses);
    connect(m_picker, &QInputDialog::textValueSelected, this, &RecipientsEdit::addToRecipient);
    m_picker->open();
}

void RecipientsEdit::addToRecipient(const QString& address)
{
    RecipientList entries = m_lists[ToField];
    entries << recipient(address);
    setRecipients(ToField, entries);
}

bool RecipientsEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Meta shortcuts come from the input-method toolbar and are the editor's.
    if (event->type() == QEvent::KeyPress &&
        (static_cast<QKeyEvent*>(event)->modifiers() & Qt::MetaModifier)) {
        return this->event(event) && event->isAccepted();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Tollis
