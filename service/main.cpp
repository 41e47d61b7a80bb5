#include "corvaneui.h"
#include "corvaneuisignalquitter.h"
#include "corvaneuitestprobe.h"
#include "service_debug.h"
#include "tklocale.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusReply>

#include <csignal>
#include <new>

namespace {

const QString kServiceName = QStringLiteral("com.quenda.corvane.ui");
const QString kObjectPath = QStringLiteral("/com/quenda/corvane/ui");
const QString kTestProbePath = QStringLiteral("/com/quenda/corvane/ui/testprobe");

constexpr int kExitBusRegistrationFailed = 2;
constexpr int kExitOutOfMemory = 102;

// The bus answers RequestName for a name held by someone else with a plain
// "exists" reply, not an error, so the connection keeps no error text for the
// commonest failure; the owner is named instead.
QString registrationFailure(const QDBusConnection& bus)
{
    if (bus.lastError().isValid() || !bus.interface()) {
        return bus.lastError().message();
    }
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(kServiceName);
    if (!owner.isValid()) {
        return owner.error().message();
    }
    return QStringLiteral("Name \"%1\" is already owned by %2").arg(kServiceName, owner.value());
}

bool registerOnBus(CorvaneUi* service)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.registerService(kServiceName) &&
        bus.registerObject(kObjectPath, service, QDBusConnection::ExportAdaptors)) {
        qCDebug(lcCorvaneUi).noquote() << "I: [CORVANE-UI] Service is registered";
        return true;
    }
    qCCritical(lcCorvaneUi).noquote()
        << "[CORVANE-UI] Failed to register DBus service:" << registrationFailure(bus);
    return false;
}

// See CorvaneUiTestProbe: read once, here, and nowhere else.
void exportTestProbeIfAsked(QObject* parent)
{
    if (qEnvironmentVariableIsSet("CORVANE_UI_TEST_PROBE")) {
        QDBusConnection::sessionBus().registerObject(kTestProbePath, new CorvaneUiTestProbe(parent),
                                                     QDBusConnection::ExportScriptableSlots);
    }
}

int runService(int& argc, char** argv)
{
    QApplication application(argc, argv);
    // A service, not a windowed application: the dialog closing ends nothing.
    application.setQuitOnLastWindowClosed(false);
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    TkLocale::setDefault(locale);
    CorvaneUi service;
    CorvaneUiSignalQuitter quitter({SIGTERM, SIGINT});

    if (!registerOnBus(&service)) {
        return kExitBusRegistrationFailed;
    }
    exportTestProbeIfAsked(&application);
    qCDebug(lcCorvaneUi).noquote() << "I: [CORVANE_UI] Starting";
    const int exitCode = application.exec();
    service.cancelGprsDisconnectDialog();
    // The loop is gone, so destroy the closed dialog here rather than never.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    int exitCode = 0;
    try {
        exitCode = runService(argc, argv);
    } catch (const std::bad_alloc&) {
        qCCritical(lcCorvaneUi).noquote() << "[CORVANE_UI] Got std::bad_alloc exception";
        exitCode = kExitOutOfMemory;
    }
    qCDebug(lcCorvaneUi).noquote() << "I: [CORVANE_UI] Exit with error:" << exitCode;
    return exitCode;
}
