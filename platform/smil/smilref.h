#pragma once

#include <QString>

// One media reference of a presentation: what it shows, from which part, where.
class SmilRef
{
public:
    // Written as <text>, <img>, <audio>, <video>; Other is a generic <ref> element.
    enum Kind { Text = 0, Image = 1, Audio = 2, Video = 3, Other = 4 };

    // The element name a reference of this kind is written as.
    static QString elementName(int kind);
    // The kind an element of this (local) name stands for; -1 when it is no media element.
    static int kindOfElement(const QString& name);

    int kind = Text;
    QString source;
    QString region;
};
