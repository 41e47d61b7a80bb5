#pragma once

#include <QStringList>

// Puts a few files of the kinds a phone holds (photos, a note, a contact
// card) into the user's folders and into the content index, the way the phone's indexer
// would, and an entry into the calendar, so that the plug-in's pages have
// real content to show.
class DemoContent
{
public:
    // Returns the files that are in the index afterwards.
    static QStringList create();
};
