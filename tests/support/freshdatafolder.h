#pragma once

#include <QTemporaryDir>

// Points the user's data folder (XDG_DATA_HOME) at a folder of this run,
// removed at exit, so that the content index and the calendar start empty.
// Call before the first use of either; the folder outlives the process-wide
// content-index store, which closes at exit.
inline bool useFreshDataFolder()
{
    static QTemporaryDir folder;
    return folder.isValid() && qputenv("XDG_DATA_HOME", folder.path().toUtf8());
}
