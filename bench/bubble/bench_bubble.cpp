// Creates and updates 1,000 conversation bubbles for a mixed conversation
// (short and long texts, pictures, notifications, sent messages in every
// state) and, in the same run, 1,000 pairs of plain labels (the text and a
// scaled pixmap) showing the same content, the cheapest widgets that show it.
// Prints the processor time per bubble against the time per pair, the time of an update
// that changes nothing against the first one, and the memory of each:
//   bench_bubble [runs]
// It works in a temporary home; run it offscreen (bench/bubble/run does).
#include "benchsandbox.h"
#include "event.h"
#include "mmsconversationbubble.h"
#include "tkpannableviewport.h"
#include "tkstyle.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <memory>

namespace {

const int kCount = 1000;
const QSize kIconSize(64, 64);

QTextStream out(stdout);

struct Figures
{
    double bubble = 0;   // create and first update, ms per bubble
    double update = 0;   // the first update alone, ms per bubble
    double reupdate = 0; // an update with the same event, ms per bubble
    double labels = 0;   // create and fill a label pair, ms per pair
    double bubbleKiB = 0;
    double labelsKiB = 0;
    // Ratios within one run, where the machine's load is the same for both.
    double bubbleRatio = 0;
    double reupdateRatio = 0;
};

// Heap in use: unlike the resident size, it does not hide what reuses memory
// freed by the run before.
double heapKiB()
{
    return mallinfo2().uordblks / 1024.0;
}

Chronel::MessagePart textPart(const QString& text)
{
    return Chronel::MessagePart(QStringLiteral("<t>"), QStringLiteral("text/plain"), QString(),
                                text);
}

// The n-th message of the conversation: one kind after the other.
Chronel::Event message(int n, const QString& picture)
{
    Chronel::Event event;
    event.setId(n + 1);
    event.setType(Chronel::Event::MMSEvent);
    event.setStartTime(QDateTime::currentDateTime().addSecs(-60 * (kCount - n)));
    event.setDirection(n % 2 ? Chronel::Event::Inbound : Chronel::Event::Outbound);
    event.setStatus(Chronel::Event::EventStatus(1 + n % 5));
    event.setReportDelivery(n % 3 == 0);
    switch (n % 4) {
    case 0:
        event.setMessageParts({textPart(QStringLiteral("See you at six, message %1").arg(n))});
        break;
    case 1:
        event.setMessageParts({textPart(QString(300, QLatin1Char('m')))});
        break;
    case 2:
        event.setMessageParts(
            {Chronel::MessagePart(QStringLiteral("<p>"), QStringLiteral("image/png"), picture),
             textPart(QStringLiteral("The harbour"))});
        break;
    default:
        event.setDirection(Chronel::Event::Inbound);
        event.setSubject(QStringLiteral("Holiday photos"));
        event.setContentLocation(QStringLiteral("http://mmsc/%1").arg(n));
        event.setStatus(Chronel::Event::UnknownStatus);
        break;
    }
    return event;
}

// What the bubble shows as text, for the plain labels.
QString shownText(const Chronel::Event& event)
{
    if (!event.subject().isEmpty())
        return event.subject() + QStringLiteral("\nTap to download");
    return event.messageParts().first().plainTextContent().left(250);
}

// The thread's own processor time: other work on the machine does not stretch it.
double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <typename Work> double millisecondsPer(Work work)
{
    const double start = threadCpuMilliseconds();
    work();
    // Work the widgets defer (link highlighting) belongs to them.
    QCoreApplication::processEvents();
    return (threadCpuMilliseconds() - start) / kCount;
}

Figures measure(const QList<Chronel::Event>& events, const QPixmap& picture)
{
    Figures figures;
    TkPannableViewport viewport;
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    viewport.setWidget(content);

    double before = heapKiB();
    std::vector<QWidget*> pairs;
    figures.labels = millisecondsPer([&] {
        for (const Chronel::Event& event : events) {
            auto* pair = new QWidget(content);
            auto* row = new QHBoxLayout(pair);
            auto* icon = new QLabel(pair);
            icon->setPixmap(picture.scaled(kIconSize, Qt::KeepAspectRatio));
            auto* text = new QLabel(shownText(event), pair);
            text->setWordWrap(true);
            // In the bubble's font and colours.
            tk::setStyleName(text, QStringLiteral("MMSBubbleSubjectIncoming"));
            row->addWidget(icon);
            row->addWidget(text);
            column->addWidget(pair);
            // Shown, the pair is styled by the theme and measured by its layout.
            pair->ensurePolished();
            pair->sizeHint();
            pairs.push_back(pair);
        }
    });
    figures.labelsKiB = (heapKiB() - before) / kCount;
    qDeleteAll(pairs);

    before = heapKiB();
    std::vector<MmsConversationBubble*> bubbles;
    double created = millisecondsPer([&] {
        for (const Chronel::Event& event : events) {
            bubbles.push_back(new MmsConversationBubble(event, content));
            column->addWidget(bubbles.back());
        }
    });
    figures.update = millisecondsPer([&] {
        for (int i = 0; i < kCount; ++i)
            bubbles[i]->updateEvent(events.at(i));
    });
    figures.bubble = created + figures.update;
    figures.bubbleKiB = (heapKiB() - before) / kCount;
    figures.reupdate = millisecondsPer([&] {
        for (int i = 0; i < kCount; ++i)
            bubbles[i]->updateEvent(events.at(i));
    });
    figures.bubbleRatio = figures.bubble / figures.labels;
    figures.reupdateRatio = figures.reupdate / figures.update;
    return figures;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Figures medianOf(const std::vector<Figures>& runs)
{
    const auto of = [&runs](double Figures::*field) {
        std::vector<double> values;
        for (const Figures& run : runs)
            values.push_back(run.*field);
        return median(values);
    };
    return {of(&Figures::bubble),      of(&Figures::update),       of(&Figures::reupdate),
            of(&Figures::labels),      of(&Figures::bubbleKiB),    of(&Figures::labelsKiB),
            of(&Figures::bubbleRatio), of(&Figures::reupdateRatio)};
}

} // namespace

int main(int argc, char** argv)
{
    BenchSandbox sandbox;
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    sandbox.installPluginLook();

    const QString picture = sandbox.filePath(QStringLiteral("harbour.png"));
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    image.save(picture);
    QList<Chronel::Event> events;
    for (int n = 0; n < kCount; ++n)
        events << message(n, picture);

    // The first run loads the theme, fonts and icons; it is not counted.
    measure(events, QPixmap::fromImage(image));
    std::vector<Figures> measured;
    for (int run = 0; run < runs; ++run)
        measured.push_back(measure(events, QPixmap::fromImage(image)));
    const Figures figures = medianOf(measured);
    out << QStringLiteral("%1 messages, median of %2 runs\n"
                          "label pair: %3 ms per pair, %4 KiB\n"
                          "bubble: %5 ms per bubble (first update %6 ms), %7 KiB\n"
                          "bubble / label pair: %8 x (target at most 3 x)\n"
                          "unchanged update / first update: %9 x (target at most 0.5 x)\n")
               .arg(kCount)
               .arg(runs)
               .arg(figures.labels, 0, 'f', 3)
               .arg(figures.labelsKiB, 0, 'f', 1)
               .arg(figures.bubble, 0, 'f', 3)
               .arg(figures.update, 0, 'f', 3)
               .arg(figures.bubbleKiB, 0, 'f', 1)
               .arg(figures.bubbleRatio, 0, 'f', 2)
               .arg(figures.reupdateRatio, 0, 'f', 2);
    return 0;
}
