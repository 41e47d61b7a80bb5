#pragma once

#include "mmscontenttypes.h"
#include "mmspipelineflavour.h"
#include "smildocument.h"

#include <QByteArray>
#include <QString>

// Builds the presentation of an outgoing message, one slide per attachment: the text
// band on the upper 30% and media below it (or, for the flavour that says so, sound
// and video from the top). Only the regions some slide uses are declared.
class MmsSmilComposer
{
public:
    explicit MmsSmilComposer(const MmsPipelineFlavour& flavour);

    // Starts a slide that plays for `durationSeconds`.
    void beginSlide(int durationSeconds);
    // The slide's text, from the part named by `source`.
    void addText(const QString& source);
    // The attachment itself: pictures, sound and video in their regions, cards and
    // calendar entries as text; other types get no reference.
    void addMedia(MmsContentTypes::CONTENT_TYPE type, const QString& source);
    void endSlide();

    SmilDocument document() const;
    // The SMIL text to store as 0.smil.
    QByteArray content() const;

private:
    enum Region { TextRegion, ImageRegion, AudioRegion, VideoRegion, RegionCount };

    void addReference(int kind, Region region, const QString& source);
    SmilRegion region(Region region) const;

    int m_mediaTop;
    SmilNode m_slide;
    QList<SmilNode> m_slides;
    bool m_used[RegionCount] = {};
};
