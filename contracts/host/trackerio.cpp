#include "trackerio.h"

#include "historystore.h"

namespace Chronel {

bool TrackerIO::getEventByUri(const QUrl& uri, Event& event) const
{
    return HistoryStore::instance()->getEvent(Event::urlToId(uri), event);
}

} // namespace Chronel
