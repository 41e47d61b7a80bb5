#pragma once

#include <QDBusAbstractAdaptor>

// Exports CorvaneUi as "com.quenda.corvane.ui"; the interface is documented in
// com.quenda.corvane.ui.xml next to this file, which must stay equal to the
// introspection text below.
class CorvaneUiAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quenda.corvane.ui")
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"com.quenda.corvane.ui\">\n"
                "    <method name=\"displayGprsDisconnectDialog\" "
                "mmsui:name-for-bindings=\"displayGprsDisconnectDialog\"/>\n"
                "    <method name=\"cancelGprsDisconnectDialog\" "
                "mmsui:name-for-bindings=\"cancelGprsDisconnectDialog\"/>\n"
                "    <signal name=\"disconnectGprs\" mmsui:name-for-bindings=\"disconnectGprs\">\n"
                "      <arg type=\"b\" name=\"disconnect\"/>\n"
                "    </signal>\n"
                "  </interface>\n")
public:
    explicit CorvaneUiAdaptor(QObject* parent);

signals:
    void disconnectGprs(bool disconnect);

public slots:
    void cancelGprsDisconnectDialog();
    void displayGprsDisconnectDialog();
};
