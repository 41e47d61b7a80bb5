#pragma once

#include <QFile>

#include <sys/stat.h>

// The permission bits of the path itself (a link is not followed), or -1.
inline int fileMode(const QString& path)
{
    struct stat status;
    return lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                    : -1;
}
