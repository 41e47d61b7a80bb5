#include "storage.h"

#include "utils_debug.h"

#include <QDir>
#include <QFile>
#include <sys/statfs.h>
#include <sys/statvfs.h>

namespace mmsui {
namespace utils {

const QString privateStorageFolder = QStringLiteral(".mms/private");

namespace {

const quint64 freeSpaceLimit = 157286400; // 150 MiB
const long fuseMagic = 0x65735546;

// A fresh home has no ".mms" yet; its file system is then the home's own.
QString measuredFolder()
{
    const QString messageStore = QStringLiteral("%1/.mms").arg(QDir::homePath());
    return QFile::exists(messageStore) ? messageStore : QDir::homePath();
}

bool isOnFuse(const QString& path)
{
    struct statfs info;
    if (statfs(path.toUtf8().constData(), &info) == -1) {
        qCWarning(lcUtils) << "Call to \"statfs\" failed on file" << path;
        return false;
    }
    return static_cast<long>(info.f_type) == fuseMagic;
}

PrivateStorageCheck& privateStorageCheck()
{
    static PrivateStorageCheck check = isOnFuse;
    return check;
}

bool measureFreeSpace()
{
    struct statvfs info;
    const int result = statvfs(QFile::encodeName(measuredFolder()).constData(), &info);
    if (result != 0) {
        qCCritical(lcMmsUi).nospace()
            << "[MMS-UI] freeSpaceAvailable unable to get info (err=" << result << ")";
        return false;
    }
    return isFreeSpaceEnough(info.f_bavail, info.f_bsize);
}

FreeSpaceProbe& freeSpaceProbe()
{
    static FreeSpaceProbe probe = measureFreeSpace;
    return probe;
}

} // namespace

bool freeSpaceAvailable()
{
    return freeSpaceProbe()();
}

bool isFreeSpaceEnough(quint64 availableBlocks, quint64 blockSize)
{
    const quint64 freeBytes = availableBlocks * blockSize;
    if (freeBytes <= freeSpaceLimit) {
        qCWarning(lcMmsUi) << "[MMS-UI] No free space available (" << freeBytes << "bytes free)";
        return false;
    }
    qCDebug(lcMmsUi).noquote() << QStringLiteral(
                                      "[MMS-UI] freeSpaceAvailable avail=%1, limit=%3 result=%4")
                                      .arg(freeBytes)
                                      .arg(freeSpaceLimit)
                                      .arg(1);
    return true;
}

bool isFileLocatedInProvateSorage(const QString& path)
{
    return privateStorageCheck()(path);
}

void setFreeSpaceProbe(const FreeSpaceProbe& probe)
{
    freeSpaceProbe() = probe ? probe : measureFreeSpace;
}

void setPrivateStorageCheck(const PrivateStorageCheck& check)
{
    privateStorageCheck() = check ? check : isOnFuse;
}

} // namespace utils
} // namespace mmsui
