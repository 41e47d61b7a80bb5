#pragma once

#include <QString>

// One length of a SMIL layout attribute ("100%", "176px", "20"), as read or to be written.
class SmilUnit
{
public:
    enum Unit { Pixel = 0, Percent, Point, Millimetre, Centimetre, Inch, Unspecified };

    // Reads a length; an empty or malformed text gives an invalid, unspecified length of 0.
    static SmilUnit convert(const QString& text);

    // The attribute text; pixels are written as a bare number, as SMIL's default unit.
    QString toString() const;

    bool valid = false;
    int unit = Unspecified;
    double value = 0;
};
