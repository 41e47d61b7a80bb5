#pragma once

#include <QString>
#include <memory>

struct _TrackerSparqlConnection;
struct _TrackerSparqlCursor;

// The Tracker store of this process: one direct connection on a store folder under
// the user's data folder, with the ontology of platform/contentindex/ontology.
// Shared by every QSparqlConnection alive; closed when the last one goes.
class TrackerStore
{
public:
    static std::shared_ptr<TrackerStore> shared();
    static QString storeFolder();
    ~TrackerStore();
    TrackerStore(const TrackerStore&) = delete;
    TrackerStore& operator=(const TrackerStore&) = delete;

    bool isOpen() const { return m_connection != nullptr; }
    _TrackerSparqlCursor* query(const QString& sparql, QString* error);
    bool update(const QString& sparql, QString* error);

private:
    TrackerStore();
    static QString ontologyFolder();
    static bool installOntology(const QString& folder);

    _TrackerSparqlConnection* m_connection = nullptr;
};
