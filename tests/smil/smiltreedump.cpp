#include "smiltreedump.h"

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
    const std::pair<const char*, const SmilUnit*> lengths[] = {
        {"width", &region.width}, {"height", &region.height}, {"top", &region.top},
        {"left", &region.left},   {"bottom", &region.bottom}, {"right", &region.right}};
    for (const auto& length : lengths) {
        if (length.second->valid)
            words << QLatin1String(length.first) + QLatin1Char('=') + length.second->toString();
    }
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
    const QString region = ref.region.isEmpty() ? QString() : QStringLiteral(" @") + ref.region;
    return QString(depth, QLatin1Char(' ')) + kind + QLatin1Char(' ') + ref.source + region;
}

void SmilTreeDump::describe(const SmilNode& node, int depth, QStringList& lines)
{
    lines << QString(depth, QLatin1Char(' ')) +
                 (node.kind == SmilNode::Seq ? QStringLiteral("seq") : QStringLiteral("par")) +
                 (node.duration.isEmpty() ? QString() : QStringLiteral(" dur=") + node.duration);
    for (const SmilNode& child : node.nodes)
        describe(child, depth + 1, lines);
    for (const SmilRef& ref : node.refs)
        lines << describe(ref, depth + 1);
}
