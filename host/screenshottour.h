#pragma once

#include <QDir>
#include <QList>
#include <QPair>

#include <functional>

class AbstractPageManager;
class BasePage;

// Shows pages one after the other and saves a picture of the window for
// each, for runs without a display.
class ScreenshotTour
{
public:
    ScreenshotTour(AbstractPageManager* pageManager, const QString& folder);

    void addStop(const QString& name, const std::function<BasePage*()>& makePage);
    // Returns the number of pictures that could not be written.
    int run();

private:
    AbstractPageManager* m_pageManager;
    QDir m_folder;
    QList<QPair<QString, std::function<BasePage*()>>> m_stops;
};
