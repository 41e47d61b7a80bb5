#pragma once

#include <QObject>
#include <QVector>

#include <initializer_list>

class QSocketNotifier;

// Turns the given Unix signals into a quit of the application's event loop, so
// that a service manager's SIGTERM ends the program through its normal path.
// One instance per process.
class CorvaneUiSignalQuitter : public QObject
{
    Q_OBJECT
public:
    explicit CorvaneUiSignalQuitter(std::initializer_list<int> signalNumbers,
                                    QObject* parent = nullptr);
    ~CorvaneUiSignalQuitter() override;

private:
    static void onUnixSignal(int signalNumber);
    void quitLoop();

    QVector<int> m_signalNumbers;
    QSocketNotifier* m_notifier = nullptr;
};
