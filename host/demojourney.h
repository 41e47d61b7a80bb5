#pragma once

#include "event.h"

#include <QString>

#include <functional>

class AbstractPageManager;
class BasePage;
class ScreenshotTour;

// What the product is for, from end to end: a message with a camera photo,
// a contact card and text goes to the loopback contact, whose phone (played
// by the connection manager) reports it sent and delivered and sends it back;
// the copy is downloaded, read, and its read report turns the sent message
// to read.
class DemoJourney
{
public:
    DemoJourney(AbstractPageManager* pageManager, const QString& photo, const QString& card);

    // The steps, after the home page that `home` makes.
    void addTo(ScreenshotTour& tour, BasePage* home);

private:
    BasePage* composer() const;
    void send();
    void answerReadReportQuestion();
    // The newest message of the loopback conversation in this direction since
    // the journey began; an invalid event when there is none.
    Chronel::Event newest(Chronel::Event::EventDirection direction) const;
    bool sentMessageIs(const std::function<bool(const Chronel::Event&)>& state) const;

    AbstractPageManager* m_pageManager;
    QString m_photo;
    QString m_card;
    // Events up to this one were there before the journey.
    int m_lastEarlierEvent = -1;
};
