// Median time of the UI-thread content-index queries on 10,000 indexed files,
// against a single-row SQLite primary-key select of the same data.
#include "contentindexer.h"
#include "qsparqlconnection.h"
#include "trackerhelper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

struct IndexedFile
{
    QString path;
    QString uri;
    QString mimeType;
};

const QStringList suffixes{"jpg", "png", "3gp", "mp4", "amr", "txt", "vcf"};

QVector<IndexedFile> fillIndex(ContentIndexer& indexer, const QString& folder, int count)
{
    QVector<IndexedFile> files;
    files.reserve(count);
    for (int i = 0; i < count; ++i) {
        IndexedFile file;
        file.path = QStringLiteral("%1/Media/%2/file %3.%4")
                        .arg(folder)
                        .arg(i % 50)
                        .arg(i)
                        .arg(suffixes.at(i % suffixes.size()));
        file.uri = indexer.addFile(file.path);
        files << file;
    }
    return files;
}

bool fillBaseline(QSqlDatabase& db, const QVector<IndexedFile>& files)
{
    QSqlQuery query(db);
    if (!query.exec("CREATE TABLE files (uri TEXT PRIMARY KEY, url TEXT, mime TEXT)"))
        return false;
    db.transaction();
    query.prepare("INSERT INTO files VALUES (?, ?, ?)");
    for (const IndexedFile& file : files) {
        query.addBindValue(file.uri);
        query.addBindValue(ContentIndexer::indexedUrl(QUrl::fromLocalFile(file.path)));
        query.addBindValue(file.mimeType);
        if (!query.exec())
            return false;
    }
    return db.commit();
}

// Outlives the process-wide store, which closes at exit.
QTemporaryDir& dataFolder()
{
    static QTemporaryDir folder;
    return folder;
}

double medianMicroseconds(const QVector<int>& samples, const std::function<void(int)>& call)
{
    QVector<qint64> times;
    times.reserve(samples.size());
    QElapsedTimer timer;
    for (int index : samples) {
        timer.start();
        call(index);
        times << timer.nsecsElapsed();
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times.at(times.size() / 2) / 1000.0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int fileCount = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    const int sampleCount = argc > 2 ? QByteArray(argv[2]).toInt() : 2000;
    QTextStream out(stdout);

    const QTemporaryDir& data = dataFolder();
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    TrackerHelper* helper = TrackerHelper::instance();
    ContentIndexer indexer(*helper->connection());

    QElapsedTimer fillTime;
    fillTime.start();
    QVector<IndexedFile> files = fillIndex(indexer, data.path(), fileCount);
    for (IndexedFile& file : files)
        file.mimeType = helper->mimeTimeByFilename(file.path);
    out << "Indexed " << fileCount << " files in " << fillTime.elapsed() << " ms" << Qt::endl;

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
    db.setDatabaseName(data.filePath("baseline.sqlite"));
    if (!db.open() || !fillBaseline(db, files)) {
        out << "Cannot build the SQLite baseline" << Qt::endl;
        return 1;
    }

    QVector<int> samples;
    for (int i = 0; i < sampleCount; ++i)
        samples << int(QRandomGenerator::global()->bounded(fileCount));

    QSqlQuery select(db);
    select.prepare("SELECT url, mime FROM files WHERE uri = ?");
    const double baseline = medianMicroseconds(samples, [&](int i) {
        select.addBindValue(files.at(i).uri);
        select.exec();
        select.next();
        select.value(0);
        select.value(1);
    });

    QString fileName;
    QString mimeType;
    const QVector<QPair<QString, std::function<void(int)>>> operations{
        {"filenameFromUri",
         [&](int i) { helper->filenameFromUri(QUrl(files.at(i).uri), fileName, mimeType); }},
        {"uriByFilename", [&](int i) { helper->uriByFilename(files.at(i).path); }},
        {"typeByUri", [&](int i) { helper->typeByUri(files.at(i).uri); }},
    };

    out << QStringLiteral("SQLite primary-key select: median %1 us").arg(baseline, 0, 'f', 1)
        << Qt::endl;
    for (const auto& operation : operations) {
        const double median = medianMicroseconds(samples, operation.second);
        out << QStringLiteral("%1: median %2 us, %3 x the SQLite select")
                   .arg(operation.first, -16)
                   .arg(median, 0, 'f', 1)
                   .arg(median / baseline, 0, 'f', 1)
            << Qt::endl;
    }
    return 0;
}
