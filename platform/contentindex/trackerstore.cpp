#include "trackerstore.h"

#include "contentindex_debug.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

// GLib names a structure member "signals", which Qt defines as a keyword.
#undef signals
#include <libtracker-sparql/tracker-sparql.h>

static void initOntologyResource()
{
    Q_INIT_RESOURCE(contentindex_ontology);
}

namespace {

QString takeError(GError* error)
{
    const QString text = QString::fromUtf8(error ? error->message : "unknown error");
    g_clear_error(&error);
    return text;
}

GFile* fileFor(const QString& folder)
{
    return g_file_new_for_path(QFile::encodeName(folder).constData());
}

} // namespace

std::shared_ptr<TrackerStore> TrackerStore::shared()
{
    static std::weak_ptr<TrackerStore> current;
    std::shared_ptr<TrackerStore> store = current.lock();
    if (!store) {
        store.reset(new TrackerStore);
        current = store;
    }
    return store;
}

QString TrackerStore::storeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/dravel/contentindex/store");
}

QString TrackerStore::ontologyFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/dravel/contentindex/ontology");
}

// Tracker reads the ontology from a folder; the files travel inside the library
// and are written out only when they differ, so that the store sees no change.
bool TrackerStore::installOntology(const QString& folder)
{
    initOntologyResource();
    if (!QDir().mkpath(folder))
        return false;
    const QDir source(QStringLiteral(":/contentindex/ontology"));
    for (const QString& name : source.entryList(QDir::Files)) {
        QFile in(source.filePath(name));
        if (!in.open(QIODevice::ReadOnly))
            return false;
        const QByteArray content = in.readAll();
        QFile out(folder + QLatin1Char('/') + name);
        if (out.open(QIODevice::ReadOnly) && out.readAll() == content)
            continue;
        out.close();
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(content) < 0)
            return false;
    }
    return true;
}

TrackerStore::TrackerStore()
{
    const QString store = storeFolder();
    const QString ontology = ontologyFolder();
    if (!QDir().mkpath(store) || !installOntology(ontology)) {
        qCWarning(lcContentIndex) << "Cannot prepare the content index folders under" << store;
        return;
    }
    GFile* storeFile = fileFor(store);
    GFile* ontologyFile = fileFor(ontology);
    GError* error = nullptr;
    m_connection = tracker_sparql_connection_new(TRACKER_SPARQL_CONNECTION_FLAGS_NONE, storeFile,
                                                 ontologyFile, nullptr, &error);
    g_object_unref(storeFile);
    g_object_unref(ontologyFile);
    if (!m_connection)
        qCWarning(lcContentIndex) << "Cannot open the content index:" << takeError(error);
}

TrackerStore::~TrackerStore()
{
    if (!m_connection)
        return;
    tracker_sparql_connection_close(m_connection);
    g_object_unref(m_connection);
}

TrackerSparqlCursor* TrackerStore::query(const QString& sparql, QString* error)
{
    if (!m_connection) {
        *error = QStringLiteral("content index not open");
        return nullptr;
    }
    GError* gerror = nullptr;
    TrackerSparqlCursor* cursor = tracker_sparql_connection_query(
        m_connection, sparql.toUtf8().constData(), nullptr, &gerror);
    if (!cursor)
        *error = takeError(gerror);
    return cursor;
}

bool TrackerStore::update(const QString& sparql, QString* error)
{
    if (!m_connection) {
        *error = QStringLiteral("content index not open");
        return false;
    }
    GError* gerror = nullptr;
    tracker_sparql_connection_update(m_connection, sparql.toUtf8().constData(), nullptr, &gerror);
    if (gerror) {
        *error = takeError(gerror);
        return false;
    }
    return true;
}
