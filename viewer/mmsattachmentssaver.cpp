#include "mmsattachmentssaver.h"

#include "storage.h"
#include "viewer_debug.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const int uniqueNameAttempts = 1024;

} // namespace

QList<Chronel::MessagePart>
MmsAttachmentsSaver::saveableParts(const QList<Chronel::MessagePart>& parts)
{
    QList<Chronel::MessagePart> saveable;
    for (const Chronel::MessagePart& part : parts) {
        if (part.contentType().startsWith(QLatin1String("application/smil")) ||
            !QFileInfo(part.contentLocation()).isFile() ||
            mmsui::utils::isFileLocatedInProvateSorage(part.contentLocation())) {
            continue;
        }
        saveable << part;
    }
    return saveable;
}

int MmsAttachmentsSaver::saveInto(const QList<Chronel::MessagePart>& parts, const QString& folder)
{
    int saved = 0;
    for (const Chronel::MessagePart& part : parts) {
        const QString target = uniquePath(folder, QFileInfo(part.contentLocation()).fileName());
        if (target.isEmpty() || !QFile::copy(part.contentLocation(), target)) {
            qCWarning(lcMmsView) << "[MMS-VIEW] Failed to save" << part.contentLocation() << "into"
                                 << folder;
            continue;
        }
        // Part files are read-only in the message folder; the copy is the user's.
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                     QFile::ReadOther);
        ++saved;
    }
    return saved;
}

QString MmsAttachmentsSaver::uniquePath(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    const int dot = fileName.indexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    const QString suffix = dot < 0 ? QString() : fileName.mid(dot);
    QString candidate = dir.filePath(fileName);
    for (int counter = 1; QFileInfo::exists(candidate); ++counter) {
        if (counter >= uniqueNameAttempts) {
            return QString();
        }
        const QString number = QStringLiteral("%1").arg(counter, 3, 10, QLatin1Char('0'));
        candidate = dir.filePath(base + QLatin1Char('_') + number + suffix);
    }
    return candidate;
}
