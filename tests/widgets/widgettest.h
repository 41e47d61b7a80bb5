#pragma once

#include <QImage>
#include <QtTest>

#include <initializer_list>

// A data table's columns in one line: columns<int, QString>({"count", "name"}).
template <class... T> void columns(std::initializer_list<const char*> names)
{
    auto name = names.begin();
    (QTest::addColumn<T>(*name++), ...);
}

// The colours ("#rrggbb", or "none" where transparent) at those points of the image.
inline QStringList colours(const QImage& image, std::initializer_list<QPoint> points)
{
    QStringList names;
    for (const QPoint& at : points)
        names << (image.pixelColor(at).alpha() == 0 ? QString("none")
                                                    : image.pixelColor(at).name());
    return names;
}
