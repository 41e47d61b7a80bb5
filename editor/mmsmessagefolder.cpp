#include "mmsmessagefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace {

// Read by the send checks; the home directory is fixed for the process.
const QString lockFilePath = QStringLiteral("%1/.mms/.lock_backuprestore").arg(QDir::homePath());

const QFileDevice::Permissions writableFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions filledFolder = writableFolder & ~QFileDevice::WriteOwner;
const QFileDevice::Permissions partFile =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

const int maxNameAttempts = 1024;

// Something, even a dangling link, already has this name.
bool occupied(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

MmsMessageFolder::MmsMessageFolder(const QString& token, const MmsPipelineFlavour& flavour)
    : m_flavour(flavour)
    , m_token(token)
{
    if (m_token.isEmpty()) {
        m_token = generateToken();
        qCDebug(m_flavour.category) << m_flavour.tag << "Generated new message token:" << m_token;
    }
    m_path = pathFor(m_token);
}

QString MmsMessageFolder::generateToken()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString MmsMessageFolder::pathFor(const QString& token)
{
    return QStringLiteral("%1/.mms/msg/%2").arg(QDir::homePath(), token);
}

QString MmsMessageFolder::backupLockPath()
{
    return lockFilePath;
}

bool MmsMessageFolder::isStorageLocked()
{
    return QFile::exists(lockFilePath);
}

QString MmsMessageFolder::tempPath() const
{
    return m_path + QStringLiteral("/temp");
}

bool MmsMessageFolder::makeTempFolder() const
{
    return QDir().mkpath(tempPath());
}

bool MmsMessageFolder::prepareMessageFolder()
{
    if (QFileInfo(m_path).isDir()) {
        qCDebug(m_flavour.category)
            << m_flavour.tag << "The directory" << m_path << "already exists.";
        setMode(m_path, writableFolder, true);
        rewind();
        return true;
    }
    if (QDir().mkpath(m_path))
        return true;
    qCCritical(m_flavour.category)
        << m_flavour.tag << "Failed to create message directory" << m_path;
    return false;
}

void MmsMessageFolder::protectMessageFolder()
{
    setMode(m_path, filledFolder, true);
}

void MmsMessageFolder::removeMessageFolder()
{
    if (!m_path.isEmpty())
        deleteDirWithContent(m_path);
}

void MmsMessageFolder::deleteDirWithContent(const QString& path) const
{
    qCDebug(m_flavour.category) << "D: [MMS-DELETER] Removing" << path;
    const QFileInfo folder(QDir::cleanPath(path));
    if (folder.isSymLink()) {
        QFile::remove(folder.filePath());
        return;
    }
    if (!folder.isDir())
        return;
    setMode(folder.filePath(), writableFolder, true);
    const QFileInfoList entries =
        QDir(folder.filePath())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        // A link is checked first: isDir() and isFile() look through it.
        if (entry.isSymLink() || entry.isFile()) {
            QFile::remove(entry.absoluteFilePath());
        } else if (entry.isDir()) {
            deleteDirWithContent(entry.absoluteFilePath());
        } else {
            qCDebug(m_flavour.category)
                << "Unknow fs entry" << entry.absoluteFilePath() << entry.fileName();
        }
    }
    folder.dir().rmdir(folder.fileName());
}

QString MmsMessageFolder::place(const QString& source, const QString& mimeType)
{
    const QString cleanSource = QDir::cleanPath(source);
    if (cleanSource == m_path + QLatin1Char('/') + QFileInfo(source).fileName()) {
        qCDebug(m_flavour.category)
            << m_flavour.tag << "Try to copy attachment file" << source << "into itself, skiping;";
        return source;
    }
    QString target = reusableCopy(cleanSource);
    if (!target.isEmpty()) {
        qCDebug(m_flavour.category)
            << m_flavour.tag << "Attachment file" << source << "is already stored as" << target;
    } else {
        target = uniqueTarget(source);
        if (target.isEmpty()) {
            qCDebug(m_flavour.category)
                << m_flavour.tag << "Failed to copy attachment file, skip this attachment;";
            return QString();
        }
        qCDebug(m_flavour.category)
            << m_flavour.tag << "Attaching file" << source << "with type" << mimeType;
        if (transfer(cleanSource, target, mimeType))
            setMode(target, partFile, false);
    }
    m_claimed.insert(target);
    return target;
}

void MmsMessageFolder::rewind()
{
    for (auto move = m_moves.crbegin(); move != m_moves.crend(); ++move) {
        if (!QFile::rename(move->second, move->first)) {
            qCWarning(m_flavour.category) << m_flavour.tag << "Failed to move attachment file"
                                          << move->second << "back to" << move->first;
        }
    }
    m_moves.clear();
    m_claimed.clear();
}

QString MmsMessageFolder::uniqueTarget(const QString& source) const
{
    const QFileInfo info(source);
    QString target = m_path + QLatin1Char('/') + info.fileName();
    for (int counter = 1; occupied(target); ++counter) {
        if (counter >= maxNameAttempts)
            return QString();
        const QString suffix = info.completeSuffix();
        target = QStringLiteral("%1/%2_%3")
                     .arg(m_path, info.baseName())
                     .arg(counter, 3, 10, QLatin1Char('0'));
        if (!suffix.isEmpty())
            target += QLatin1Char('.') + suffix;
        qCDebug(m_flavour.category) << m_flavour.tag << "Try to use" << target << "file name;";
    }
    return target;
}

// A copy is reused only while it still matches its source in size and no other part
// of this attempt uses it: the same file attached twice still gives two parts.
QString MmsMessageFolder::reusableCopy(const QString& source) const
{
    const QFileInfo original(source);
    const QList<QString> copies = m_copies.values(source);
    for (const QString& copy : copies) {
        const QFileInfo stored(copy);
        if (!m_claimed.contains(copy) && stored.isFile() && !stored.isSymLink() &&
            stored.size() == original.size()) {
            return copy;
        }
    }
    return QString();
}

bool MmsMessageFolder::transfer(const QString& source, const QString& target,
                                const QString& mimeType)
{
    if (isOwnFile(source, mimeType)) {
        if (QFile::rename(source, target)) {
            m_moves.append(qMakePair(source, target));
            return true;
        }
        qCDebug(m_flavour.category)
            << m_flavour.tag << "Failed to move attachment file" << source << "to" << target << ";";
        return false;
    }
    if (QFile::copy(source, target)) {
        m_copies.insert(source, target);
        return true;
    }
    qCDebug(m_flavour.category) << m_flavour.tag << "Failed to copy attachment file" << source
                                << "to" << target << ";";
    return false;
}

// Resized pictures wait in the folder's "temp"; generated cards and calendar entries in
// the system's temporary folder. Nothing else is the pipeline's to move.
bool MmsMessageFolder::isOwnFile(const QString& source, const QString& mimeType) const
{
    if (source.startsWith(m_path + QLatin1Char('/')))
        return true;
    return source.startsWith(QDir::tempPath() + QLatin1Char('/')) &&
           (mimeType == QLatin1String("text/x-vcard") ||
            mimeType == QLatin1String("text/x-vcalendar"));
}

void MmsMessageFolder::setMode(const QString& path, QFileDevice::Permissions mode,
                               bool isFolder) const
{
    QFile file(path);
    if (file.setPermissions(mode))
        return;
    if (isFolder) {
        qCWarning(m_flavour.category)
            << "[MMS-DELETER] failed to chmod dir" << path << "error:" << file.errorString();
    } else {
        qCWarning(m_flavour.category)
            << m_flavour.tag << "failed to chmod file" << path << "error:" << file.errorString();
    }
}
