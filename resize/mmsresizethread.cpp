#include "mmsresizethread.h"

#include "mmsresizer.h"
#include "resize_debug.h"

MmsResizeThread::MmsResizeThread(QObject* parent)
    : QThread(parent)
    , m_inbox(new QObject)
{
    m_inbox->moveToThread(this);
}

MmsResizeThread::~MmsResizeThread()
{
    delete m_resizer;
    delete m_inbox;
}

void MmsResizeThread::run()
{
    // Created here without a parent, so it belongs to this thread.
    auto* resizer = new MmsResizer;
    connectToOwner(resizer);
    delete m_resizer;
    m_resizer = resizer;
    exec();
}

// The editor page is recognised by its meta-object class name, which is what a meta-object
// cast checks, without this library depending on the editor. Its signal and slot are connected
// by signature; every other owner listens to this thread's own signal.
void MmsResizeThread::connectToOwner(MmsResizer* resizer)
{
    QObject* owner = parent();
    if (owner && owner->inherits("MmsEditorPage")) {
        connect(owner, SIGNAL(startPictureResize(QStringList, int, QString)), resizer,
                SLOT(startResize(QStringList, int, QString)), Qt::QueuedConnection);
        connect(resizer, SIGNAL(resizeFinished(QStringList, bool)), owner,
                SLOT(slotOnPictureResizeFinished(QStringList, bool)), Qt::QueuedConnection);
        return;
    }
    qCCritical(lcResize)
        << "[MMS-RESIZE-THREAD] Parent is not MmsEditorPage. Need to connect signals";
    connect(resizer, &MmsResizer::resizeFinished, this, &MmsResizeThread::resizeFinished,
            Qt::QueuedConnection);
}

void MmsResizeThread::startResize(const QStringList& fileNames, int maxSize,
                                  const QString& tempFolder)
{
    qCDebug(lcResize) << "[MMS-RESIZE-THREAD] Start resize" << fileNames << maxSize << tempFolder;
    QMetaObject::invokeMethod(
        m_inbox, [=] { m_resizer->startResize(fileNames, maxSize, tempFolder); },
        Qt::QueuedConnection);
}
