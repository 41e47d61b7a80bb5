#include "videoencodingservice.h"

#include "videoencodingtask.h"

#include <QDebug>
#include <QTimer>
#include <QUrl>

namespace {

QString localPath(const QString& uri)
{
    return QUrl::fromEncoded(uri.toUtf8()).toLocalFile();
}

} // namespace

VideoEncodingService::VideoEncodingService(QObject* parent)
    : QObject(parent)
{
}

QString VideoEncodingService::createTaskFromUri(const QString& inputUri, const QString& outputUri,
                                                const QString& profile, qlonglong maximumKBytes,
                                                bool requestExplicitUi)
{
    Q_UNUSED(requestExplicitUi)
    const QString taskId = QString::number(++m_lastId);
    auto* task = new VideoEncodingTask(localPath(inputUri), localPath(outputUri), profile,
                                       maximumKBytes * 1024, this);
    m_tasks.insert(taskId, task);
    connect(task, &VideoEncodingTask::prepared, this,
            [=](bool success, const QString& error) { onPrepared(taskId, success, error); });
    connect(task, &VideoEncodingTask::progress, this,
            [=](int current, int total) { emit taskProgress(taskId, current, total); });
    connect(task, &VideoEncodingTask::finished, this,
            [=](bool success, const QString& error) { onFinished(taskId, success, error); });
    QTimer::singleShot(0, task, &VideoEncodingTask::prepare);
    return taskId;
}

void VideoEncodingService::onPrepared(const QString& taskId, bool success, const QString& error)
{
    emit createTaskCompleted(taskId, success, error);
    if (!success) {
        qWarning().noquote() << "[VIDEO-ENCODING] Task" << taskId << "refused:" << error;
        forget(taskId);
    }
}

bool VideoEncodingService::startTask(const QString& taskId)
{
    const VideoEncodingTask* task = m_tasks.value(taskId);
    if (!task || task->state() != VideoEncodingTask::Ready || m_waiting.contains(taskId))
        return false;
    m_waiting.append(taskId);
    QTimer::singleShot(0, this, [=] {
        emit taskQueued(taskId);
        runNext();
    });
    return true;
}

void VideoEncodingService::runNext()
{
    if (m_running || m_waiting.isEmpty())
        return;
    m_running = m_tasks.value(m_waiting.takeFirst());
    if (m_running)
        m_running->start();
}

void VideoEncodingService::onFinished(const QString& taskId, bool success, const QString& error)
{
    const VideoEncodingTask* task = m_tasks.value(taskId);
    const QString resultUri =
        success ? QString::fromLatin1(QUrl::fromLocalFile(task->outputPath()).toEncoded())
                : QString();
    emit taskFinished(taskId, success, resultUri,
                      success ? QStringLiteral("video/3gpp") : QString(), task->durationMs(),
                      error);
    forget(taskId);
    runNext();
}

bool VideoEncodingService::cancelTask(const QString& taskId)
{
    if (!m_tasks.contains(taskId))
        return false;
    // Gone before the reply, partial file and all.
    VideoEncodingTask* task = m_tasks.take(taskId);
    if (m_running == task)
        m_running = nullptr;
    delete task;
    m_waiting.removeAll(taskId);
    QTimer::singleShot(0, this, [=] {
        emit taskFinished(taskId, false, QString(), QString(), 0, QStringLiteral("Cancelled"));
        runNext();
    });
    return true;
}

void VideoEncodingService::forget(const QString& taskId)
{
    m_waiting.removeAll(taskId);
    VideoEncodingTask* task = m_tasks.take(taskId);
    if (m_running == task)
        m_running = nullptr;
    if (task)
        task->deleteLater();
}
