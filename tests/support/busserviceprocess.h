#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

// A program, real or fake, that owns a name on the test's session bus. It is
// killed when this object goes.
class BusServiceProcess
{
public:
    ~BusServiceProcess() { stop(); }

    // Starts the program and waits until it owns serviceName.
    bool start(const QString& program, const QStringList& arguments, const QString& serviceName)
    {
        QDBusServiceWatcher watcher(serviceName, QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        m_serviceName = serviceName;
        m_output.clear();
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
        return m_process.waitForStarted() && registered.wait();
    }

    // Returns once the name is free again for the next program.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        QDBusServiceWatcher watcher(m_serviceName, QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForUnregistration);
        QSignalSpy unregistered(&watcher, &QDBusServiceWatcher::serviceUnregistered);
        const bool owned =
            QDBusConnection::sessionBus().interface()->isServiceRegistered(m_serviceName);
        m_process.kill();
        m_process.waitForFinished();
        if (owned && unregistered.isEmpty())
            unregistered.wait();
    }

    // Everything the program wrote to its standard output, one entry a line.
    QStringList outputLines()
    {
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Waits until the program has written this line.
    bool waitForLine(const QString& line)
    {
        QSignalSpy more(&m_process, &QProcess::readyReadStandardOutput);
        while (!outputLines().contains(line)) {
            if (!more.wait())
                return false;
        }
        return true;
    }

private:
    QProcess m_process;
    QString m_serviceName;
    QString m_output;
};
