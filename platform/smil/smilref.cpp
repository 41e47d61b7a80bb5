#include "smilref.h"

namespace {

struct Element
{
    const char* name;
    int kind;
};

// The first entry of a kind is the name it is written as.
const Element elements[] = {
    {"text", SmilRef::Text},       {"img", SmilRef::Image},   {"image", SmilRef::Image},
    {"animation", SmilRef::Image}, {"audio", SmilRef::Audio}, {"video", SmilRef::Video},
    {"ref", SmilRef::Other},
};

} // namespace

QString SmilRef::elementName(int kind)
{
    for (const Element& element : elements) {
        if (element.kind == kind)
            return QLatin1String(element.name);
    }
    return QStringLiteral("ref");
}

int SmilRef::kindOfElement(const QString& name)
{
    for (const Element& element : elements) {
        if (name == QLatin1String(element.name))
            return element.kind;
    }
    return -1;
}
