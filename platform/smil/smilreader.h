#pragma once

#include "smildocument.h"

#include <QByteArray>
#include <QXmlStreamReader>

// Reads SMIL as senders write it into a SmilDocument. Input comes from other phones, so the
// reader refuses entity declarations and bounds nesting and the number of elements it keeps.
class SmilReader
{
public:
    static constexpr int maxDepth = 32;
    static constexpr int maxElements = 10000;

    explicit SmilReader(const QByteArray& content);

    // The document read; check errorString() first.
    SmilDocument read();

    // Empty when the whole input was read without fault.
    QString errorString() const;
    int line() const;
    int column() const;

private:
    void readProlog();
    void readSmil();
    void readHead();
    void readLayout();
    void readMeta();
    void readRegion();
    void readBody();
    void readNode(SmilNode& node, int depth);
    void readChildren(QList<SmilNode>& nodes, QList<SmilRef>& refs, int depth);
    SmilRef readRef(int kind);
    bool countElement();
    QString attribute(const char* name) const;
    SmilUnit length(const char* name) const;

    QXmlStreamReader m_xml;
    SmilDocument m_document;
    int m_elements = 0;
};
