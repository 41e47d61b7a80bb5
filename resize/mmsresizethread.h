#pragma once

#include <QString>
#include <QStringList>
#include <QThread>

class MmsResizer;

// The worker thread that owns one MmsResizer and runs all picture resizing off the owner's
// thread. Requests arrive by queued calls and results leave by queued signals. The owner stops
// it with quit() and an unbounded wait() before destroying it.
class MmsResizeThread : public QThread
{
    Q_OBJECT

public:
    // parent is the owner: an editor page or a headless sender.
    explicit MmsResizeThread(QObject* parent);
    ~MmsResizeThread() override;

public slots:
    // A request made before the thread body has created its resizer waits for it: a headless
    // sender may ask right after starting the thread.
    void startResize(const QStringList& fileNames, int maxSize, const QString& tempFolder);

signals:
    // Carries the results for owners other than the editor page.
    void resizeFinished(QStringList newFileNames, bool status);

protected:
    void run() override;

private:
    void connectToOwner(MmsResizer* resizer);

    // Lives in the worker thread from construction on, so that requests posted to it wait in
    // that thread's queue until its event loop runs, by which time the resizer exists.
    QObject* m_inbox;
    // Created and used by the thread body only; deleted once the thread has ended.
    MmsResizer* m_resizer = nullptr;
};
