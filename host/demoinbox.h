#pragma once

#include <QString>

// A message for the demo's phone: a picture and a note from a friend, queued
// in the MMS connection manager, so that the history shows a received
// notification to download. Queued once; later runs find it waiting or
// fetched already.
class DemoInbox
{
public:
    // What happened, in a line for the demo's output.
    static QString queue();
};
