// Opens fetched messages of 30 and 300 slides (a camera picture and a text
// each) in the viewer page and measures the time to the first and the last
// slide shown and the longest stall of the user-interface thread, seen by a
// 5 ms heartbeat, in wall time and in the thread's own processor time (which
// other work on the machine does not stretch):
//   bench_viewer [runs]
// It works in a temporary home and history; run it on a session bus of its
// own (bench/viewer/run does).
#include "abstractpagemanager.h"
#include "benchsandbox.h"
#include "heartbeat.h"
#include "historystore.h"
#include "mmsviewerpage.h"
#include "singleeventmodel.h"
#include "tkapplicationwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

namespace {

const int distinctPictures = 30;
const QSize pictureSize(1600, 1200);

QTextStream out(stdout);

struct Figures
{
    double firstSlide = 0;
    double lastSlide = 0;
    double longestStall = 0;
    double longestStallCpu = 0;
};

// A camera-like picture: a sky, a hill and sensor noise, so that it
// compresses like a photograph.
void writePicture(const QString& path, int seed)
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, pictureSize.height());
    sky.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 160, 230));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(picture.rect(), sky);
    painter.setBrush(QColor(40, 140 + seed % 80, 60));
    painter.drawEllipse(QPoint(pictureSize.width() / 2, pictureSize.height()), 1200, 500);
    painter.end();
    QRandomGenerator noise(seed);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int n = int(noise.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    picture.save(path, "JPG", 88);
}

QStringList writePictures(const QString& folder)
{
    QStringList pictures;
    for (int i = 0; i < distinctPictures; ++i) {
        pictures << QDir(folder).filePath(QStringLiteral("camera%1.jpg").arg(i));
        writePicture(pictures.last(), i);
    }
    return pictures;
}

// A fetched message: slide i shows picture i (of the distinct ones) with a text.
Chronel::Event storeMessage(const QStringList& pictures, int slides)
{
    QList<Chronel::MessagePart> parts;
    QString body;
    for (int i = 0; i < slides; ++i) {
        const QString image = QStringLiteral("image%1.jpg").arg(i);
        const QString text = QStringLiteral("text%1.txt").arg(i);
        body += QStringLiteral("<par dur=\"5000ms\"><img src=\"%1\" region=\"Image\"/>"
                               "<text src=\"%2\" region=\"Text\"/></par>")
                    .arg(image, text);
        parts << Chronel::MessagePart(QLatin1Char('<') + image + QLatin1Char('>'),
                                      QStringLiteral("image/jpeg"),
                                      pictures.at(i % pictures.size()));
        parts << Chronel::MessagePart(QLatin1Char('<') + text + QLatin1Char('>'),
                                      QStringLiteral("text/plain"), QString(),
                                      QStringLiteral("Slide %1: the harbour at six, seen from "
                                                     "the hill behind the old station.")
                                          .arg(i + 1));
    }
    parts.prepend(Chronel::MessagePart(
        QStringLiteral("<0.smil>"), QStringLiteral("application/smil"), QString(),
        QStringLiteral("<smil><head/><body>%1</body></smil>").arg(body)));
    Chronel::Event event;
    event.setType(Chronel::Event::MMSEvent);
    event.setDirection(Chronel::Event::Inbound);
    event.setRemoteUid(QStringLiteral("+358401234567"));
    event.setSubject(QStringLiteral("Harbour"));
    event.setMessageParts(parts);
    event.setStartTime(QDateTime::currentDateTimeUtc());
    Chronel::HistoryStore::instance()->addEvent(event);
    return event;
}

// Counts the slide pictures as they are shown.
class SlideWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show &&
            watched->objectName() == QLatin1String("mmsViewerAttachmentThumbnail")) {
            if (shown++ == 0) {
                first = clock.nsecsElapsed() / 1e6;
            }
            last = clock.nsecsElapsed() / 1e6;
        }
        return false;
    }

    QElapsedTimer clock;
    int shown = 0;
    double first = 0;
    double last = 0;
};

Figures openMessage(const Chronel::Event& event, int slides)
{
    TkApplicationWindow window;
    window.resize(480, 854);
    window.show();
    AbstractPageManager manager(&window);
    SlideWatcher watcher;
    qApp->installEventFilter(&watcher);

    Figures figures;
    Heartbeat heartbeat;
    heartbeat.start();
    watcher.clock.start();

    auto* model = new Chronel::SingleEventModel;
    auto* page = new MmsViewerPage(&manager, model, event);
    model->setParent(page);
    manager.showPage(page);
    while (watcher.shown < slides || page->isBuildingSlides()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    heartbeat.stop();
    figures.longestStall = heartbeat.longestStall;
    figures.longestStallCpu = heartbeat.longestStallCpu;
    qApp->removeEventFilter(&watcher);
    figures.firstSlide = watcher.first;
    figures.lastSlide = watcher.last;
    return figures;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

Figures medianOf(const QVector<Figures>& runs)
{
    QVector<double> first, last, stall, stallCpu;
    for (const Figures& run : runs) {
        first << run.firstSlide;
        last << run.lastSlide;
        stall << run.longestStall;
        stallCpu << run.longestStallCpu;
    }
    return {median(first), median(last), median(stall), median(stallCpu)};
}

void report(int slides, const Figures& figures)
{
    out << QStringLiteral("%1 slides: first slide %2 ms, last slide %3 ms, longest stall %4 ms "
                          "(%5 ms of processor time)\n")
               .arg(slides, 3)
               .arg(figures.firstSlide, 0, 'f', 0)
               .arg(figures.lastSlide, 0, 'f', 0)
               .arg(figures.longestStall, 0, 'f', 1)
               .arg(figures.longestStallCpu, 0, 'f', 1);
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    BenchSandbox sandbox;
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    sandbox.installPluginLook();

    out << "generating " << distinctPictures << " camera pictures of " << pictureSize.width()
        << " x " << pictureSize.height() << "...\n";
    out.flush();
    const QStringList pictures = writePictures(sandbox.path());
    QMap<int, Figures> results;
    for (const int slides : {30, 300}) {
        const Chronel::Event event = storeMessage(pictures, slides);
        QVector<Figures> measured;
        for (int run = 0; run < runs; ++run) {
            measured << openMessage(event, slides);
        }
        results.insert(slides, medianOf(measured));
        report(slides, results.value(slides));
    }
    const Figures small = results.value(30);
    const Figures large = results.value(300);
    out << QStringLiteral(
               "300 / 30 slides: first slide %1 x, last slide %2 x (target at most 11 x)\n"
               "longest stall %3 ms, %4 ms of processor time (target at most 50 ms)\n")
               .arg(large.firstSlide / small.firstSlide, 0, 'f', 1)
               .arg(large.lastSlide / small.lastSlide, 0, 'f', 1)
               .arg(std::max(small.longestStall, large.longestStall), 0, 'f', 1)
               .arg(std::max(small.longestStallCpu, large.longestStallCpu), 0, 'f', 1);
    return 0;
}
