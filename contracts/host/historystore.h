#pragma once

#include "event.h"
#include "group.h"

#include <QObject>
#include <QSqlDatabase>

namespace Chronel {

// The process-wide history: events and conversations in one SQLite file
// under the user's data folder. Models read and write through it and follow
// its change signals.
class HistoryStore : public QObject
{
    Q_OBJECT
public:
    static HistoryStore* instance();
    // The database file; set HOME/XDG_DATA_HOME to move it.
    static QString databasePath();

    // Stores a new event, puts it into the conversation with its remote uid
    // (made when there is none) and gives it its id.
    bool addEvent(Event& event);
    // Fills `event` with the stored one; its modified marks are cleared.
    bool getEvent(int id, Event& event) const;
    // Writes the properties of `event` that are both valid and modified.
    bool modifyEvent(Event& event);
    bool deleteEvent(int id);

    QList<Event> events(int groupId = -1) const;
    QList<Group> groups(const QString& localUid = QString(),
                        const QString& remoteUid = QString()) const;

    // Closes the database; the next call opens it again (tests reopen with this).
    void close();

signals:
    void eventsAdded(const Chronel::EventList& events);
    void eventsUpdated(const Chronel::EventList& events);
    void eventDeleted(int id);
    void groupsChanged();

private:
    explicit HistoryStore(QObject* parent = nullptr);
    ~HistoryStore() override;

    QSqlDatabase database() const;
    bool open() const;
    bool createSchema(QSqlDatabase& db) const;
    void moveAsideDamaged(const QString& reason) const;
    int groupFor(const Event& event);
    bool readRecord(int id, QJsonObject& record) const;
    bool writeRecord(int id, int groupId, const QJsonObject& record);

    QString m_connectionName;
};

} // namespace Chronel
