#pragma once

#include "smildocument.h"

#include <QByteArray>

// The SMIL library's entry point, in both directions: reads a presentation from its text,
// or writes one from a document model.
class SmilParser
{
public:
    explicit SmilParser(const QByteArray& content);
    explicit SmilParser(const SmilDocument& document);

    // Reads the text given at construction. On failure *error is set to a non-empty message
    // and *line and *column to where reading stopped, and the document is empty; any of the
    // pointers may be null.
    SmilDocument parse(QString* error, int* line, int* column);

    // The document given at construction, as UTF-8 SMIL text ready to be stored.
    QByteArray getContent() const;

private:
    QByteArray m_content;
    SmilDocument m_document;
};
