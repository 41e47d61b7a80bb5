#pragma once

#include "event.h"
#include "group.h"

#include <QObject>
#include <QSqlDatabase>

#include <functional>

namespace Chronel {

class HistoryAnnouncer;

// The history of the user's session: events and conversations in one SQLite
// file under the user's data folder, readable by the owner only. Several
// processes use it at once: writes are transactions that wait for each other,
// and every change is announced to the other processes (HistoryAnnouncer),
// whose stores then emit the same change signals as for their own writes.
// Models read and write through it and follow those signals.
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
    bool openOnce(QString& reason) const;
    static bool preparePrivateFile(QString& reason);
    bool createSchema(QSqlDatabase& db, QString& reason) const;
    void moveAsideDamaged(const QString& reason) const;
    bool writeTransaction(const std::function<bool()>& work);
    int groupFor(const Event& event);
    bool insertEvent(Event& event);
    bool readRecord(int id, QJsonObject& record) const;
    bool writeRecord(int id, int groupId, const QJsonObject& record);
    EventList storedEvents(const QList<int>& ids) const;
    void onChangedElsewhere(const QList<int>& added, const QList<int>& modified,
                            const QList<int>& deleted);

    QString m_connectionName;
    HistoryAnnouncer* m_announcer;
};

} // namespace Chronel
