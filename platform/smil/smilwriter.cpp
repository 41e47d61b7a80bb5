#include "smilwriter.h"

SmilWriter::SmilWriter(const SmilDocument& document)
    : m_document(document)
    , m_xml(&m_content)
{
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(1);
}

QByteArray SmilWriter::write()
{
    m_xml.writeStartDocument();
    m_xml.writeStartElement(QStringLiteral("smil"));
    m_xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2001/SMIL20/Language"));
    writeHead();
    writeBody();
    m_xml.writeEndDocument();
    return m_content;
}

void SmilWriter::writeHead()
{
    m_xml.writeStartElement(QStringLiteral("head"));
    for (const SmilMeta& meta : m_document.header.metas) {
        m_xml.writeEmptyElement(QStringLiteral("meta"));
        m_xml.writeAttribute(QStringLiteral("name"), meta.name);
        m_xml.writeAttribute(QStringLiteral("content"), meta.content);
    }
    if (!m_document.header.regions.isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("layout"));
        for (const SmilRegion& region : m_document.header.regions)
            writeRegion(region);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void SmilWriter::writeRegion(const SmilRegion& region)
{
    m_xml.writeEmptyElement(QStringLiteral("region"));
    m_xml.writeAttribute(QStringLiteral("id"), region.name);
    writeLength("width", region.width);
    writeLength("height", region.height);
    writeLength("top", region.top);
    writeLength("left", region.left);
    writeLength("bottom", region.bottom);
    writeLength("right", region.right);
    writeOptional("fit", region.fit);
}

void SmilWriter::writeBody()
{
    m_xml.writeStartElement(QStringLiteral("body"));
    for (const SmilNode& node : m_document.body.nodes)
        writeNode(node);
    writeRefs(m_document.body.refs);
    m_xml.writeEndElement();
}

// Nested containers come before the node's own media, the order in which slides are placed.
void SmilWriter::writeNode(const SmilNode& node)
{
    m_xml.writeStartElement(node.kind == SmilNode::Seq ? QStringLiteral("seq")
                                                       : QStringLiteral("par"));
    writeOptional("dur", node.duration);
    for (const SmilNode& child : node.nodes)
        writeNode(child);
    writeRefs(node.refs);
    m_xml.writeEndElement();
}

void SmilWriter::writeRefs(const QList<SmilRef>& refs)
{
    for (const SmilRef& ref : refs) {
        m_xml.writeEmptyElement(SmilRef::elementName(ref.kind));
        m_xml.writeAttribute(QStringLiteral("src"), ref.source);
        writeOptional("region", ref.region);
    }
}

void SmilWriter::writeLength(const char* name, const SmilUnit& length)
{
    writeOptional(name, length.toString());
}

void SmilWriter::writeOptional(const char* name, const QString& value)
{
    if (!value.isEmpty())
        m_xml.writeAttribute(QLatin1String(name), value);
}
