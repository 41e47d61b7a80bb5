#include "smilreader.h"

namespace {

bool isContainer(const QStringRef& name)
{
    return name == QLatin1String("par") || name == QLatin1String("seq");
}

} // namespace

SmilReader::SmilReader(const QByteArray& content)
    : m_xml(content)
{
}

SmilDocument SmilReader::read()
{
    readProlog();
    if (!m_xml.hasError())
        readSmil();
    while (!m_xml.hasError() && !m_xml.atEnd())
        m_xml.readNext();
    return m_document;
}

QString SmilReader::errorString() const
{
    return m_xml.hasError() ? m_xml.errorString() : QString();
}

int SmilReader::line() const
{
    return int(m_xml.lineNumber());
}

int SmilReader::column() const
{
    return int(m_xml.columnNumber());
}

// Up to the document element; a document type may name the SMIL DTD but declare no entities.
void SmilReader::readProlog()
{
    while (m_xml.readNext() != QXmlStreamReader::StartElement) {
        if (m_xml.hasError())
            return;
        if (m_xml.isDTD() && !m_xml.entityDeclarations().isEmpty()) {
            m_xml.raiseError(QStringLiteral("Entity declarations are not allowed in SMIL"));
            return;
        }
    }
}

void SmilReader::readSmil()
{
    if (m_xml.name() != QLatin1String("smil")) {
        m_xml.raiseError(QStringLiteral("The document element is <%1>, not <smil>")
                             .arg(m_xml.name().toString()));
        return;
    }
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("head"))
            readHead();
        else if (m_xml.name() == QLatin1String("body"))
            readBody();
        else
            m_xml.skipCurrentElement();
    }
}

void SmilReader::readHead()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("meta"))
            readMeta();
        else if (m_xml.name() == QLatin1String("layout"))
            readLayout();
        else
            m_xml.skipCurrentElement();
    }
}

void SmilReader::readLayout()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("region"))
            readRegion();
        else
            m_xml.skipCurrentElement();
    }
}

void SmilReader::readMeta()
{
    if (!countElement())
        return;
    SmilMeta meta;
    meta.name = attribute("name");
    meta.content = attribute("content");
    m_document.header.metas.append(meta);
    m_xml.skipCurrentElement();
}

void SmilReader::readRegion()
{
    if (!countElement())
        return;
    SmilRegion region(attribute("id"));
    if (region.name.isEmpty())
        region.name = attribute("regionName");
    region.width = length("width");
    region.height = length("height");
    region.bottom = length("bottom");
    region.top = length("top");
    region.left = length("left");
    region.right = length("right");
    region.fit = attribute("fit");
    m_document.header.regions.append(region);
    m_xml.skipCurrentElement();
}

void SmilReader::readBody()
{
    readChildren(m_document.body.nodes, m_document.body.refs, 0);
}

// The reader stands on the container's start element.
void SmilReader::readNode(SmilNode& node, int depth)
{
    if (depth > maxDepth) {
        m_xml.raiseError(
            QStringLiteral("SMIL containers nest deeper than %1 levels").arg(maxDepth));
        return;
    }
    if (!countElement())
        return;
    node.kind = m_xml.name() == QLatin1String("seq") ? SmilNode::Seq : SmilNode::Par;
    node.duration = attribute("dur");
    readChildren(node.nodes, node.refs, depth);
}

// Containers and media of the body or of a container at this depth; anything else is skipped.
void SmilReader::readChildren(QList<SmilNode>& nodes, QList<SmilRef>& refs, int depth)
{
    while (m_xml.readNextStartElement()) {
        const int kind = SmilRef::kindOfElement(m_xml.name().toString());
        if (isContainer(m_xml.name())) {
            SmilNode node;
            readNode(node, depth + 1);
            nodes.append(node);
        } else if (kind >= 0) {
            refs.append(readRef(kind));
        } else {
            m_xml.skipCurrentElement();
        }
    }
}

SmilRef SmilReader::readRef(int kind)
{
    SmilRef ref;
    if (!countElement())
        return ref;
    ref.kind = kind;
    ref.source = attribute("src");
    ref.region = attribute("region");
    m_xml.skipCurrentElement();
    return ref;
}

bool SmilReader::countElement()
{
    if (++m_elements <= maxElements)
        return true;
    m_xml.raiseError(QStringLiteral("SMIL document has more than %1 elements").arg(maxElements));
    return false;
}

QString SmilReader::attribute(const char* name) const
{
    return m_xml.attributes().value(QLatin1String(name)).toString();
}

SmilUnit SmilReader::length(const char* name) const
{
    return SmilUnit::convert(attribute(name));
}
