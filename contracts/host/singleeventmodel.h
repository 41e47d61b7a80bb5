#pragma once

#include "eventmodel.h"

namespace Chronel {

// Holds at most one event, fetched by its URL. The fetch completes from the
// event loop and is announced by modelReady().
class SingleEventModel : public EventModel
{
    Q_OBJECT
public:
    explicit SingleEventModel(QObject* parent = nullptr);

    // Starts fetching; false for a URL that names no event.
    bool getEventByUri(const QUrl& uri);

signals:
    // true when the fetch ran; the model then holds the event, or no row when
    // the event is not in the store.
    void modelReady(bool successful);
};

} // namespace Chronel
