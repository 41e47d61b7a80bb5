#pragma once

#include <QDir>
#include <QList>

#include <functional>

class AbstractPageManager;
class BasePage;

// Runs the demo step by step: each step shows a page or acts on the one
// shown, waits until the page shows what the step is for, prints a line with
// what happened and how long it took, and, given a folder, saves a picture of
// the window. A step that does not complete in time ends the tour.
class ScreenshotTour
{
public:
    // An empty folder: no pictures, for a run on a display.
    ScreenshotTour(AbstractPageManager* pageManager, const QString& folder);

    // Shows the page `makePage` makes; `isReady`, when given, says when it
    // shows what the picture is for.
    void addStop(const QString& name, const QString& what,
                 const std::function<BasePage*()>& makePage,
                 const std::function<bool(BasePage*)>& isReady = {});
    // Runs `act`, when given, and waits for `isReady` on the page shown then.
    void addStep(const QString& name, const QString& what, const std::function<void()>& act,
                 const std::function<bool(BasePage*)>& isReady);
    // 0 when every step completed and every picture was written; otherwise
    // a message naming the step went to the error output.
    int run();

private:
    struct Stop
    {
        QString name;
        QString what;
        std::function<BasePage*()> makePage;
        std::function<void()> act;
        std::function<bool(BasePage*)> isReady;
    };
    bool runStop(const Stop& stop);
    bool savePicture(const QString& name) const;

    AbstractPageManager* m_pageManager;
    QString m_folder;
    QList<Stop> m_stops;
};
