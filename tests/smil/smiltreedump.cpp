#include "smiltreedump.h"

namespace {

void addLength(QStringList& words, const char* name, const SmilUnit& length)
{
    if (length.valid)
        words << QLatin1String(name) + QLatin1Char('=') + length.toString();
}

} // namespace

QStringList SmilTreeDump::describe(const SmilDocument& document)
{
    QStringList lines;
    for (const SmilMeta& meta : document.header.metas)
        lines << QStringLiteral("meta %1=%2").arg(meta.name, meta.content);
    for (const SmilRegion& region : document.header.regions)
        lines << describe(region);
    for (const SmilNode& node : document.body.nodes)
        describe(node, 0, lines);
    for (const SmilRef& ref : document.body.refs)
        lines << describe(ref, 0);
    return lines;
}

QString SmilTreeDump::describe(const SmilRegion& region)
{
    QStringList words{QStringLiteral("region"), region.name};
    addLength(words, "width", region.width);
    addLength(words, "height", region.height);
    addLength(words, "top", region.top);
    addLength(words, "left", region.left);
    addLength(words, "bottom", region.bottom);
    addLength(words, "right", region.right);
    if (!region.fit.isEmpty())
        words << QStringLiteral("fit=") + region.fit;
    return words.join(QLatin1Char(' '));
}

QString SmilTreeDump::describe(const SmilRef& ref, int depth)
{
    static const char* const kinds[] = {"text", "image", "audio", "video", "other"};
    const QString kind = ref.kind >= 0 && ref.kind <= SmilRef::Other
                             ? QLatin1String(kinds[ref.kind])
                             : QStringLiteral("kind%1").arg(ref.kind);
    QString line = QString(depth, QLatin1Char(' ')) + kind + QLatin1Char(' ') + ref.source;
    if (!ref.region.isEmpty())
        line += QStringLiteral(" @") + ref.region;
    return line;
}

void SmilTreeDump::describe(const SmilNode& node, int depth, QStringList& lines)
{
    QString line = QString(depth, QLatin1Char(' ')) +
                   (node.kind == SmilNode::Seq ? QStringLiteral("seq") : QStringLiteral("par"));
    if (!node.duration.isEmpty())
        line += QStringLiteral(" dur=") + node.duration;
    lines << line;
    for (const SmilNode& child : node.nodes)
        describe(child, depth + 1, lines);
    for (const SmilRef& ref : node.refs)
        lines << describe(ref, depth + 1);
}
