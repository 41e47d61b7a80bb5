#include "mmsresizethread.h"
#include "testpictures.h"

#include <QtTest>

#include <future>

// Stand-in for the editor page: the class name, signal and slot the resize thread looks for.
class MmsEditorPage : public QObject
{
    Q_OBJECT

public:
    QList<QVariantList> results;
    QList<QThread*> resultThreads;

signals:
    void startPictureResize(QStringList fileNames, int maxSize, QString tempFolder);
    void resultReceived();

public slots:
    void slotOnPictureResizeFinished(QStringList newFileNames, bool status)
    {
        results.append({newFileNames, status});
        resultThreads.append(QThread::currentThread());
        emit resultReceived();
    }
};

namespace {

struct LogLine
{
    QString text;
    QThread* thread;
};

QMutex logMutex;
QList<LogLine> logLines;
QtMessageHandler testLogHandler = nullptr;

// Notes which thread wrote each line, then hands it on to the test framework.
void recordLogLine(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    {
        QMutexLocker lock(&logMutex);
        logLines.append({text, QThread::currentThread()});
    }
    testLogHandler(type, context, text);
}

QList<QThread*> threadsThatLogged(const QString& prefix)
{
    QMutexLocker lock(&logMutex);
    QList<QThread*> threads;
    for (const LogLine& line : qAsConst(logLines)) {
        if (line.text.startsWith(prefix)) {
            threads.append(line.thread);
        }
    }
    return threads;
}

const char notEditorPage[] =
    "[MMS-RESIZE-THREAD] Parent is not MmsEditorPage. Need to connect signals";
const char estimateLine[] = "[MMS-EDITOR] Estimate maximum size of each images:";

} // namespace

class TestMmsResizeThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testLogHandler = qInstallMessageHandler(recordLogLine); }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_picture = TestPictures::writeJpeg(m_dir->filePath("small.jpg"), QSize(320, 240));
        QMutexLocker lock(&logMutex);
        logLines.clear();
    }

    // A headless sender may ask before the thread has made its resizer: the request waits. The work
    // runs in the thread, the answers come to the owner's thread, once each, in order.
    void plainOwnerGetsEveryAnswerInOrder()
    {
        QObject owner;
        MmsResizeThread thread(&owner);
        QSignalSpy finished(&thread, &MmsResizeThread::resizeFinished);
        QList<QThread*> receivingThreads;
        connect(&thread, &MmsResizeThread::resizeFinished, this,
                [&receivingThreads] { receivingThreads << QThread::currentThread(); });

        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("[MMS-RESIZE-THREAD] Start resize "
                                                            "(\"%1\") 368640 \"%2\"")
                                                        .arg(m_picture, m_dir->path())));
        thread.startResize({m_picture}, 368640, m_dir->path());
        QTest::ignoreMessage(QtCriticalMsg, notEditorPage);
        thread.start(QThread::InheritPriority);
        thread.startResize({}, 368640, m_dir->path());
        thread.startResize({m_picture}, 1, m_dir->path());
        while (finished.count() < 3)
            QVERIFY(finished.wait());

        QCOMPARE(finished.at(0), (QVariantList{QStringList{m_picture}, true}));
        QCOMPARE(finished.at(1), (QVariantList{QStringList(), false}));
        QCOMPARE(finished.at(2), (QVariantList{QStringList{m_picture}, false}));
        QVERIFY(!finished.wait(100));
        QCOMPARE(receivingThreads.count(QThread::currentThread()), 3);
        QCOMPARE(threadsThatLogged(estimateLine), (QList<QThread*>{&thread, &thread}));
        thread.quit();
        QVERIFY(thread.wait());
    }

    void editorPageIsConnectedDirectly()
    {
        MmsEditorPage page;
        MmsResizeThread thread(&page);
        QSignalSpy pageResults(&page, &MmsEditorPage::resultReceived);
        QSignalSpy threadResults(&thread, &MmsResizeThread::resizeFinished);

        startAndWaitForWorkerLoop(thread);
        QVERIFY(threadsThatLogged(notEditorPage).isEmpty());
        emit page.startPictureResize({m_picture, m_dir->filePath("missing.jpg")}, 368640,
                                     m_dir->path());
        QVERIFY(pageResults.wait());

        QCOMPARE(page.results, (QList<QVariantList>{{QStringList{m_picture}, false}}));
        QCOMPARE(page.resultThreads, QList<QThread*>{QThread::currentThread()});
        QCOMPARE(threadsThatLogged(estimateLine), QList<QThread*>{&thread});
        QCOMPARE(threadResults.count(), 0);
        thread.quit();
        QVERIFY(thread.wait());
    }

    // quit() and wait() end the thread; started again, it makes a fresh resizer.
    void restartedThreadServesAgain()
    {
        QObject owner;
        MmsResizeThread thread(&owner);
        QSignalSpy finished(&thread, &MmsResizeThread::resizeFinished);
        for (int run = 0; run < 2; ++run) {
            QTest::ignoreMessage(QtCriticalMsg, notEditorPage);
            startAndWaitForWorkerLoop(thread);
            thread.startResize({m_picture}, 368640, m_dir->path());
            QVERIFY(finished.wait());
            thread.quit();
            QVERIFY(thread.wait());
            QVERIFY(thread.isFinished());
        }
        QCOMPARE(finished.count(), 2);
    }

private:
    // Returns once the thread body has set up and entered its event loop: an event posted to an
    // object of the thread runs only then.
    void startAndWaitForWorkerLoop(QThread& thread)
    {
        auto* probe = new QObject;
        probe->moveToThread(&thread);
        std::promise<void> loopRuns;
        QMetaObject::invokeMethod(
            probe,
            [probe, &loopRuns] {
                loopRuns.set_value();
                probe->deleteLater();
            },
            Qt::QueuedConnection);
        thread.start(QThread::InheritPriority);
        loopRuns.get_future().wait();
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_picture;
};

QTEST_GUILESS_MAIN(TestMmsResizeThread)
#include "tst_mmsresizethread.moc"
