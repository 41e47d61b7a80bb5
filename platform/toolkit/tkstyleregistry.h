#pragma once

#include <QString>
#include <QStringList>

// The style classes each library declares. The theme addresses a widget by the
// class name of its style ([styleClass="MMSImageWidgetStyle"]); a library's
// classes are known once its code is linked in, before any widget exists.
class TkStyleRegistry
{
public:
    static void registerStyleClass(const QString& libraryName, const QString& className);
    static bool isRegistered(const QString& className);
    static QString libraryOf(const QString& className);
    static QStringList styleClasses(const QString& libraryName);
};

// Declares a style class of a library at load time, in the class's source file.
#define TK_REGISTER_STYLE(libraryName, StyleClass)                                                 \
    static const bool registered##StyleClass = [] {                                                \
        TkStyleRegistry::registerStyleClass(QStringLiteral(libraryName),                           \
                                            QString::fromLatin1(#StyleClass));                     \
        return true;                                                                               \
    }();
