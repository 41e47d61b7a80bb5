#include "eventmodel.h"

#include "historystore.h"

namespace Chronel {

EventModel::EventModel(QObject* parent)
    : QAbstractListModel(parent)
{
    HistoryStore* store = HistoryStore::instance();
    connect(store, &HistoryStore::eventsAdded, this, &EventModel::onEventsAdded);
    connect(store, &HistoryStore::eventsUpdated, this, &EventModel::onEventsUpdated);
    connect(store, &HistoryStore::eventDeleted, this, &EventModel::onEventDeleted);
}

bool EventModel::addEvent(Event& event)
{
    return HistoryStore::instance()->addEvent(event);
}

bool EventModel::modifyEvent(Event& event)
{
    return HistoryStore::instance()->modifyEvent(event);
}

bool EventModel::deleteEvent(int id)
{
    return HistoryStore::instance()->deleteEvent(id);
}

bool EventModel::getEvents(int groupId)
{
    setEvents(HistoryStore::instance()->events(groupId));
    m_groupId = groupId;
    return true;
}

Event EventModel::event(const QModelIndex& index) const
{
    return index.isValid() && index.row() < m_events.size() ? m_events.at(index.row()) : Event();
}

int EventModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_events.size();
}

QVariant EventModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_events.size()) {
        return QVariant();
    }
    const Event& event = m_events.at(index.row());
    switch (role) {
    case EventRole:
        return QVariant::fromValue(event);
    case Qt::DisplayRole:
        return event.subject().isEmpty() ? event.freeText() : event.subject();
    default:
        return QVariant();
    }
}

void EventModel::setEvents(const QList<Event>& events)
{
    beginResetModel();
    m_events = events;
    endResetModel();
}

int EventModel::rowOf(int id) const
{
    for (int row = 0; row < m_events.size(); ++row) {
        if (m_events.at(row).id() == id) {
            return row;
        }
    }
    return -1;
}

void EventModel::onEventsAdded(const Chronel::EventList& events)
{
    for (const Event& added : events) {
        if (m_groupId && (*m_groupId < 0 || added.groupId() == *m_groupId) &&
            rowOf(added.id()) < 0) {
            beginInsertRows(QModelIndex(), m_events.size(), m_events.size());
            m_events.append(added);
            endInsertRows();
        }
    }
}

void EventModel::onEventsUpdated(const Chronel::EventList& events)
{
    for (const Event& updated : events) {
        const int row = rowOf(updated.id());
        if (row >= 0) {
            m_events[row] = updated;
            emit dataChanged(index(row), index(row));
        }
    }
}

void EventModel::onEventDeleted(int id)
{
    const int row = rowOf(id);
    if (row >= 0) {
        beginRemoveRows(QModelIndex(), row, row);
        m_events.removeAt(row);
        endRemoveRows();
    }
}

} // namespace Chronel
