#include "historystore.h"

#include "eventrecord.h"
#include "historyannouncer.h"
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

constexpr int kBusyTimeoutMs = 10000;

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
    , m_announcer(new HistoryAnnouncer(this))
{
    qRegisterMetaType<Chronel::Event>();
    qRegisterMetaType<Chronel::EventList>();
    connect(m_announcer, &HistoryAnnouncer::changedElsewhere, this,
            &HistoryStore::onChangedElsewhere);
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
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString reason;
        if (openOnce(reason)) {
            return true;
        }
        QSqlDatabase::database(m_connectionName, false).close();
        // A damaged file must not stop the application: keep it for inspection
        // and start a fresh history.
        moveAsideDamaged(reason);
    }
    return false;
}

bool HistoryStore::openOnce(QString& reason) const
{
    if (!preparePrivateFile(reason)) {
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(databasePath());
    // Another process may be writing; wait for it rather than fail.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        reason = db.lastError().text();
        return false;
    }
    return createSchema(db, reason);
}

// Message history is private. The file is made here, owner only, before SQLite
// opens it; SQLite gives its side files (-wal, -shm) the mode of the file.
bool HistoryStore::preparePrivateFile(QString& reason)
{
    const QString path = databasePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("the folder %1 cannot be made").arg(folder);
        return false;
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile file(path);
    // NewOnly: never truncate a file that another process made meanwhile.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        file.close();
    }
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool HistoryStore::createSchema(QSqlDatabase& db, QString& reason) const
{
    QSqlQuery query(db);
    // Readers then never block the writer of another process.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()) {
        reason = query.lastError().text();
        return false;
    }
    if (query.value(0).toString() != QLatin1String("wal")) {
        qCWarning(lcHost) << "[CHRONEL] history database without write-ahead log, journal mode"
                          << query.value(0).toString();
    }
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        reason = query.lastError().text();
        return false;
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        reason = QStringLiteral("integrity check: ") + query.value(0).toString();
        return false;
    }
    const bool created = query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS groups ("
                                                   "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                                   "local_uid TEXT, remote_uid TEXT)")) &&
                         query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS events ("
                                                   "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                                   "group_id INTEGER, record BLOB)"));
    if (!created) {
        reason = query.lastError().text();
    }
    return created;
}

void HistoryStore::moveAsideDamaged(const QString& reason) const
{
    const QString path = databasePath();
    const QString aside =
        path + QStringLiteral(".damaged-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    const bool moved = QFile::exists(path) && QFile::rename(path, aside);
    // A log left behind would be replayed into the fresh database.
    for (const QString& side :
         {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (QFile::exists(path + side)) {
            QFile::rename(path + side, aside + side);
        }
    }
    qCCritical(lcHost).noquote() << "[CHRONEL] history database" << path
                                 << "cannot be used:" << reason
                                 << (moved ? "- moved aside to " + aside + ", starting a new one"
                                           : QStringLiteral("- could not be moved aside"));
}

// One write transaction, taken at once: a writer in another process then
// waits for it (busy timeout) instead of both writing from the same state.
bool HistoryStore::writeTransaction(const std::function<bool()>& work)
{
    QSqlDatabase db = database();
    QSqlQuery control(db);
    if (!db.isOpen() || !control.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        qCWarning(lcHost) << "[CHRONEL] cannot write the history:" << control.lastError().text();
        return false;
    }
    if (work() && control.exec(QStringLiteral("COMMIT"))) {
        return true;
    }
    control.exec(QStringLiteral("ROLLBACK"));
    return false;
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
    Event added = event;
    if (!writeTransaction([&] { return insertEvent(added); })) {
        return false;
    }
    event = added;
    event.resetModifiedProperties();
    emit eventsAdded({event});
    emit groupsChanged();
    m_announcer->announce({event.id()}, {}, {});
    return true;
}

bool HistoryStore::insertEvent(Event& event)
{
    if (event.groupId() < 0) {
        event.setGroupId(groupFor(event));
    }
    QSqlQuery query(database());
    query.prepare(QStringLiteral("INSERT INTO events (group_id, record) VALUES (?, '{}')"));
    query.addBindValue(event.groupId());
    if (!query.exec()) {
        qCWarning(lcHost) << "[CHRONEL] cannot add event:" << query.lastError().text();
        return false;
    }
    event.setId(query.lastInsertId().toInt());
    return writeRecord(event.id(), event.groupId(), EventRecord::toJson(event));
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
    if (!event.validProperties().contains(Event::Id)) {
        return false;
    }
    // Read, merged and written in one transaction, so that a change another
    // process makes to other properties at the same time is not overwritten.
    const bool written = writeTransaction([&] {
        QJsonObject record;
        if (!readRecord(event.id(), record)) {
            return false;
        }
        Event::PropertySet changed = event.validProperties() & event.modifiedProperties();
        changed.remove(Event::Id);
        EventRecord::merge(event, changed, record);
        const int groupId = record.value(QString::number(int(Event::GroupId))).toInt(-1);
        return writeRecord(event.id(), groupId, record);
    });
    if (!written) {
        return false;
    }
    event.resetModifiedProperties();
    emit eventsUpdated(storedEvents({event.id()}));
    m_announcer->announce({}, {event.id()}, {});
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
    m_announcer->announce({}, {}, {id});
    return true;
}

EventList HistoryStore::storedEvents(const QList<int>& ids) const
{
    EventList found;
    for (const int id : ids) {
        Event event;
        if (getEvent(id, event)) {
            found << event;
        }
    }
    return found;
}

void HistoryStore::onChangedElsewhere(const QList<int>& added, const QList<int>& modified,
                                      const QList<int>& deleted)
{
    const EventList addedEvents = storedEvents(added);
    if (!addedEvents.isEmpty()) {
        emit eventsAdded(addedEvents);
    }
    const EventList modifiedEvents = storedEvents(modified);
    if (!modifiedEvents.isEmpty()) {
        emit eventsUpdated(modifiedEvents);
    }
    for (const int id : deleted) {
        emit eventDeleted(id);
    }
    if (!added.isEmpty() || !deleted.isEmpty()) {
        emit groupsChanged();
    }
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
    QList<int> ids;
    if (query.exec()) {
        while (query.next()) {
            ids << query.value(0).toInt();
        }
    }
    return storedEvents(ids);
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
