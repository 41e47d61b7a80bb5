#pragma once

#include <QProcess>

// An ffmpeg or ffprobe run that ends with the service: a service that is
// killed must not leave an encoder writing on.
class FfmpegProcess : public QProcess
{
    Q_OBJECT
public:
    using QProcess::QProcess;

protected:
    void setupChildProcess() override;
};
