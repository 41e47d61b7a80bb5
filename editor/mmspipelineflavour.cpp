#include "mmspipelineflavour.h"

#include "editor_debug.h"

MmsPipelineFlavour MmsPipelineFlavour::editor()
{
    return {lcEditor, "[MMS-EDITOR]", 200, true, false, 30};
}

MmsPipelineFlavour MmsPipelineFlavour::headless(LoggingCategory category, const char* tag)
{
    return {category, tag, 0, false, true, 0};
}

QString MmsPipelineFlavour::reference(int partIndex, const QString& fileName) const
{
    return referencesByFileName ? fileName : QStringLiteral("cid:%1").arg(partIndex);
}

QString MmsPipelineFlavour::identifier(int partIndex, const QString& fileName) const
{
    const QString name = referencesByFileName ? fileName : QStringLiteral("<%1>").arg(partIndex);
    // The part number padded to three digits, then a constant 1.
    return QStringLiteral("sindex:%1").arg(partIndex, 3, 10, QLatin1Char('0')) +
           QStringLiteral("1;") + name;
}
