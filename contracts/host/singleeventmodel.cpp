#include "singleeventmodel.h"

#include "historystore.h"

#include <QTimer>

namespace Chronel {

SingleEventModel::SingleEventModel(QObject* parent)
    : EventModel(parent)
{
}

bool SingleEventModel::getEventByUri(const QUrl& uri)
{
    const int id = Event::urlToId(uri);
    if (id < 0) {
        return false;
    }
    QTimer::singleShot(0, this, [this, id] {
        Event event;
        setEvents(HistoryStore::instance()->getEvent(id, event) ? QList<Event>{event}
                                                                : QList<Event>{});
        emit modelReady(true);
    });
    return true;
}

} // namespace Chronel
