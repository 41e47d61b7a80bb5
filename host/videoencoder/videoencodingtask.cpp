#include "videoencodingtask.h"

#include "ffmpegprocess.h"
#include "videoencodingplan.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString mmsProfile = QStringLiteral("com.quenda.mms-video-rich");
// The second pass aims this far below what the first one missed by.
const double secondPassMargin = 0.9;

} // namespace

VideoEncodingTask::VideoEncodingTask(const QString& inputPath, const QString& outputPath,
                                     const QString& profile, qint64 maximumBytes, QObject* parent)
    : QObject(parent)
    , m_input(inputPath)
    , m_output(outputPath)
    , m_profile(profile)
    , m_maximumBytes(maximumBytes)
{
}

VideoEncodingTask::~VideoEncodingTask()
{
    if (m_state == Encoding && m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished();
        QFile::remove(m_output);
    }
}

bool VideoEncodingTask::isSupportedProfile(const QString& profile)
{
    return profile == mmsProfile;
}

QString VideoEncodingTask::requestError() const
{
    if (!isSupportedProfile(m_profile))
        return QStringLiteral("Unknown encoding profile \"%1\"").arg(m_profile);
    if (m_input.isEmpty() || m_output.isEmpty())
        return QStringLiteral("Input and output must be local file URIs");
    if (!QFileInfo(m_input).isFile())
        return QStringLiteral("No such file: %1").arg(m_input);
    if (!QFileInfo(QFileInfo(m_output).path()).isDir())
        return QStringLiteral("No such folder for the result: %1").arg(QFileInfo(m_output).path());
    if (QFileInfo(m_input).canonicalFilePath() == QFileInfo(m_output).absoluteFilePath())
        return QStringLiteral("The result would overwrite the clip");
    if (m_maximumBytes <= 0)
        return QStringLiteral("The maximum size must be above 0 KB");
    return QString();
}

FfmpegProcess* VideoEncodingTask::run(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return nullptr;
    auto* process = new FfmpegProcess(this);
    qInfo().noquote() << "[VIDEO-ENCODING]" << program << arguments.join(QLatin1Char(' '));
    process->start(program, arguments);
    if (!process->waitForStarted()) {
        delete process;
        return nullptr;
    }
    return process;
}

void VideoEncodingTask::prepare()
{
    const QString error = requestError();
    if (!error.isEmpty()) {
        emit prepared(false, error);
        return;
    }
    m_process = run(QStringLiteral("ffprobe"),
                    {"-v", "error", "-show_entries", "format=duration:stream=codec_type", "-of",
                     "default=noprint_wrappers=1", m_input});
    if (!m_process) {
        emit prepared(false, QStringLiteral("ffprobe (from ffmpeg) cannot be run"));
        return;
    }
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &VideoEncodingTask::onProbeFinished);
}

// ffprobe writes "codec_type=video", "codec_type=audio" and "duration=6.000000".
void VideoEncodingTask::onProbeFinished()
{
    m_process->deleteLater();
    bool hasVideo = false;
    const QStringList lines = QString::fromUtf8(m_process->readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        hasVideo = hasVideo || line == QLatin1String("codec_type=video");
        m_hasAudio = m_hasAudio || line == QLatin1String("codec_type=audio");
        if (line.startsWith(QLatin1String("duration=")))
            m_durationMs = static_cast<qint64>(line.midRef(9).toDouble() * 1000);
    }
    if (!hasVideo || m_durationMs <= 0) {
        emit prepared(false, QStringLiteral("Not a video clip: %1").arg(m_input));
        return;
    }
    if (!VideoEncodingPlan::forClip(m_durationMs, m_hasAudio, m_maximumBytes).fits()) {
        emit prepared(false, QStringLiteral("A clip of %1 s cannot fit into %2 KB")
                                 .arg(m_durationMs / 1000.0)
                                 .arg(m_maximumBytes / 1024));
        return;
    }
    m_state = Ready;
    emit prepared(true, QString());
}

void VideoEncodingTask::start()
{
    m_state = Encoding;
    encodePass(m_maximumBytes);
}

void VideoEncodingTask::encodePass(qint64 targetBytes)
{
    ++m_pass;
    m_targetBytes = targetBytes;
    m_encodedMs = 0;
    const VideoEncodingPlan plan =
        VideoEncodingPlan::forClip(m_durationMs, m_hasAudio, targetBytes);
    if (!plan.fits()) {
        fail(QStringLiteral("A clip of %1 s cannot fit into %2 KB")
                 .arg(m_durationMs / 1000.0)
                 .arg(m_maximumBytes / 1024));
        return;
    }
    m_process = run(QStringLiteral("ffmpeg"), plan.ffmpegArguments(m_input, m_output));
    if (!m_process) {
        fail(QStringLiteral("ffmpeg cannot be run"));
        return;
    }
    connect(m_process, &QProcess::readyReadStandardOutput, this, &VideoEncodingTask::readProgress);
    connect(m_process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &VideoEncodingTask::onPassFinished);
}

// ffmpeg's progress blocks: "out_time_us=1234567" ... "progress=continue".
void VideoEncodingTask::readProgress()
{
    while (m_process->canReadLine()) {
        const QByteArray line = m_process->readLine().trimmed();
        if (line.startsWith("out_time_us=")) {
            m_encodedMs = qBound<qint64>(0, line.mid(12).toLongLong() / 1000, m_durationMs);
        } else if (line.startsWith("progress=")) {
            emit progress(static_cast<int>(m_encodedMs), static_cast<int>(m_durationMs));
        }
    }
}

void VideoEncodingTask::onPassFinished(int exitCode, QProcess::ExitStatus status)
{
    m_process->deleteLater();
    if (status != QProcess::NormalExit || exitCode != 0) {
        fail(QStringLiteral("ffmpeg failed: %1").arg(processError()));
        return;
    }
    const qint64 size = QFileInfo(m_output).size();
    if (size <= m_maximumBytes) {
        emit progress(static_cast<int>(m_durationMs), static_cast<int>(m_durationMs));
        end(true, QString());
        return;
    }
    if (m_pass > 1) {
        fail(QStringLiteral("The result of %1 bytes is over the limit of %2 bytes")
                 .arg(size)
                 .arg(m_maximumBytes));
        return;
    }
    qInfo() << "[VIDEO-ENCODING] Result of" << size << "bytes is over" << m_maximumBytes
            << ", encoding again at a lower rate";
    encodePass(
        static_cast<qint64>(m_targetBytes * m_maximumBytes / double(size) * secondPassMargin));
}

QString VideoEncodingTask::processError() const
{
    const QString text = QString::fromUtf8(m_process->readAllStandardError()).trimmed();
    return text.isEmpty() ? m_process->errorString() : text;
}

void VideoEncodingTask::fail(const QString& error)
{
    QFile::remove(m_output);
    end(false, error);
}

void VideoEncodingTask::end(bool success, const QString& error)
{
    m_state = Done;
    if (!success)
        qWarning().noquote() << "[VIDEO-ENCODING] Task failed:" << error;
    emit finished(success, error);
}
