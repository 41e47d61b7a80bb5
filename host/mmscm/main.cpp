// dravel-mmscm: the MMS connection manager of the demo and the tests. It owns
// the connection manager's name on the session bus, serves the channels'
// Download and Progress interfaces and the control interface, and plays the
// network and the other phones.
#include "channelobject.h"
#include "connectionmanager.h"
#include "controladaptor.h"
#include "controlobject.h"
#include "mmscm_debug.h"
#include "mmscmnames.h"
#include "outboxadaptor.h"
#include "outboxobject.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>
#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kExitBadArguments = 1;
constexpr int kExitBusRegistrationFailed = 2;

// A test that crashes, or a demo that is killed, must not leave the program behind.
void endWithParent()
{
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) {
        raise(SIGTERM);
    }
}

// Objects first, the name last: whoever sees the name finds everything served.
bool registerOnBus(ChannelObject* channels, ControlObject* control, OutboxObject* outbox)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString failure;
    if (!bus.isConnected()) {
        failure = bus.lastError().message();
    } else if (!bus.registerVirtualObject(Mmscm::connectionPath + QStringLiteral("/channel"),
                                          channels, QDBusConnection::SubPath) ||
               !bus.registerObject(Mmscm::controlPath, control) ||
               !bus.registerObject(Mmscm::connectionPath, outbox)) {
        failure = QStringLiteral("objects cannot be registered");
    } else if (!bus.registerService(Mmscm::serviceName)) {
        failure = QStringLiteral("the name %1 is taken").arg(Mmscm::serviceName);
    }
    if (!failure.isEmpty()) {
        qCCritical(lcMmscm).noquote() << "[MMSCM] Cannot serve on the session bus:" << failure;
    }
    return failure.isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("dravel-mmscm"));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("The MMS connection manager: fetches messages queued through its control "
                       "interface into the history store and records read reports."));
    options.addHelpOption();
    const QCommandLineOption stepOption(
        QStringLiteral("step-interval"),
        QStringLiteral("Milliseconds between the progress steps of a download (default 300)."),
        QStringLiteral("ms"), QStringLiteral("300"));
    const QCommandLineOption parentOption(
        QStringLiteral("exit-with-parent"),
        QStringLiteral("End when the process that started it ends, however that ends."));
    options.addOption(stepOption);
    options.addOption(parentOption);
    options.process(app);
    if (options.isSet(parentOption)) {
        endWithParent();
    }
    bool isNumber = false;
    const int stepInterval = options.value(stepOption).toInt(&isNumber);
    if (!isNumber || stepInterval < 0) {
        qCCritical(lcMmscm).noquote()
            << "[MMSCM] --step-interval needs milliseconds, not" << options.value(stepOption);
        return kExitBadArguments;
    }

    ReadReport::registerMetaTypes();
    qDBusRegisterMetaType<QVariantMapList>();
    // The adaptor names the type by its alias.
    qRegisterMetaType<QVariantMapList>("QVariantMapList");
    ConnectionManager manager(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/mmscm/mms0"),
        stepInterval);
    ChannelObject channels(&manager);
    ControlObject control(&manager);
    new ControlAdaptor(&control);
    OutboxObject outbox(&manager);
    new OutboxAdaptor(&outbox);
    if (!registerOnBus(&channels, &control, &outbox)) {
        return kExitBusRegistrationFailed;
    }
    qCInfo(lcMmscm).noquote() << "[MMSCM] Serving" << Mmscm::serviceName;
    return app.exec();
}
