#include "smilparser.h"

#include "smilreader.h"
#include "smilwriter.h"

SmilParser::SmilParser(const QByteArray& content)
    : m_content(content)
{
}

SmilParser::SmilParser(const SmilDocument& document)
    : m_document(document)
{
}

SmilDocument SmilParser::parse(QString* error, int* line, int* column)
{
    SmilReader reader(m_content);
    const SmilDocument document = reader.read();
    const QString message = reader.errorString();
    m_document = message.isEmpty() ? document : SmilDocument();
    if (error)
        *error = message;
    if (line)
        *line = message.isEmpty() ? 0 : reader.line();
    if (column)
        *column = message.isEmpty() ? 0 : reader.column();
    return m_document;
}

QByteArray SmilParser::getContent() const
{
    return SmilWriter(m_document).write();
}
