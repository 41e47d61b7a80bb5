#pragma once

#include <QContactFilter>
#include <QContactId>
#include <QContactManager>
#include <QMap>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

namespace mmsui {
namespace utils {

// Which contacts back-end to open, and with what parameters.
struct ContactManagerChoice
{
    QString name;
    QMap<QString, QString> parameters;
};

// The preference among usable back-ends: the aggregating one when all its parts
// exist, then "tracker", then "activesync", then the first listed.
ContactManagerChoice chooseContactManager(const QStringList& usableManagers);
// The back-ends that can be opened: the list without the null back-end "invalid".
QStringList usableContactManagers();

QtContacts::QContactManager* createContactManager(QObject* parent);
QSharedPointer<QtContacts::QContactManager> getContactManager();
QMap<QString, QString> getAllContactManagersParams(QMap<QString, QString>& trackerParams);

// The handle that matchContactByKeyword searches: the first usable back-end, opened
// without parameters on first use; null while there is none.
QtContacts::QContactManager* keywordContactManager();
// Contacts with this phone number (compared as a number) or this exact e-mail address.
QtContacts::QContactFilter addressFilter(const QString& address);
// Finds the one contact owning a phone number or an e-mail address; with none or
// several the outputs stay untouched.
bool matchContactByKeyword(const QString& keyword, QtContacts::QContactId& id, QString& firstName,
                           QString& lastName);

} // namespace utils
} // namespace mmsui
