#include "screenshottour.h"

#include "abstractpagemanager.h"
#include "basepage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "tkapplicationwindow.h"

namespace {

// Lets deferred page building (zero-delay timers) finish before the picture.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

} // namespace

ScreenshotTour::ScreenshotTour(AbstractPageManager* pageManager, const QString& folder)
    : m_pageManager(pageManager)
    , m_folder(folder)
{
}

void ScreenshotTour::addStop(const QString& name, const std::function<BasePage*()>& makePage)
{
    m_stops.append({name, makePage});
}

int ScreenshotTour::run()
{
    QTextStream out(stdout);
    m_folder.mkpath(QStringLiteral("."));
    int failures = 0;
    for (const auto& stop : m_stops) {
        BasePage* page = stop.second();
        if (!page) {
            out << "skipped " << stop.first << ": the plug-in made no page\n";
            continue;
        }
        m_pageManager->showPage(page);
        settle();
        const QString file = m_folder.filePath(stop.first + QStringLiteral(".png"));
        if (m_pageManager->applicationWindow()->grab().save(file)) {
            out << "wrote " << file << '\n';
        } else {
            out << "could not write " << file << '\n';
            ++failures;
        }
    }
    return failures;
}
