#pragma once

#include <QSize>
#include <QStringList>

// How one clip is encoded so that the 3GP file lands at or below a byte
// budget: H.264 baseline video and, when the clip has sound, mono AAC audio,
// at bit rates that the budget spread over the clip's duration allows.
class VideoEncodingPlan
{
public:
    // Below this the picture is no longer worth sending.
    static constexpr int lowestVideoBitRate = 16000;
    static constexpr int audioBitRate = 24000;

    // The plan for a clip of durationMs that must fit into targetBytes.
    static VideoEncodingPlan forClip(qint64 durationMs, bool hasAudio, qint64 targetBytes);

    // False when even the lowest rate would not fit.
    bool fits() const { return m_videoBitRate >= lowestVideoBitRate; }
    int videoBitRate() const { return m_videoBitRate; }
    QSize frameBox() const { return m_frameBox; }

    // ffmpeg's command line; progress goes to standard output as key=value lines.
    QStringList ffmpegArguments(const QString& input, const QString& output) const;

private:
    bool m_hasAudio = false;
    int m_videoBitRate = 0;
    QSize m_frameBox;
};
