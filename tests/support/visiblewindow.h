#pragma once

#include <QApplication>
#include <QWidget>

// The shown window of that class (dialogs and sheets included), or null.
template <class T> T* visibleWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<T*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}
