#include "corvaneuiadaptor.h"

#include <QMetaObject>

CorvaneUiAdaptor::CorvaneUiAdaptor(QObject* parent)
    : QDBusAbstractAdaptor(parent)
{
    setAutoRelaySignals(true);
}

void CorvaneUiAdaptor::cancelGprsDisconnectDialog()
{
    QMetaObject::invokeMethod(parent(), "cancelGprsDisconnectDialog");
}

void CorvaneUiAdaptor::displayGprsDisconnectDialog()
{
    QMetaObject::invokeMethod(parent(), "displayGprsDisconnectDialog");
}
