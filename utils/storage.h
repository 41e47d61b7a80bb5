#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace mmsui {
namespace utils {

// The private (encrypted) part of the message store, relative to the home directory.
extern const QString privateStorageFolder;

// Is there room under the home directory's ".mms" folder to write a message?
bool freeSpaceAvailable();
// The decision of freeSpaceAvailable() on the numbers of statvfs: more than
// 150 MiB available to unprivileged users.
bool isFreeSpaceEnough(quint64 availableBlocks, quint64 blockSize);
// Replaces the measure of freeSpaceAvailable(); an empty function restores the
// platform's. Tests use it, since a full disk cannot be had on demand.
using FreeSpaceProbe = std::function<bool()>;
void setFreeSpaceProbe(const FreeSpaceProbe& probe);

// Does the file lie on the private storage, a FUSE file system?
bool isFileLocatedInProvateSorage(const QString& path);
// Replaces the check above; an empty function restores the platform's. Tests
// use it, since mounting that file system needs privileges.
using PrivateStorageCheck = std::function<bool(const QString&)>;
void setPrivateStorageCheck(const PrivateStorageCheck& check);

} // namespace utils
} // namespace mmsui
