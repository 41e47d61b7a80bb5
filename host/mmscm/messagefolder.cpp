#include "messagefolder.h"

#include "smilparser.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>

namespace {

const QString kSmilType = QStringLiteral("application/smil");

bool isPresentation(const QFileInfo& entry)
{
    return entry.suffix().compare(QLatin1String("smil"), Qt::CaseInsensitive) == 0;
}

QString fileNameOf(QString reference)
{
    if (reference.startsWith(QLatin1String("cid:"))) {
        reference.remove(0, 4);
    }
    reference.remove(QLatin1Char('<'));
    reference.remove(QLatin1Char('>'));
    return reference;
}

} // namespace

QList<IncomingMessage::Part> MessageFolder::read(const QString& path, QString& error)
{
    const QFileInfo folder(path);
    if (!folder.isDir()) {
        error = QStringLiteral("%1 is not a folder").arg(path);
        return {};
    }
    const QString root = folder.canonicalFilePath();
    const QFileInfoList entries = QDir(root).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QList<IncomingMessage::Part> parts;
    QStringList names;
    QString presentation;
    for (const QFileInfo& entry : entries) {
        error = problemWith(entry, root);
        if (!error.isEmpty()) {
            return {};
        }
        const QString contentId = QLatin1Char('<') + entry.fileName() + QLatin1Char('>');
        names << entry.fileName();
        if (!isPresentation(entry)) {
            parts.append({entry.absoluteFilePath(), contentId,
                          QMimeDatabase().mimeTypeForFile(entry).name()});
        } else if (presentation.isEmpty()) {
            presentation = entry.absoluteFilePath();
            parts.prepend({presentation, contentId, kSmilType});
        } else {
            error = QStringLiteral("%1 holds more than one SMIL presentation").arg(path);
            return {};
        }
    }
    if (parts.isEmpty()) {
        error = QStringLiteral("%1 holds no part files").arg(path);
        return {};
    }
    if (!presentation.isEmpty() && !checkPresentation(presentation, names, error)) {
        return {};
    }
    return parts;
}

QString MessageFolder::problemWith(const QFileInfo& entry, const QString& root)
{
    const QFileInfo target(entry.canonicalFilePath());
    if (entry.canonicalFilePath().isEmpty()) {
        return QStringLiteral("part file %1 is missing").arg(entry.fileName());
    }
    if (target.absolutePath() != root) {
        return QStringLiteral("part file %1 leaves the message folder").arg(entry.fileName());
    }
    if (!target.isFile()) {
        return QStringLiteral("%1 is not a part file").arg(entry.fileName());
    }
    if (!target.isReadable()) {
        return QStringLiteral("part file %1 cannot be read").arg(entry.fileName());
    }
    return QString();
}

bool MessageFolder::checkPresentation(const QString& path, const QStringList& names, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("SMIL presentation %1 cannot be read: %2")
                    .arg(file.fileName(), file.errorString());
        return false;
    }
    QString parseError;
    int line = 0;
    const SmilDocument document = SmilParser(file.readAll()).parse(&parseError, &line, nullptr);
    if (!parseError.isEmpty()) {
        error = QStringLiteral("SMIL presentation %1 cannot be read: %2 (line %3)")
                    .arg(file.fileName(), parseError)
                    .arg(line);
        return false;
    }
    QStringList references = referencesOf(document.body.nodes);
    for (const SmilRef& ref : document.body.refs) {
        references << ref.source;
    }
    for (const QString& reference : references) {
        const QString name = fileNameOf(reference);
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
            name == QLatin1String("..")) {
            error = QStringLiteral("reference %1 leaves the message folder").arg(reference);
            return false;
        }
        if (!names.contains(name)) {
            error = QStringLiteral("reference %1 names no part file").arg(reference);
            return false;
        }
    }
    return true;
}

QStringList MessageFolder::referencesOf(const QList<SmilNode>& nodes)
{
    QStringList references;
    for (const SmilNode& node : nodes) {
        for (const SmilRef& ref : node.refs) {
            references << ref.source;
        }
        references << referencesOf(node.nodes);
    }
    return references;
}
