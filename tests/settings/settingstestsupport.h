#pragma once

#include "../config/configsandbox.h"
#include "catalogue.h"
#include "mmsconfig.h"
#include "testprofiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>

// What the settings tests do the way a user does, and the store they look at.
namespace settingstest {

// Picks an item through the opened list, as a finger does.
inline void pick(QComboBox* box, int index)
{
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

// Types text one character at a time (any script), as the input method does.
inline void type(QLineEdit* edit, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
    }
}

template <class T> T* visibleWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<T*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

inline MmsConfig::Configuration profile(const QString& apn, const QString& userName,
                                        const QString& password, const QString& mmsc, int mmscPort,
                                        const QString& proxy, int proxyPort)
{
    return testProfile(QString(), apn, userName, password, mmsc, mmscPort, proxy, proxyPort);
}

inline MmsConfig::Configuration named(MmsConfig::Configuration config, const QString& name)
{
    config.name = name;
    return config;
}

inline MmsConfig::Configuration operatorProfile()
{
    MmsConfig::Configuration c =
        profile("op.apn", "op", "opsecret", "http://op.mmsc/", 8002, "10.0.0.1", 8080);
    c.name = QStringLiteral("Operator");
    return c;
}

inline void storeProvisioned(const MmsConfig::Configuration& config)
{
    MmsConfig::queryConfig(MmsConfig::PROVISIONED)->writeConfiguration(config);
}

inline void storeUserDefined(MmsConfig::Configuration config)
{
    config.name = QStringLiteral("UserDefined");
    MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->writeConfiguration(config);
}

// The stored user-defined profile; name "UserDefined", empty if there is none.
inline MmsConfig::Configuration userDefined()
{
    MmsConfig::Configuration config;
    config.name = QStringLiteral("UserDefined");
    MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->readConfiguration(config);
    return config;
}

} // namespace settingstest
