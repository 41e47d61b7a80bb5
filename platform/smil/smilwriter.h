#pragma once

#include "smildocument.h"

#include <QByteArray>
#include <QXmlStreamWriter>

// Writes a SmilDocument as a SMIL 2.0 document: XML declaration, indentation of 1.
class SmilWriter
{
public:
    explicit SmilWriter(const SmilDocument& document);

    QByteArray write();

private:
    void writeHead();
    void writeRegion(const SmilRegion& region);
    void writeBody();
    void writeNode(const SmilNode& node);
    void writeRefs(const QList<SmilRef>& refs);
    void writeLength(const char* name, const SmilUnit& length);
    void writeOptional(const char* name, const QString& value);

    const SmilDocument& m_document;
    QByteArray m_content;
    QXmlStreamWriter m_xml;
};
