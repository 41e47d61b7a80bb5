#pragma once

#include <QDir>
#include <QList>

#include <functional>

class AbstractPageManager;
class BasePage;

// Shows pages one after the other and saves a picture of the window for
// each, for runs without a display.
class ScreenshotTour
{
public:
    ScreenshotTour(AbstractPageManager* pageManager, const QString& folder);

    // `isReady`, when given, says when the page shows what the picture is
    // for; the tour waits for it up to a time limit.
    void addStop(const QString& name, const std::function<BasePage*()>& makePage,
                 const std::function<bool(BasePage*)>& isReady = {});
    // Returns the number of pictures that could not be written.
    int run();

private:
    AbstractPageManager* m_pageManager;
    QDir m_folder;
    struct Stop
    {
        QString name;
        std::function<BasePage*()> makePage;
        std::function<bool(BasePage*)> isReady;
    };
    QList<Stop> m_stops;
};
