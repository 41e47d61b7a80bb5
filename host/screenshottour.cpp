#include "screenshottour.h"

#include "abstractpagemanager.h"
#include "basepage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "tkapplicationwindow.h"

namespace {

const int settleTime = 300;
const int readyTimeLimit = 20000;

// Lets deferred page building (zero-delay timers) finish before the picture,
// and waits for what the page is to show.
void settle(BasePage* page, const std::function<bool(BasePage*)>& isReady)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < settleTime ||
           (isReady && !isReady(page) && timer.elapsed() < readyTimeLimit)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

} // namespace

ScreenshotTour::ScreenshotTour(AbstractPageManager* pageManager, const QString& folder)
    : m_pageManager(pageManager)
    , m_folder(folder)
{
}

void ScreenshotTour::addStop(const QString& name, const std::function<BasePage*()>& makePage,
                             const std::function<bool(BasePage*)>& isReady)
{
    m_stops.append({name, makePage, isReady});
}

int ScreenshotTour::run()
{
    QTextStream out(stdout);
    m_folder.mkpath(QStringLiteral("."));
    int failures = 0;
    for (const Stop& stop : m_stops) {
        BasePage* page = stop.makePage();
        if (!page) {
            out << "skipped " << stop.name << ": the plug-in made no page\n";
            continue;
        }
        m_pageManager->showPage(page);
        settle(page, stop.isReady);
        const QString file = m_folder.filePath(stop.name + QStringLiteral(".png"));
        if (m_pageManager->applicationWindow()->grab().save(file)) {
            out << "wrote " << file << '\n';
        } else {
            out << "could not write " << file << '\n';
            ++failures;
        }
    }
    return failures;
}
