#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>

class FfmpegProcess;

// One request to the encoding service: checks it and reads the clip with
// ffprobe (prepare), then re-encodes it with ffmpeg into a 3GP file at or
// below the byte limit (start). A result over the limit is encoded once more
// at a lower rate; a second miss is a failure. Whatever fails or is
// abandoned leaves no output file behind.
class VideoEncodingTask : public QObject
{
    Q_OBJECT
public:
    enum State { Preparing, Ready, Encoding, Done };

    VideoEncodingTask(const QString& inputPath, const QString& outputPath, const QString& profile,
                      qint64 maximumBytes, QObject* parent = nullptr);
    // An encoding still running is ended and its partial file removed.
    ~VideoEncodingTask() override;

    static bool isSupportedProfile(const QString& profile);

    State state() const { return m_state; }
    QString outputPath() const { return m_output; }
    qint64 durationMs() const { return m_durationMs; }

    // prepared() follows.
    void prepare();
    // After a successful prepare; progress() and finished() follow.
    void start();

signals:
    void prepared(bool success, const QString& error);
    // Milliseconds of the clip encoded, of its whole duration.
    void progress(int current, int total);
    void finished(bool success, const QString& error);

private:
    QString requestError() const;
    FfmpegProcess* run(const QString& tool, const QStringList& arguments);
    void onProbeFinished();
    void encodePass(qint64 targetBytes);
    void readProgress();
    void onPassFinished(int exitCode, QProcess::ExitStatus status);
    QString processError() const;
    void fail(const QString& error);
    void end(bool success, const QString& error);

    QString m_input;
    QString m_output;
    QString m_profile;
    qint64 m_maximumBytes;
    State m_state = Preparing;
    qint64 m_durationMs = 0;
    bool m_hasAudio = false;
    qint64 m_targetBytes = 0;
    int m_pass = 0;
    qint64 m_encodedMs = 0;
    QPointer<FfmpegProcess> m_process;
};
