#include "smilunit.h"

#include <QLocale>

#include <cmath>

namespace {

struct Suffix
{
    const char* text;
    SmilUnit::Unit unit;
};

// The units SMIL layouts are written in; a bare number means pixels.
const Suffix suffixes[] = {
    {"px", SmilUnit::Pixel},      {"%", SmilUnit::Percent},     {"pt", SmilUnit::Point},
    {"mm", SmilUnit::Millimetre}, {"cm", SmilUnit::Centimetre}, {"in", SmilUnit::Inch},
};

} // namespace

SmilUnit SmilUnit::convert(const QString& text)
{
    QString number = text.trimmed();
    Unit unit = Pixel;
    for (const Suffix& suffix : suffixes) {
        if (number.endsWith(QLatin1String(suffix.text))) {
            number.chop(int(qstrlen(suffix.text)));
            unit = suffix.unit;
            break;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    SmilUnit length;
    if (ok && std::isfinite(value)) {
        length.valid = true;
        length.unit = unit;
        length.value = value;
    }
    return length;
}

QString SmilUnit::toString() const
{
    if (!valid)
        return QString();
    const QString number = QString::number(value, 'g', QLocale::FloatingPointShortest);
    for (const Suffix& suffix : suffixes) {
        if (suffix.unit == unit && unit != Pixel)
            return number + QLatin1String(suffix.text);
    }
    return number;
}
