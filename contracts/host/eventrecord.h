#pragma once

#include "event.h"

#include <QJsonObject>

namespace Chronel {

// How an event is kept on disk: one JSON object, one key per property.
class EventRecord
{
public:
    static QJsonObject toJson(const Event& event);
    // Copies into `event` the given properties of the record (all when empty).
    static void fromJson(const QJsonObject& record, Event& event,
                         const Event::PropertySet& only = {});
    // Writes into `record` the given properties of the event.
    static void merge(const Event& event, const Event::PropertySet& properties,
                      QJsonObject& record);
};

} // namespace Chronel
