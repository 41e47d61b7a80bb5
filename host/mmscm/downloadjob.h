#pragma once

#include <QObject>
#include <QTimer>

// The transfer of one message from the network, played in timed steps:
// started, then progress through stage 1 (connecting, 0), stage 2
// (receiving, 20 to 80) and stage 3 (received, 100), then finished with
// status 0. A failing transfer finishes with its status after the first
// data; a stalling one stops there and waits until it is cancelled.
class DownloadJob : public QObject
{
    Q_OBJECT
public:
    enum Plan { Complete, Fail, Stall };

    DownloadJob(const QString& channelPath, const QString& token, int stepInterval,
                QObject* parent = nullptr);

    QString channelPath() const { return m_channelPath; }
    QString token() const { return m_token; }

    // `failure`: the status a failing transfer finishes with.
    void start(Plan plan, uint failure);

signals:
    void started();
    void progressed(uint stage, uint value);
    void finished(uint status);

private:
    void step();

    QString m_channelPath;
    QString m_token;
    QTimer m_timer;
    Plan m_plan = Complete;
    uint m_failure = 0;
    int m_step = 0;
};
