#include "contactsgui.h"

#include "avatarwidget.h"
#include "contactlocalid.h"
#include "host_debug.h"
#include "tkstyle.h"

#include <QContactDisplayLabel>
#include <QContactEmailAddress>
#include <QContactManager>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QLabel>
#include <QVBoxLayout>

using namespace QtContacts;

ContactsGui::ContactsGui(const QContact& contact)
    : m_contact(contact)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("contactCardView"));
    auto* column = new QVBoxLayout(this);
    auto* avatar = new AvatarWidget(this);
    avatar->setContact(contact);
    column->addWidget(avatar, 0, Qt::AlignHCenter);
    addLine(column, shownName(), QStringLiteral("CommonTitle"));
    for (const QContactPhoneNumber& phone : contact.details<QContactPhoneNumber>())
        addLine(column, phone.number(), QStringLiteral("CommonSubTitle"));
    for (const QContactEmailAddress& email : contact.details<QContactEmailAddress>())
        addLine(column, email.emailAddress(), QStringLiteral("CommonSubTitle"));
    column->addStretch();
}

void ContactsGui::addLine(QVBoxLayout* column, const QString& text, const QString& styleName)
{
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    tk::setStyleName(label, styleName);
    column->addWidget(label);
}

QString ContactsGui::displayName(const QContact& contact)
{
    const QContactName name = contact.detail<QContactName>();
    const QString full =
        QStringList{name.firstName(), name.lastName()}.join(QLatin1Char(' ')).trimmed();
    return full.isEmpty() ? contact.detail<QContactDisplayLabel>().label() : full;
}

QString ContactsGui::shownName() const
{
    return displayName(m_contact);
}

ContactsGui* ContactsGui::showContactCard(const QContact& contact)
{
    auto* card = new ContactsGui(contact);
    card->show();
    return card;
}

ContactsGui* ContactsGui::showContactCard(QContactManager* manager, quint32 localId)
{
    const QContact contact =
        manager ? manager->contact(ContactLocalId::toContactId(manager->managerUri(), localId))
                : QContact();
    if (contact.isEmpty()) {
        qCWarning(lcHost) << "No stored contact" << localId;
        return nullptr;
    }
    return showContactCard(contact);
}

ContactsGui* ContactsGui::showNewContactCard(const QString& phoneNumber)
{
    QContact contact;
    QContactPhoneNumber phone;
    phone.setNumber(phoneNumber);
    contact.saveDetail(&phone);
    return showContactCard(contact);
}
