#include "mmscmprocess.h"

#include "mmscmnames.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int kTimeoutMs = 15000;

bool isOwned(const QDBusConnection& bus)
{
    return bus.interface() && bus.interface()->isServiceRegistered(Mmscm::serviceName).value();
}

} // namespace

QString MmscmProcess::defaultProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/dravel-mmscm");
}

MmscmProcess::MmscmProcess(const QString& program, QObject* parent)
    : QObject(parent)
    , m_program(program)
{
    // Its log belongs with the log of whoever runs it.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
}

MmscmProcess::~MmscmProcess()
{
    stop();
}

bool MmscmProcess::start()
{
    m_error.clear();
    if (isOwned(QDBusConnection::sessionBus())) {
        m_error = QStringLiteral("%1 is served already").arg(Mmscm::serviceName);
        return false;
    }
    QStringList arguments{QStringLiteral("--exit-with-parent")};
    if (m_stepInterval >= 0) {
        arguments << QStringLiteral("--step-interval") << QString::number(m_stepInterval);
    }
    m_process.start(m_program, arguments);
    if (!m_process.waitForStarted(kTimeoutMs)) {
        m_error =
            QStringLiteral("%1 cannot be started: %2").arg(m_program, m_process.errorString());
        return false;
    }
    return waitForName(true);
}

bool MmscmProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(kTimeoutMs);
    return waitForName(false);
}

bool MmscmProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning) {
        return true;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(kTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(kTimeoutMs);
    }
    return waitForName(false);
}

// Waits in an event loop (not a sleep), so that the caller's signals keep coming.
bool MmscmProcess::waitForName(bool owned)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusServiceWatcher watcher(Mmscm::serviceName, bus,
                                owned ? QDBusServiceWatcher::WatchForRegistration
                                      : QDBusServiceWatcher::WatchForUnregistration);
    QEventLoop loop;
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    connect(&watcher, &QDBusServiceWatcher::serviceOwnerChanged, &loop, &QEventLoop::quit);
    if (owned) {
        connect(&m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                &QEventLoop::quit);
    }
    if (isOwned(bus) != owned) {
        loop.exec();
    }
    if (isOwned(bus) == owned) {
        return true;
    }
    m_error =
        owned && m_process.state() == QProcess::NotRunning
            ? QStringLiteral("%1 ended with exit code %2").arg(m_program).arg(m_process.exitCode())
            : QStringLiteral("%1 did not %2 %3 in time")
                  .arg(m_program, owned ? QStringLiteral("take") : QStringLiteral("leave"),
                       Mmscm::serviceName);
    return false;
}
