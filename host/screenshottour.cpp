#include "screenshottour.h"

#include "abstractpagemanager.h"
#include "basepage.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>
#include <QTimer>

#include "tkapplicationwindow.h"

namespace {

const int settleTime = 300;
// Generous: a sanitized build resizes a camera photo in well under this.
const int readyTimeLimit = 90000;

// Lets deferred page building (zero-delay timers) finish before the picture,
// and waits for what the page is to show; false when that does not come in time.
bool settle(AbstractPageManager* pageManager, const std::function<bool(BasePage*)>& isReady)
{
    QElapsedTimer timer;
    timer.start();
    // Wakes the blocking wait below often enough for the time limit; a polling
    // loop would take a core from the workers that the step waits for.
    QTimer tick;
    tick.start(50);
    const auto ready = [&] { return !isReady || isReady(pageManager->currentPage()); };
    while (timer.elapsed() < settleTime || (!ready() && timer.elapsed() < readyTimeLimit)) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return ready();
}

} // namespace

ScreenshotTour::ScreenshotTour(AbstractPageManager* pageManager, const QString& folder)
    : m_pageManager(pageManager)
    , m_folder(folder)
{
}

void ScreenshotTour::addStop(const QString& name, const QString& what,
                             const std::function<BasePage*()>& makePage,
                             const std::function<bool(BasePage*)>& isReady)
{
    m_stops.append({name, what, makePage, {}, isReady});
}

void ScreenshotTour::addStep(const QString& name, const QString& what,
                             const std::function<void()>& act,
                             const std::function<bool(BasePage*)>& isReady)
{
    m_stops.append({name, what, {}, act, isReady});
}

int ScreenshotTour::run()
{
    if (!m_folder.isEmpty()) {
        QDir().mkpath(m_folder);
    }
    for (const Stop& stop : qAsConst(m_stops)) {
        if (!runStop(stop)) {
            return 1;
        }
    }
    return 0;
}

bool ScreenshotTour::runStop(const Stop& stop)
{
    QTextStream err(stderr);
    QElapsedTimer timer;
    timer.start();
    if (stop.act) {
        stop.act();
    } else if (stop.makePage) {
        BasePage* page = stop.makePage();
        if (!page) {
            err << "dravel-host: step " << stop.name << ": the plug-in made no page\n";
            return false;
        }
        m_pageManager->showPage(page);
    }
    if (!settle(m_pageManager, stop.isReady)) {
        err << "dravel-host: step " << stop.name << " (" << stop.what
            << ") did not complete within " << readyTimeLimit / 1000 << " s\n";
        return false;
    }
    QTextStream(stdout) << stop.name << ": " << stop.what << " ("
                        << QString::number(timer.elapsed() / 1000.0, 'f', 2) << " s)\n";
    if (!m_folder.isEmpty() && !savePicture(stop.name)) {
        err << "dravel-host: step " << stop.name << ": the picture cannot be written into "
            << m_folder << '\n';
        return false;
    }
    return true;
}

// The window with the dialogs shown over it, as the person sees them.
bool ScreenshotTour::savePicture(const QString& name) const
{
    TkApplicationWindow* window = m_pageManager->applicationWindow();
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(widget) && widget->isVisible()) {
            const QPoint offset = widget->geometry().topLeft() - window->geometry().topLeft();
            painter.drawPixmap(offset, widget->grab());
        }
    }
    painter.end();
    return picture.save(QDir(m_folder).filePath(name + QStringLiteral(".png")));
}
