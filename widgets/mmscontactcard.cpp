#include "mmscontactcard.h"

#include "avatarwidget.h"
#include "contactcardfactory.h"
#include "contactsgui.h"
#include "contactthumbnail.h"
#include "tkelidedlabel.h"
#include "tkstyle.h"
#include "widgets_debug.h"

#include <QContactDisplayLabel>
#include <QContactName>
#include <QContactNickname>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>

using namespace QtContacts;

MmsContactCard::MmsContactCard(const QString& vcardFile, QWidget* parent)
    : ClickableBubble(parent)
    , m_fileName(vcardFile)
{
    setObjectName(QStringLiteral("mmsContactCard"));
    tk::setStyleName(this, QStringLiteral("MMSContactCard"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    connect(this, &ClickableBubble::clicked, this, &MmsContactCard::openContactCard);
    createLayout();
    if (const QSharedPointer<QContact> contact =
            ContactCardFactory::getContactCardDetails(m_fileName, false))
        showContact(*contact);
}

QLabel* MmsContactCard::createLabel(const QString& objectName, const QString& styleName)
{
    auto* label = new TkElidedLabel;
    label->setObjectName(objectName);
    tk::setStyleName(label, styleName);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void MmsContactCard::createLayout()
{
    m_title = createLabel(QStringLiteral("mmsContactCardTitle"), QStringLiteral("CommonTitle"));
    m_title->setText(qtTrId("qtn_msg_contact_card_label"));
    m_name = createLabel(QStringLiteral("mmsContactCardName"), QStringLiteral("CommonSubTitle"));
    m_avatar = new AvatarWidget;
    m_avatar->setObjectName(QStringLiteral("mmsContactCardAvatar"));
    tk::setStyleName(m_avatar, QStringLiteral("CommonRightThumbnail"));
    m_avatar->installEventFilter(this);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(QMargins());
    column->addWidget(m_title);
    column->addWidget(m_name);
    auto* row = new QHBoxLayout(this);
    row->addLayout(column, 1);
    row->addWidget(m_avatar);
}

void MmsContactCard::showContact(const QContact& contact)
{
    m_name->setText(nameOf(contact));
    const QImage thumbnail = ContactThumbnail::image(contact);
    if (thumbnail.isNull())
        m_avatar->setContact(contact);
    else
        m_avatar->setPixmap(QPixmap::fromImage(thumbnail));
}

QString MmsContactCard::nameInSettingsOrder(const QContact& contact)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quenda"),
                       QStringLiteral("Contacts"));
    const QString order = settings.value(QStringLiteral("nameOrder")).toString();
    qCDebug(lcContactCard) << "[MMS-CONTACTCARD] Contacts/nameOrder setting" << order;
    const QContactName name = contact.detail<QContactName>();
    // Both in one arg() call, so a "%1" inside a name stays as it is.
    if (order == QLatin1String("first-last"))
        return QStringLiteral("%1 %2").arg(name.firstName(), name.lastName());
    if (order == QLatin1String("last-first"))
        return QStringLiteral("%1 %2").arg(name.lastName(), name.firstName());
    return QString();
}

QString MmsContactCard::nameOf(const QContact& contact) const
{
    QString name = nameInSettingsOrder(contact).trimmed();
    if (name.isEmpty()) {
        name = contact.detail<QContactName>().value<QString>(QContactName::FieldCustomLabel);
        qCDebug(lcContactCard)
            << "[MMS-CONTACTCARD] No Contacts/nameOrder Contact name is empty. Use displayLabel() "
            << name;
    }
    if (name.trimmed().isEmpty()) {
        name = contact.detail<QContactDisplayLabel>().label();
        qCDebug(lcContactCard) << "[MMS-CONTACTCARD] Contact name is empty. Use DisplayLabel "
                               << name;
    }
    if (name.trimmed().isEmpty()) {
        name = contact.detail<QContactNickname>().nickname();
        qCDebug(lcContactCard) << "[MMS-CONTACTCARD] Contact name is empty. Use Nickname " << name;
    }
    if (name.trimmed().isEmpty())
        name = QFileInfo(m_fileName).baseName();
    return name.trimmed();
}

void MmsContactCard::openContactCard()
{
    if (const QSharedPointer<QContact> contact =
            ContactCardFactory::getContactCardDetails(m_fileName, false))
        ContactsGui::showContactCard(*contact);
}
