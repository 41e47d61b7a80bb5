#include "tkstyleregistry.h"

#include <QHash>

namespace {

// Class name -> library name.
QHash<QString, QString>& classes()
{
    static QHash<QString, QString> registry;
    return registry;
}

} // namespace

void TkStyleRegistry::registerStyleClass(const QString& libraryName, const QString& className)
{
    classes().insert(className, libraryName);
}

bool TkStyleRegistry::isRegistered(const QString& className)
{
    return classes().contains(className);
}

QString TkStyleRegistry::libraryOf(const QString& className)
{
    return classes().value(className);
}

QStringList TkStyleRegistry::styleClasses(const QString& libraryName)
{
    QStringList names = classes().keys(libraryName);
    names.sort();
    return names;
}
