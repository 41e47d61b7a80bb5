#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class VideoEncodingTask;

// The platform's video encoding service, "com.quenda.VideoEncoding" at "/":
// tasks are created from file URIs, checked, and encoded one at a time in the
// order they were started. Every signal follows the reply of the call that
// caused it.
class VideoEncodingService : public QObject
{
    Q_OBJECT
public:
    explicit VideoEncodingService(QObject* parent = nullptr);

public slots:
    QString createTaskFromUri(const QString& inputUri, const QString& outputUri,
                              const QString& profile, qlonglong maximumKBytes,
                              bool requestExplicitUi);
    bool startTask(const QString& taskId);
    // Ends the task, running or not; a partial result is removed.
    bool cancelTask(const QString& taskId);

signals:
    void createTaskCompleted(const QString& taskId, bool success, const QString& error);
    void taskQueued(const QString& taskId);
    void taskProgress(const QString& taskId, int current, int total);
    void taskFinished(const QString& taskId, bool success, const QString& resultUri,
                      const QString& mimeType, qlonglong duration, const QString& error);

private:
    void onPrepared(const QString& taskId, bool success, const QString& error);
    void onFinished(const QString& taskId, bool success, const QString& error);
    void runNext();
    void forget(const QString& taskId);

    QHash<QString, VideoEncodingTask*> m_tasks;
    QList<QString> m_waiting;
    VideoEncodingTask* m_running = nullptr;
    int m_lastId = 0;
};
