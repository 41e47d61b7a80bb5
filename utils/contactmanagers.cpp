#include "contactmanagers.h"

#include "utils_debug.h"

#include <Accounts/Manager>
#include <QContactDetailFilter>
#include <QContactEmailAddress>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QContactUnionFilter>
#include <algorithm>
#include <memory>

using namespace QtContacts;

namespace mmsui {
namespace utils {

namespace {

const QString aggregated = QStringLiteral("aggregated");
const QString activesync = QStringLiteral("activesync");
const QString tracker = QStringLiteral("tracker");

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    return quoted.join(QStringLiteral(", "));
}

QContactManager* openFirstUsable()
{
    const QStringList available = QContactManager::availableManagers();
    qCDebug(lcMmsUi).noquote() << "[MMS-UI] Available managers:" << quotedList(available);
    const QStringList usable = usableContactManagers();
    if (usable.isEmpty()) {
        qCCritical(lcMmsUi) << "[MMS-UI] Can't find Available Conatact Managers";
        return nullptr;
    }
    qCDebug(lcMmsUi) << "[MMS-UI] Creating QContactsManager with name:" << usable.first();
    return new QContactManager(usable.first());
}

} // namespace

QContactFilter addressFilter(const QString& address)
{
    QContactDetailFilter phone;
    phone.setDetailType(QContactPhoneNumber::Type, QContactPhoneNumber::FieldNumber);
    phone.setMatchFlags(QContactFilter::MatchPhoneNumber);
    phone.setValue(address);
    QContactDetailFilter email;
    email.setDetailType(QContactEmailAddress::Type, QContactEmailAddress::FieldEmailAddress);
    email.setMatchFlags(QContactFilter::MatchExactly);
    email.setValue(address);
    QContactUnionFilter either;
    either << phone << email;
    return either;
}

QStringList usableContactManagers()
{
    QStringList usable = QContactManager::availableManagers();
    usable.removeAll(QStringLiteral("invalid"));
    return usable;
}

ContactManagerChoice chooseContactManager(const QStringList& usableManagers)
{
    QMap<QString, QString> parameters{{QStringLiteral("contact-types"), QStringLiteral("contact")}};
    if (usableManagers.contains(aggregated) && usableManagers.contains(activesync) &&
        usableManagers.contains(tracker))
        return {aggregated, getAllContactManagersParams(parameters)};
    if (usableManagers.contains(tracker))
        return {tracker, parameters};
    if (usableManagers.contains(activesync))
        return {activesync, {}};
    return {usableManagers.value(0), {}};
}

QContactManager* createContactManager(QObject* parent)
{
    qCDebug(lcUtils).noquote() << "[MMS-UTILS] Available contact managers:"
                               << quotedList(QContactManager::availableManagers());
    const QStringList usable = usableContactManagers();
    if (usable.isEmpty()) {
        qCCritical(lcUtils) << "[MMS-UTILS] Can't find Available Conatact Managers";
        return nullptr;
    }
    const ContactManagerChoice choice = chooseContactManager(usable);
    auto* manager = new QContactManager(choice.name, choice.parameters, parent);
    qCDebug(lcUtils) << "[MMS-UTILS] Created QContactsManager with name:" << choice.name;
    return manager;
}

QSharedPointer<QContactManager> getContactManager()
{
    static const QSharedPointer<QContactManager> manager(createContactManager(nullptr));
    return manager;
}

QMap<QString, QString> getAllContactManagersParams(QMap<QString, QString>& trackerParams)
{
    Accounts::AccountIdList ids = Accounts::Manager().accountList(QStringLiteral("e-mail"));
    qCDebug(lcUtils) << "[getAllContactManagersParams::getAllContactManagersParams] have"
                     << ids.size() << "accounts";
    std::sort(ids.begin(), ids.end());
    QMap<QString, QString> managers;
    for (int i = 0; i < ids.size(); ++i) {
        const QMap<QString, QString> account{
            {QStringLiteral("accountId"), QString::number(ids.at(i))}};
        managers.insert(QStringLiteral("scm%1").arg(i),
                        QContactManager::buildUri(activesync, account, -1));
    }
    managers.insert(QStringLiteral("scm%1").arg(ids.size()),
                    QContactManager::buildUri(tracker, trackerParams, -1));
    return managers;
}

QContactManager* keywordContactManager()
{
    static std::unique_ptr<QContactManager> manager;
    if (!manager)
        manager.reset(openFirstUsable());
    return manager.get();
}

bool matchContactByKeyword(const QString& keyword, QContactId& id, QString& firstName,
                           QString& lastName)
{
    QContactManager* manager = keywordContactManager();
    if (!manager)
        return false;
    const QList<QContact> matches = manager->contacts(addressFilter(keyword));
    qCDebug(lcMmsUi) << "Matching contacts number:" << matches.size() << "for keyword:" << keyword;
    if (matches.size() != 1) {
        qCDebug(lcMmsUi) << "[MMS-UI] Unable to find contact for address:" << keyword;
        return false;
    }
    const QContact& contact = matches.first();
    const QContactName name = contact.detail<QContactName>();
    id = contact.id();
    firstName = name.firstName();
    lastName = name.lastName();
    qCDebug(lcMmsUi).noquote() << QStringLiteral("[MMS-UI] Found contact: %1 fo address: \"%2\"")
                                      .arg(id.toString(), keyword);
    return true;
}

} // namespace utils
} // namespace mmsui
