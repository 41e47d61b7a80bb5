#pragma once

#include <QObject>
#include <QProcess>

// Runs the dravel-mmscm program for a demo or a test: starts it on the
// session bus and waits until it serves, ends it with the object. Both start
// the connection manager this way, so the tests drive what the demo runs.
class MmscmProcess : public QObject
{
    Q_OBJECT
public:
    // The program next to the running executable (where the build and the
    // installation put it).
    static QString defaultProgram();

    explicit MmscmProcess(const QString& program = defaultProgram(), QObject* parent = nullptr);
    ~MmscmProcess() override;

    // Milliseconds between a download's progress steps; the program's default when not set.
    void setStepInterval(int milliseconds) { m_stepInterval = milliseconds; }

    // Starts the program and waits until it owns its name on the bus; false,
    // with errorString() saying why, when it does not come up.
    bool start();
    // Ends the program as a crash would and waits until its name has left the bus.
    bool kill();
    // Ends the program politely and waits until its name has left the bus.
    bool stop();

    QString errorString() const { return m_error; }

private:
    bool waitForName(bool owned);

    QString m_program;
    int m_stepInterval = -1;
    QProcess m_process;
    QString m_error;
};
