// Feeds arbitrary bytes to the history store's reading of a stored event record. Whatever the
// text, the event read from it must come back unchanged when it is written and read once more.
#include "eventrecord.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    Chronel::Event event;
    Chronel::EventRecord::fromJson(QJsonDocument::fromJson(text).object(), event);

    const QJsonObject written = Chronel::EventRecord::toJson(event);
    Chronel::Event readBack;
    Chronel::EventRecord::fromJson(written, readBack);
    if (Chronel::EventRecord::toJson(readBack) != written)
        abort();
    return 0;
}
