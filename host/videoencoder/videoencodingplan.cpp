#include "videoencodingplan.h"

namespace {

// The 3GP container, its sample tables and the rate control's slack.
const double containerShare = 0.93;
const qint64 containerBytes = 2048;
// Above this the picture gains nothing a phone screen would show.
const int highestVideoBitRate = 1000000;
const int frameRate = 15;

QSize frameBoxFor(int videoBitRate)
{
    if (videoBitRate >= 200000)
        return QSize(352, 288);
    if (videoBitRate >= 64000)
        return QSize(320, 240);
    return QSize(176, 144);
}

} // namespace

VideoEncodingPlan VideoEncodingPlan::forClip(qint64 durationMs, bool hasAudio, qint64 targetBytes)
{
    VideoEncodingPlan plan;
    plan.m_hasAudio = hasAudio;
    const qint64 usableBytes = static_cast<qint64>(targetBytes * containerShare) - containerBytes;
    if (durationMs <= 0 || usableBytes <= 0)
        return plan;
    const qint64 totalBitRate = usableBytes * 8 * 1000 / durationMs;
    const qint64 videoBitRate = totalBitRate - (hasAudio ? audioBitRate : 0);
    plan.m_videoBitRate = static_cast<int>(qBound<qint64>(0, videoBitRate, highestVideoBitRate));
    plan.m_frameBox = frameBoxFor(plan.m_videoBitRate);
    return plan;
}

QStringList VideoEncodingPlan::ffmpegArguments(const QString& input, const QString& output) const
{
    const QString rate = QString::number(m_videoBitRate);
    // Fit into the box keeping the aspect ratio, on even sizes as H.264 wants.
    const QString filters = QStringLiteral("scale=%1:%2:force_original_aspect_ratio=decrease,"
                                           "scale=trunc(iw/2)*2:trunc(ih/2)*2,fps=%3")
                                .arg(m_frameBox.width())
                                .arg(m_frameBox.height())
                                .arg(frameRate);
    QStringList arguments{"-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-i", input,
                          "-map", "0:v:0", "-vf", filters,
                          // A constrained rate keeps every stretch of the clip
                          // within the budget.
                          "-c:v", "libx264", "-preset", "veryfast", "-profile:v", "baseline",
                          "-pix_fmt", "yuv420p", "-b:v", rate, "-maxrate", rate, "-bufsize", rate};
    if (m_hasAudio) {
        arguments << "-map"
                  << "0:a:0"
                  << "-c:a"
                  << "aac"
                  << "-b:a" << QString::number(audioBitRate) << "-ac"
                  << "1"
                  << "-ar"
                  << "16000";
    } else {
        arguments << "-an";
    }
    arguments << "-f"
              << "3gp"
              << "-progress"
              << "pipe:1"
              << "-stats_period"
              << "0.25"
              << "-nostats" << output;
    return arguments;
}
