#include "mmssmilcomposer.h"

#include "smilparser.h"

namespace {

const char* const regionNames[] = {"Text", "Image", "Audio", "Video"};

SmilUnit percent(int value)
{
    SmilUnit unit;
    unit.valid = true;
    unit.unit = SmilUnit::Percent;
    unit.value = value;
    return unit;
}

} // namespace

MmsSmilComposer::MmsSmilComposer(const MmsPipelineFlavour& flavour)
    : m_mediaTop(flavour.mediaRegionTop)
{
}

void MmsSmilComposer::beginSlide(int durationSeconds)
{
    m_slide = SmilNode();
    m_slide.duration = QStringLiteral("%1s").arg(durationSeconds);
}

void MmsSmilComposer::addText(const QString& source)
{
    addReference(SmilRef::Text, TextRegion, source);
}

void MmsSmilComposer::addMedia(MmsContentTypes::CONTENT_TYPE type, const QString& source)
{
    switch (type) {
    case MmsContentTypes::IMAGE:
        addReference(SmilRef::Image, ImageRegion, source);
        break;
    case MmsContentTypes::AUDIO:
        addReference(SmilRef::Audio, AudioRegion, source);
        break;
    case MmsContentTypes::VIDEO:
        addReference(SmilRef::Video, VideoRegion, source);
        break;
    case MmsContentTypes::VCARD:
    case MmsContentTypes::VCALENDAR:
        addReference(SmilRef::Text, TextRegion, source);
        break;
    default:
        break;
    }
}

void MmsSmilComposer::endSlide()
{
    m_slides << m_slide;
}

SmilDocument MmsSmilComposer::document() const
{
    SmilDocument document;
    for (int used = TextRegion; used < RegionCount; ++used) {
        if (m_used[used])
            document.header.regions << region(Region(used));
    }
    document.body.nodes = m_slides;
    return document;
}

QByteArray MmsSmilComposer::content() const
{
    return SmilParser(document()).getContent();
}

void MmsSmilComposer::addReference(int kind, Region region, const QString& source)
{
    SmilRef ref;
    ref.kind = kind;
    ref.source = source;
    ref.region = QLatin1String(regionNames[region]);
    m_slide.refs << ref;
    m_used[region] = true;
}

SmilRegion MmsSmilComposer::region(Region region) const
{
    SmilRegion result(QLatin1String(regionNames[region]));
    result.width = percent(100);
    result.left = percent(0);
    if (region == TextRegion) {
        result.height = percent(30);
        result.top = percent(0);
        result.fit = QStringLiteral("scroll");
        return result;
    }
    result.height = percent(70);
    result.top = percent(region == ImageRegion ? 30 : m_mediaTop);
    result.fit = QStringLiteral("meet");
    return result;
}
