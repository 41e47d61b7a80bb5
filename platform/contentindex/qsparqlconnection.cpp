#include "qsparqlconnection.h"

#include "contentindex_debug.h"
#include "trackerstore.h"

QSparqlConnection::QSparqlConnection(const QString& driverName,
                                     const QSparqlConnectionOptions& options, QObject* parent)
    : QObject(parent)
    , m_driverName(driverName)
    , m_options(options)
{
    if (driverName == QLatin1String("QTRACKER_DIRECT"))
        m_store = TrackerStore::shared();
    else
        qCWarning(lcContentIndex) << "No SPARQL driver named" << driverName;
}

QSparqlConnection::~QSparqlConnection() = default;

bool QSparqlConnection::isValid() const
{
    return m_store && m_store->isOpen();
}

QSparqlResult* QSparqlConnection::syncExec(const QSparqlQuery& query)
{
    if (!m_store)
        return new QSparqlResult(QStringLiteral("no driver"));
    QString error;
    if (query.isUpdate()) {
        if (!m_store->update(query.query(), &error))
            qCWarning(lcContentIndex) << "Update failed:" << error;
        return new QSparqlResult(error);
    }
    _TrackerSparqlCursor* cursor = m_store->query(query.query(), &error);
    if (!cursor) {
        qCWarning(lcContentIndex) << "Query failed:" << error;
        return new QSparqlResult(error);
    }
    return new QSparqlResult(cursor);
}
