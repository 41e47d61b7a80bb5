#include "mmsgeneratedfile.h"

#include <QFile>
#include <QTemporaryFile>

QString MmsGeneratedFile::fileStem(const QString& name)
{
    QString stem = name.simplified();
    stem.replace(QLatin1Char(' '), QLatin1Char('_'));
    stem.replace(QLatin1Char('/'), QLatin1Char('_'));
    return stem;
}

QFile* MmsGeneratedFile::create(const QString& folder, const QString& name, const QString& stem,
                                const QString& suffix, QObject* parent)
{
    const QString fileStem = MmsGeneratedFile::fileStem(name);
    if (fileStem.isEmpty()) {
        auto* file =
            new QTemporaryFile(QStringLiteral("%1/%2XXXXXX.%3").arg(folder, stem, suffix), parent);
        file->setAutoRemove(false);
        if (file->open())
            return file;
        delete file;
        return nullptr;
    }
    QString path = QStringLiteral("%1/%2.%3").arg(folder, fileStem, suffix);
    for (int counter = 0; QFile::exists(path); ++counter)
        path = QStringLiteral("%1/%2%3.%4").arg(folder, fileStem).arg(counter).arg(suffix);
    auto* file = new QFile(path, parent);
    if (file->open(QIODevice::ReadWrite | QIODevice::NewOnly))
        return file;
    delete file;
    return nullptr;
}
