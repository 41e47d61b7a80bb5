#include "historystore.h"

#include "eventrecord.h"
#include "host_debug.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace Chronel {

namespace {

QJsonObject parseRecord(const QByteArray& text)
{
    return QJsonDocument::fromJson(text).object();
}

// SQL NULL never equals itself: an unset uid is stored and compared as ''.
QString nonNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QByteArray serialise(const QJsonObject& record)
{
    return QJsonDocument(record).toJson(QJsonDocument::Compact);
}

} // namespace

HistoryStore* HistoryStore::instance()
{
    static HistoryStore* store = new HistoryStore(QCoreApplication::instance());
    return store;
}

HistoryStore::HistoryStore(QObject* parent)
    : QObject(parent)
    , m_connectionName(QStringLiteral("chronel-history"))
{
    qRegisterMetaType<Chronel::Event>();
    qRegisterMetaType<Chronel::EventList>();
}

HistoryStore::~HistoryStore()
{
    close();
}

QString HistoryStore::databasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/chronel/history.db");
}

void HistoryStore::close()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QSqlDatabase HistoryStore::database() const
{
    if (!QSqlDatabase::contains(m_connectionName) ||
        !QSqlDatabase::database(m_connectionName).isOpen()) {
        open();
    }
    return QSqlDatabase::database(m_connectionName, false);
}

bool HistoryStore::open() const
{
    QDir().mkpath(QFileInfo(databasePath()).absolutePath());
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db =
            QSqlDatabase::contains(m_connectionName)
                ? QSqlDatabase::database(m_connectionName, false)
                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(databasePath());
        if (db.open() && createSchema(db)) {
            return true;
        }
        const QString reason = db.lastError().text();
        db.close();
        // A damaged file must not stop the application: keep it for inspection
        // and start a fresh history.
        moveAsideDamaged(reason);
    }
    return false;
}

bool HistoryStore::createSchema(QSqlDatabase& db) const
{
    QSqlQuery query(db);
    return query.exec(QStringLiteral("PRAGMA quick_check")) && query.next() &&
           query.value(0).toString() == QLatin1String("ok") &&
           query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS groups ("
                                     "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                     "local_uid TEXT, remote_uid TEXT)")) &&
           query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS events ("
                                     "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                     "group_id INTEGER, record BLOB)"));
}

void HistoryStore::moveAsideDamaged(const QString& reason) const
{
    const QString path = databasePath();
    const QString aside =
        path + QStringLiteral(".damaged-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    const bool moved = QFile::exists(path) && QFile::rename(path, aside);
    qCCritical(lcHost).noquote() << "[CHRONEL] history database" << path
                                 << "cannot be used:" << reason
                                 << (moved ? "- moved aside to " + aside + ", starting a new one"
                                           : QStringLiteral("- could not be moved aside"));
}

int HistoryStore::groupFor(const Event& event)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT id FROM groups WHERE local_uid = ? AND remote_uid = ?"));
    query.addBindValue(nonNull(event.localUid()));
    query.addBindValue(nonNull(event.remoteUid()));
    if (query.exec() && query.next()) {
        return query.value(0).toInt();
    }
    query.prepare(QStringLiteral("INSERT INTO groups (local_uid, remote_uid) VALUES (?, ?)"));
    query.addBindValue(nonNull(event.localUid()));
    query.addBindValue(nonNull(event.remoteUid()));
    if (!query.exec()) {
        return -1;
    }
    return query.lastInsertId().toInt();
}

bool HistoryStore::addEvent(Event& event)
{
    QSqlDatabase db = database();
    if (!db.isOpen()) {
        return false;
    }
    const bool newGroup = event.groupId() < 0;
    if (newGroup) {
        event.setGroupId(groupFor(event));
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO events (group_id, record) VALUES (?, '{}')"));
    query.addBindValue(event.groupId());
    if (!query.exec()) {
        qCWarning(lcHost) << "[CHRONEL] cannot add event:" << query.lastError().text();
        return false;
    }
    event.setId(query.lastInsertId().toInt());
    if (!writeRecord(event.id(), event.groupId(), EventRecord::toJson(event))) {
        return false;
    }
    event.resetModifiedProperties();
    emit eventsAdded({event});
    emit groupsChanged();
    return true;
}

bool HistoryStore::readRecord(int id, QJsonObject& record) const
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT record FROM events WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) {
        return false;
    }
    record = parseRecord(query.value(0).toByteArray());
    return true;
}

bool HistoryStore::writeRecord(int id, int groupId, const QJsonObject& record)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE events SET group_id = ?, record = ? WHERE id = ?"));
    query.addBindValue(groupId);
    query.addBindValue(serialise(record));
    query.addBindValue(id);
    if (!query.exec() || query.numRowsAffected() != 1) {
        qCWarning(lcHost) << "[CHRONEL] cannot write event" << id << query.lastError().text();
        return false;
    }
    return true;
}

bool HistoryStore::getEvent(int id, Event& event) const
{
    QJsonObject record;
    if (id < 0 || !readRecord(id, record)) {
        return false;
    }
    Event loaded;
    EventRecord::fromJson(record, loaded);
    loaded.setId(id);
    loaded.resetModifiedProperties();
    event = loaded;
    return true;
}

bool HistoryStore::modifyEvent(Event& event)
{
    QJsonObject record;
    if (!event.validProperties().contains(Event::Id) || !readRecord(event.id(), record)) {
        return false;
    }
    Event::PropertySet changed = event.validProperties() & event.modifiedProperties();
    changed.remove(Event::Id);
    EventRecord::merge(event, changed, record);
    const int groupId = record.value(QString::number(int(Event::GroupId))).toInt(-1);
    if (!writeRecord(event.id(), groupId, record)) {
        return false;
    }
    event.resetModifiedProperties();
    Event stored;
    getEvent(event.id(), stored);
    emit eventsUpdated({stored});
    return true;
}

bool HistoryStore::deleteEvent(int id)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("DELETE FROM events WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || query.numRowsAffected() != 1) {
        return false;
    }
    emit eventDeleted(id);
    emit groupsChanged();
    return true;
}

QList<Event> HistoryStore::events(int groupId) const
{
    QSqlQuery query(database());
    if (groupId < 0) {
        query.prepare(QStringLiteral("SELECT id FROM events ORDER BY id"));
    } else {
        query.prepare(QStringLiteral("SELECT id FROM events WHERE group_id = ? ORDER BY id"));
        query.addBindValue(groupId);
    }
    QList<Event> found;
    if (!query.exec()) {
        return found;
    }
    while (query.next()) {
        Event event;
        if (getEvent(query.value(0).toInt(), event)) {
            found << event;
        }
    }
    return found;
}

QList<Group> HistoryStore::groups(const QString& localUid, const QString& remoteUid) const
{
    QSqlQuery query(database());
    query.prepare(
        QStringLiteral("SELECT g.id, g.local_uid, g.remote_uid, MAX(e.id) FROM groups g "
                       "JOIN events e ON e.group_id = g.id "
                       "WHERE (? = '' OR g.local_uid = ?) AND (? = '' OR g.remote_uid = ?) "
                       "GROUP BY g.id ORDER BY MAX(e.id) DESC"));
    for (const QString& filter : {localUid, remoteUid}) {
        query.addBindValue(nonNull(filter));
        query.addBindValue(nonNull(filter));
    }
    QList<Group> found;
    if (!query.exec()) {
        qCWarning(lcHost) << "[CHRONEL] cannot list groups:" << query.lastError().text();
        return found;
    }
    while (query.next()) {
        found << Group{query.value(0).toInt(),
                       query.value(1).toString(),
                       {query.value(2).toString()},
                       query.value(3).toInt()};
    }
    return found;
}

} // namespace Chronel
