#include "qsparqlresult.h"

#include "contentindex_debug.h"

#undef signals
#include <libtracker-sparql/tracker-sparql.h>

QSparqlResult::QSparqlResult(TrackerSparqlCursor* cursor)
    : m_cursor(cursor)
{
}

QSparqlResult::QSparqlResult(const QString& error)
    : m_error(error)
{
}

QSparqlResult::~QSparqlResult()
{
    if (m_cursor)
        g_object_unref(m_cursor);
}

bool QSparqlResult::next()
{
    if (!m_cursor)
        return false;
    GError* error = nullptr;
    m_onRow = tracker_sparql_cursor_next(m_cursor, nullptr, &error);
    if (error) {
        m_error = QString::fromUtf8(error->message);
        qCWarning(lcContentIndex) << "Reading a row failed:" << m_error;
        g_clear_error(&error);
    }
    return m_onRow;
}

QVariant QSparqlResult::value(int column) const
{
    if (!m_onRow || column < 0 || column >= tracker_sparql_cursor_get_n_columns(m_cursor) ||
        !tracker_sparql_cursor_is_bound(m_cursor, column))
        return QVariant();
    glong length = 0;
    const gchar* text = tracker_sparql_cursor_get_string(m_cursor, column, &length);
    return QString::fromUtf8(text, int(length));
}
