#include "corvaneuisignalquitter.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int g_wakeFds[2] = {-1, -1};

} // namespace

CorvaneUiSignalQuitter::CorvaneUiSignalQuitter(std::initializer_list<int> signalNumbers,
                                               QObject* parent)
    : QObject(parent)
    , m_signalNumbers(signalNumbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wakeFds) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_wakeFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CorvaneUiSignalQuitter::quitLoop);

    struct sigaction action = {};
    action.sa_handler = &CorvaneUiSignalQuitter::onUnixSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : qAsConst(m_signalNumbers)) {
        ::sigaction(signalNumber, &action, nullptr);
    }
}

CorvaneUiSignalQuitter::~CorvaneUiSignalQuitter()
{
    for (int signalNumber : qAsConst(m_signalNumbers)) {
        ::signal(signalNumber, SIG_DFL);
    }
    delete m_notifier;
    for (int& fd : g_wakeFds) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void CorvaneUiSignalQuitter::onUnixSignal(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    if (::write(g_wakeFds[0], &byte, 1) < 0) {
        return; // nothing more can be done inside a signal handler
    }
}

void CorvaneUiSignalQuitter::quitLoop()
{
    char byte = 0;
    if (::read(g_wakeFds[1], &byte, 1) == 1) {
        QCoreApplication::quit();
    }
}
