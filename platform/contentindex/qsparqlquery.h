#pragma once

#include <QString>

// One SPARQL statement: a select that yields rows, or an update that changes the index.
class QSparqlQuery
{
public:
    enum StatementType { SelectStatement, InsertStatement, DeleteStatement };

    explicit QSparqlQuery(const QString& text = QString(), StatementType type = SelectStatement)
        : m_text(text)
        , m_type(type)
    {
    }

    QString query() const { return m_text; }
    void setQuery(const QString& text) { m_text = text; }
    StatementType type() const { return m_type; }
    void setType(StatementType type) { m_type = type; }
    bool isUpdate() const { return m_type != SelectStatement; }

private:
    QString m_text;
    StatementType m_type;
};
