#pragma once

#include <QAtomicPointer>
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
    void startResize(const QStringList& fileNames, int maxSize, const QString& tempFolder);

signals:
    // Carries the results for owners other than the editor page.
    void resizeFinished(QStringList newFileNames, bool status);

protected:
    void run() override;

private:
    void connectToOwner(MmsResizer* resizer);

    // Created by the thread body and read by startResize on the owner's thread, hence atomic.
    QAtomicPointer<MmsResizer> m_resizer;
};
