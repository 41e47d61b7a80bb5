// Sends a message of camera pictures and a text from the editor page at a 300 KB limit and
// measures, in the same run, the resize of the same pictures alone on the resize thread (the
// floor of the send), the whole send from the press to the hand-over to the host's sender, and
// the longest stall of the user-interface thread during the send, seen by a 5 ms heartbeat:
//   bench_send <runs> <picture>...
// It works in a temporary home and history; run it on a session bus of its own (bench/send/run
// does).
#include "abstractpagemanager.h"
#include "benchsandbox.h"
#include "heartbeat.h"
#include "mmsconfig.h"
#include "mmseditorpage.h"
#include "mmsmainconfig.h"
#include "mmsresizethread.h"
#include "recipientsedit.h"
#include "tkapplicationwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

const int messageLimit = 307200;
const QString recipient = QStringLiteral("+358401234567");

QTextStream out(stdout);

struct Figures
{
    double resizeAlone = 0;
    double send = 0;
    double longestStall = 0;
    double longestStallCpu = 0;
    double busyCpu = 0;
    // Send / resize alone within one run: the pair shares the machine's load of the moment.
    double ratio() const { return send / resizeAlone; }
};

// The limit, and a connection profile that lets a message go.
bool configure()
{
    MmsMainConfig config;
    config.maxMessageSize = messageLimit;
    config.automaticConnection = false;
    MmsConfig::Configuration profile;
    profile.name = QStringLiteral("UserDefined");
    profile.apn = QStringLiteral("internet");
    profile.mmsc = QStringLiteral("http://mmsc.example/");
    profile.mmscPort = 80;
    return config.save() &&
           MmsConfig::queryConfig(MmsConfig::USER_DEFINED)->writeConfiguration(profile);
}

// Runs the event loop, blocking while no event comes (a loop of processEvents() would spin and
// take a core from the resize thread), until `object` emits `signal` or `milliseconds` pass.
template <typename Sender, typename Signal>
void waitFor(const Sender* object, Signal signal, int milliseconds)
{
    QEventLoop loop;
    QObject::connect(object, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Returns the budget the page handed to the resize thread, for the floor to use.
int send(AbstractPageManager& manager, const QStringList& pictures, Figures& figures)
{
    auto* page =
        new MmsEditorPage(&manager, {Tollis::RecipientsEdit::recipient(recipient)}, QString(),
                          QStringLiteral("Six pictures of the harbour."), QString(), {});
    QPointer<MmsEditorPage> alive(page);
    manager.showPage(page);
    // As the picker's intake adds them: counted, then attached.
    const QString jpeg = QStringLiteral("image/jpeg");
    for (const QString& picture : pictures) {
        if (page->updateContentPolicy(true, jpeg, false, picture) == 2)
            page->addAttachment(picture, jpeg, QString(), QString(), false);
    }
    int budget = 0;
    QObject::connect(page, &MmsEditorPage::startPictureResize,
                     [&budget](const QStringList&, int maxSize) { budget = maxSize; });
    QElapsedTimer clock;
    const auto connection = QObject::connect(&manager, &AbstractPageManager::conversationRequested,
                                             [&] { figures.send = clock.nsecsElapsed() / 1e6; });
    // The page settles (attachments laid out, thumbnails shown) before the clock starts.
    waitFor(page, &QObject::destroyed, 500);

    Heartbeat heartbeat;
    heartbeat.start();
    const double cpu = Heartbeat::threadCpuMilliseconds();
    clock.start();
    page->slotOnSend();
    waitFor(&manager, &AbstractPageManager::conversationRequested, 60000);
    figures.busyCpu = Heartbeat::threadCpuMilliseconds() - cpu;
    heartbeat.stop();
    QObject::disconnect(connection);
    figures.longestStall = heartbeat.longestStall;
    figures.longestStallCpu = heartbeat.longestStallCpu;
    if (alive)
        waitFor(page, &QObject::destroyed, 60000);
    return budget;
}

// The same pictures shrunk to the same budget by a resize thread of their own.
double resizeAlone(const QStringList& pictures, int budget, const QString& folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QObject owner;
    auto* thread = new MmsResizeThread(&owner);
    thread->start();
    // The same instrument as during the send, so that only the send's own work differs.
    Heartbeat heartbeat;
    heartbeat.start();
    QElapsedTimer clock;
    clock.start();
    thread->startResize(pictures, budget, folder);
    waitFor(thread, &MmsResizeThread::resizeFinished, 60000);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    thread->quit();
    thread->wait();
    return elapsed;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

Figures medianOf(const QVector<Figures>& runs)
{
    QVector<double> alone, send, stall, stallCpu, busy;
    for (const Figures& run : runs) {
        alone << run.resizeAlone;
        send << run.send;
        stall << run.longestStall;
        stallCpu << run.longestStallCpu;
        busy << run.busyCpu;
    }
    return {median(alone), median(send), median(stall), median(stallCpu), median(busy)};
}

double medianRatio(const QVector<Figures>& runs)
{
    QVector<double> ratios;
    for (const Figures& run : runs)
        ratios << run.ratio();
    return median(ratios);
}

} // namespace

int main(int argc, char** argv)
{
    BenchSandbox sandbox;
    QApplication app(argc, argv);
    if (argc < 3) {
        out << "usage: bench_send <runs> <picture>...\n";
        return 2;
    }
    const int runs = std::max(1, QByteArray(argv[1]).toInt());
    QStringList pictures;
    for (int i = 2; i < argc; ++i)
        pictures << QString::fromLocal8Bit(argv[i]);
    sandbox.installPluginLook();
    // The editor's debug lines would be written on the thread measured.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    if (!configure()) {
        out << "bench_send: cannot write the configuration\n";
        return 1;
    }
    TkApplicationWindow window;
    window.resize(480, 854);
    window.show();
    AbstractPageManager manager(&window);

    QVector<Figures> measured;
    for (int run = 0; run < runs; ++run) {
        Figures figures;
        const int budget = send(manager, pictures, figures);
        figures.resizeAlone = resizeAlone(pictures, budget, sandbox.filePath("resized"));
        out << QStringLiteral(
                   "run %1: resize alone %2 ms, send %3 ms (%4 x), longest stall %5 ms\n")
                   .arg(run + 1)
                   .arg(figures.resizeAlone, 0, 'f', 0)
                   .arg(figures.send, 0, 'f', 0)
                   .arg(figures.ratio(), 0, 'f', 2)
                   .arg(figures.longestStall, 0, 'f', 1);
        out.flush();
        measured << figures;
    }
    const Figures figures = medianOf(measured);
    out << QStringLiteral(
               "median of %1: %2 pictures resized alone %3 ms, whole send %4 ms\n"
               "send / resize alone (median of the runs' ratios): %5 x (target at most 1.15 x)\n"
               "longest stall %6 ms, %7 ms of processor time (target at most 50 ms)\n"
               "user-interface thread busy %8 ms of processor time during the send\n")
               .arg(runs)
               .arg(pictures.size())
               .arg(figures.resizeAlone, 0, 'f', 0)
               .arg(figures.send, 0, 'f', 0)
               .arg(medianRatio(measured), 0, 'f', 2)
               .arg(figures.longestStall, 0, 'f', 1)
               .arg(figures.longestStallCpu, 0, 'f', 1)
               .arg(figures.busyCpu, 0, 'f', 0);
    return 0;
}
