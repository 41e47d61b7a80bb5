#pragma once

#include <QObject>

// Receives disconnectGprs from the bus as a Qt signal that a spy can wait for.
class AnswerListener : public QObject
{
    Q_OBJECT
signals:
    void answered(bool disconnect);

public slots:
    void onDisconnectGprs(bool disconnect) { emit answered(disconnect); }
};
