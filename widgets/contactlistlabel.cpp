#include "contactlistlabel.h"

#include "contactlocalid.h"
#include "contactmanagers.h"
#include "widgets_debug.h"

#include <QContactDetailFilter>
#include <QContactEmailAddress>
#include <QContactExtendedDetail>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QContactUnionFilter>
#include <QTimer>

using namespace QtContacts;

namespace {

const QString kSeparator = QStringLiteral("; ");
// The aggregating store keeps the id a contact has in the store it comes from.
const QString kOriginalContactId = QStringLiteral("OriginalContactId");
const QString kOriginalContactIdField = QStringLiteral("OriginalContactIdField");

} // namespace

ContactListLabel::ContactListLabel(QWidget* parent)
    : QLabel(parent)
{
}

ContactListLabel::ContactListLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
}

void ContactListLabel::setAddressList(const QStringList& addresses)
{
    // Neither a late answer nor a pending step of the previous list may land
    // in this one.
    if (m_fetchRequest && m_fetchRequest->isActive()) {
        m_fetchRequest->disconnect(this);
        m_fetchRequest.reset();
    }
    ++m_pass;
    m_addresses = addresses;
    if (!m_contactManager)
        m_contactManager = mmsui::utils::getContactManager();
    m_currentIndex = 0;
    showAddresses();
}

void ContactListLabel::showAddresses()
{
    setText(m_addresses.join(kSeparator));
}

void ContactListLabel::startContactResolving()
{
    // One request at a time: a second start joins the running pass.
    if (m_fetchRequest && m_fetchRequest->isActive())
        return;
    while (m_currentIndex < m_addresses.size()) {
        if (startFetch())
            return;
        ++m_currentIndex;
    }
    emit contactsResolved();
}

// False when no request could be started for the current address.
bool ContactListLabel::startFetch()
{
    // A fresh request per address: a finished one that is started again may
    // keep its previous answer when the new search finds nothing.
    m_fetchRequest = QSharedPointer<QContactFetchRequest>::create();
    connect(m_fetchRequest.data(), &QContactAbstractRequest::stateChanged, this,
            &ContactListLabel::contactsFetched);
    const QString& address = m_addresses.at(m_currentIndex);
    qCDebug(lcViewerContact) << "[MMS-VIEWER-CONTACT] Searching contact for address:" << address;
    m_fetchRequest->setFilter(mmsui::utils::addressFilter(address));
    if (!m_contactManager)
        return false;
    m_fetchRequest->setManager(m_contactManager.data());
    return m_fetchRequest->start();
}

void ContactListLabel::contactsFetched()
{
    if (m_fetchRequest->state() != QContactAbstractRequest::FinishedState)
        return;
    const QList<QContact> contacts = m_fetchRequest->contacts();
    if (contacts.size() == 1)
        resolveCurrent(contacts.first());
    else
        qCDebug(lcViewerContact) << "[MMS-VIEWER-CONTACT] Address not resolved, contacts count"
                                 << contacts.size();
    ++m_currentIndex;
    // Out of the request's own signal before it is started again.
    QTimer::singleShot(0, this, [this, pass = m_pass] {
        if (pass == m_pass)
            startContactResolving();
    });
}

void ContactListLabel::resolveCurrent(const QContact& contact)
{
    const QContactName name = contact.detail<QContactName>();
    // One arg() call fills all three, so a "%1" inside a name stays as it is.
    const QString link =
        QStringLiteral("<a href=\"%1\">%2 %3</a>")
            .arg(QString::number(storeLocalId(contact)), name.firstName().toHtmlEscaped(),
                 name.lastName().toHtmlEscaped());
    qCDebug(lcViewerContact) << "[MMS-VIEWER-CONTACT] Address resolved:"
                             << m_addresses.at(m_currentIndex) << link;
    m_addresses[m_currentIndex] = link;
    showAddresses();
}

quint32 ContactListLabel::storeLocalId(const QContact& contact)
{
    const auto details = contact.details<QContactExtendedDetail>();
    for (const QContactExtendedDetail& detail : details) {
        if (detail.name() != kOriginalContactId)
            continue;
        const QVariant original = detail.data().toMap().value(kOriginalContactIdField);
        if (original.userType() == qMetaTypeId<QContactId>())
            return ContactLocalId::fromContactId(original.value<QContactId>());
        return original.toUInt();
    }
    return ContactLocalId::fromContactId(contact.id());
}
