#pragma once

#include <QLoggingCategory>
#include <QString>

// What sets the composer's send pipeline apart from the headless sender's: the
// same steps run for both, with these values as their parameters.
struct MmsPipelineFlavour
{
    // What Q_DECLARE_LOGGING_CATEGORY declares, e.g. lcEditor.
    using LoggingCategory = const QLoggingCategory& (*)();

    // The composer: "[MMS-EDITOR]" lines, 200 bytes counted per part and the slide
    // texts in the size, "cid:" references, media below the text band.
    static MmsPipelineFlavour editor();
    // A sender without a page, logging through its own category and tag: no per-part
    // overhead and no slide texts in the size, parts named by their file names,
    // sound and video from the top of the screen.
    static MmsPipelineFlavour headless(LoggingCategory category, const char* tag);

    // The SMIL source of the part at `partIndex` (0 is the SMIL itself) stored as `fileName`.
    QString reference(int partIndex, const QString& fileName) const;
    // The "identifier" of that part in its part map.
    QString identifier(int partIndex, const QString& fileName) const;

    LoggingCategory category;
    // Begins every line, e.g. "[MMS-EDITOR]"; a literal that outlives the pipeline.
    const char* tag;
    // Bytes added to the size estimate per attachment, for the part's own headers.
    quint32 partOverhead;
    bool countsSlideTexts;
    // Parts are referred to by file name rather than by their number.
    bool referencesByFileName;
    // Where the Audio and Video regions begin, in percent of the height.
    int mediaRegionTop;
};
