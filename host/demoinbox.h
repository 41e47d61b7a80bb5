#pragma once

#include "event.h"

#include <QString>

// A message for the demo's phone: a picture and a note from a friend, queued
// in the MMS connection manager, so that the history shows a received
// notification to download. A run finds the message still waiting, or, when
// an earlier run fetched it, has it sent anew, so that every run can show
// the download.
class DemoInbox
{
public:
    // What happened, in a line for the demo's output.
    static QString queue();
    // The demo message in the history; an invalid event when there is none.
    static Chronel::Event message();
};
