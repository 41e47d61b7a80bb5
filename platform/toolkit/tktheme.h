#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The theme: images by theme id and one style sheet per library name.
// Everything is read from the :/theme resource that the binary links in.
class TkTheme
{
public:
    // Announces a library: its style sheet ":/theme/<name>.qss" is added to the
    // application's style. Safe before the application exists (applied then).
    static void registerLibrary(const QString& libraryName);
    static QStringList registeredLibraries();

    static bool hasImage(const QString& id);
    // A null pixmap when the theme has no such image.
    static QPixmap pixmap(const QString& id, const QSize& size = QSize());
    static QIcon icon(const QString& id);

    static QString imagePath(const QString& id);
};
