#include "tktheme.h"

#include <QApplication>
#include <QFile>
#include <QPixmapCache>
#include <QTimer>

namespace {

QStringList& libraries()
{
    static QStringList names;
    return names;
}

QString styleSheetOf(const QString& libraryName)
{
    QFile file(QStringLiteral(":/theme/%1.qss").arg(libraryName));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

void applyStyleSheet(const QString& libraryName)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) {
        return;
    }
    const QString sheet = styleSheetOf(libraryName);
    if (!sheet.isEmpty()) {
        app->setStyleSheet(app->styleSheet() + QLatin1Char('\n') + sheet);
    }
}

void applyRegisteredStyleSheets()
{
    // Pre-routines run inside QCoreApplication's constructor, before the
    // QApplication around it is complete: apply from the event loop instead.
    QTimer::singleShot(0, [] {
        for (const QString& name : libraries()) {
            applyStyleSheet(name);
        }
    });
}

} // namespace

void TkTheme::registerLibrary(const QString& libraryName)
{
    if (libraries().contains(libraryName)) {
        return;
    }
    libraries().append(libraryName);
    if (QCoreApplication::instance()) {
        applyStyleSheet(libraryName);
    } else if (libraries().size() == 1) {
        qAddPreRoutine(applyRegisteredStyleSheets);
    }
}

QStringList TkTheme::registeredLibraries()
{
    return libraries();
}

QString TkTheme::imagePath(const QString& id)
{
    for (const char* suffix : {".png", ".svg"}) {
        const QString path = QStringLiteral(":/theme/icons/") + id + QLatin1String(suffix);
        if (QFile::exists(path)) {
            return path;
        }
    }
    return QString();
}

bool TkTheme::hasImage(const QString& id)
{
    return !id.isEmpty() && !imagePath(id).isEmpty();
}

QPixmap TkTheme::pixmap(const QString& id, const QSize& size)
{
    const QString path = imagePath(id);
    if (path.isEmpty()) {
        return QPixmap();
    }
    const QString key =
        QStringLiteral("tktheme:%1:%2x%3").arg(id).arg(size.width()).arg(size.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }
    QPixmap loaded(path);
    if (size.isValid() && !loaded.isNull()) {
        loaded = loaded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPixmapCache::insert(key, loaded);
    return loaded;
}

QIcon TkTheme::icon(const QString& id)
{
    const QString path = imagePath(id);
    return path.isEmpty() ? QIcon() : QIcon(path);
}
