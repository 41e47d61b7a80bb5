#pragma once

#include "event.h"

namespace Chronel {

// Direct reads from the history store, bypassing a model's rows.
class TrackerIO
{
public:
    // Fills `event` from the store; leaves it untouched and returns false when
    // the URL names no stored event.
    bool getEventByUri(const QUrl& uri, Event& event) const;
};

} // namespace Chronel
