#pragma once

#include "event.h"
#include "trackerio.h"

#include <QAbstractListModel>

#include <optional>

namespace Chronel {

// A list of history events that follows the store, also when another
// process changes it: rows are updated or removed when their events change
// there, and a conversation loaded with getEvents() gains the events added
// to it.
class EventModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles { EventRole = Qt::UserRole + 1 };

    explicit EventModel(QObject* parent = nullptr);

    TrackerIO& trackerIO() { return m_trackerIO; }

    bool addEvent(Event& event);
    // Writes the event's valid and modified properties; see Event.
    bool modifyEvent(Event& event);
    bool deleteEvent(int id);
    bool deleteEvent(Event& event) { return deleteEvent(event.id()); }

    // The events of one conversation (all events for -1), oldest first;
    // loads synchronously.
    bool getEvents(int groupId);

    // Keeps QObject::event(QEvent*) visible beside the row accessor below.
    using QAbstractListModel::event;
    Event event(const QModelIndex& index) const;
    QList<Event> events() const { return m_events; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    void setEvents(const QList<Event>& events);

private:
    void onEventsAdded(const Chronel::EventList& events);
    void onEventsUpdated(const Chronel::EventList& events);
    void onEventDeleted(int id);
    int rowOf(int id) const;

    TrackerIO m_trackerIO;
    QList<Event> m_events;
    // The conversation getEvents() loaded; unset for a model filled otherwise.
    std::optional<int> m_groupId;
};

} // namespace Chronel
