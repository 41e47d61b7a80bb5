#pragma once

#include "qsparqlconnectionoptions.h"
#include "qsparqlquery.h"
#include "qsparqlresult.h"

#include <QObject>
#include <memory>

class TrackerStore;

// A connection to the content index by driver name. "QTRACKER_DIRECT" opens the
// process-wide Tracker store in this process; every other name gives an invalid
// connection whose statements fail.
class QSparqlConnection : public QObject
{
    Q_OBJECT
public:
    explicit QSparqlConnection(const QString& driverName,
                               const QSparqlConnectionOptions& options = QSparqlConnectionOptions(),
                               QObject* parent = nullptr);
    ~QSparqlConnection() override;

    bool isValid() const;
    QString driverName() const { return m_driverName; }
    QSparqlConnectionOptions options() const { return m_options; }

    // Runs the statement to completion before returning; the caller owns the result.
    QSparqlResult* syncExec(const QSparqlQuery& query);

private:
    QString m_driverName;
    QSparqlConnectionOptions m_options;
    std::shared_ptr<TrackerStore> m_store;
};
