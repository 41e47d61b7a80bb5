#pragma once

#include <QString>
#include <QVariant>

struct _TrackerSparqlCursor;

// The rows of one select, read forward one at a time from the index. An update
// or a failed statement yields a result without rows.
class QSparqlResult
{
public:
    explicit QSparqlResult(_TrackerSparqlCursor* cursor);
    explicit QSparqlResult(const QString& error);
    ~QSparqlResult();
    QSparqlResult(const QSparqlResult&) = delete;
    QSparqlResult& operator=(const QSparqlResult&) = delete;

    bool next();
    // The column of the current row as text; invalid when unbound or out of range.
    QVariant value(int column) const;
    bool hasError() const { return !m_error.isEmpty(); }
    QString lastError() const { return m_error; }

private:
    _TrackerSparqlCursor* m_cursor = nullptr;
    bool m_onRow = false;
    QString m_error;
};
