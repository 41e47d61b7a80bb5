#include "busserviceprocess.h"
#include "videoencodinginterface.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString serviceName = QStringLiteral("com.quenda.VideoEncoding");
const QString profile = QStringLiteral("com.quenda.mms-video-rich");

// A test clip from ffmpeg's own sources: moving colour bars and a tone.
bool makeClip(const QString& path, int seconds, const QString& size)
{
    const QString length = QString::number(seconds);
    QProcess ffmpeg;
    ffmpeg.start(
        "ffmpeg",
        {"-nostdin", "-loglevel", "error", "-y",
         "-f",       "lavfi",     "-i",    "testsrc2=size=" + size + ":rate=25:duration=" + length,
         "-f",       "lavfi",     "-i",    "sine=frequency=440:duration=" + length,
         "-c:v",     "mpeg4",     "-q:v",  "2",
         "-c:a",     "aac",       "-b:a",  "128k",
         path});
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

} // namespace

// The real encoding service on clips made by ffmpeg.
class TstVideoEncodingService : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    BusServiceProcess m_service;
    QScopedPointer<VideoEncodingInterface> m_encoder;

    QString uri(const QString& name)
    {
        return QUrl::fromLocalFile(m_dir.filePath(name)).toString();
    }

    // Creates a task and waits until the service has checked it; its id, empty when refused.
    QString createTask(const QString& input, const QString& output, qlonglong maximumKBytes,
                       QString* error = nullptr, const QString& taskProfile = profile)
    {
        QSignalSpy checked(m_encoder.data(), &VideoEncodingInterface::createTaskCompleted);
        const QString taskId = m_encoder->createTaskFromUri(uri(input), uri(output), taskProfile,
                                                            maximumKBytes, false);
        if (taskId.isEmpty() || !checked.wait(60000) || checked.first().at(0) != taskId)
            return QString();
        if (error)
            *error = checked.first().at(2).toString();
        return checked.first().at(1).toBool() ? taskId : QString();
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty() ||
            QStandardPaths::findExecutable("ffprobe").isEmpty()) {
            QSKIP("ffmpeg is not installed (scripts/install-deps installs it); the encoding "
                  "service cannot encode without it");
        }
        QVERIFY(makeClip(m_dir.filePath("short.mp4"), 6, "640x480"));
        QVERIFY(makeClip(m_dir.filePath("long.mp4"), 30, "320x240"));
        QVERIFY(m_service.start(DRAVEL_BINARY_DIR "/host/videoencoder/dravel-videoencoder", {},
                                serviceName));
        m_encoder.reset(
            new VideoEncodingInterface(serviceName, "/", QDBusConnection::sessionBus()));
    }

    // A 3GP file of the clip's length within the limit, progress up to its end.
    void resultFitsTheLimit_data()
    {
        QTest::addColumn<qlonglong>("maximumKBytes");
        QTest::addRow("100 KB") << 100LL;
        QTest::addRow("600 KB") << 600LL;
    }
    void resultFitsTheLimit()
    {
        QFETCH(qlonglong, maximumKBytes);
        QVERIFY(QFileInfo(m_dir.filePath("short.mp4")).size() > 600 * 1024);
        const QString output = QString("fit%1.3gp").arg(maximumKBytes);
        const QString taskId = createTask("short.mp4", output, maximumKBytes);
        QVERIFY(!taskId.isEmpty());
        QSignalSpy progress(m_encoder.data(), &VideoEncodingInterface::taskProgress);
        QSignalSpy finished(m_encoder.data(), &VideoEncodingInterface::taskFinished);
        QVERIFY(m_encoder->startTask(taskId).value());
        QVERIFY(finished.wait(120000));
        const QList<QVariant> result = finished.first();
        QVERIFY2(result.at(1).toBool(), qPrintable(result.at(5).toString()));
        QCOMPARE(result.mid(2, 2), (QVariantList{uri(output), "video/3gpp"}));
        QVERIFY(qAbs(result.at(4).toLongLong() - 6000) < 100);
        QFile file(m_dir.filePath(output));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() <= maximumKBytes * 1024);
        // An ISO media file branded 3GP.
        QCOMPARE(file.read(12).mid(4, 5), QByteArray("ftyp3"));
        QCOMPARE(progress.last().at(1).toInt(), progress.last().at(2).toInt());
    }

    void cancelLeavesNoFile()
    {
        const QString taskId = createTask("long.mp4", "cancelled.3gp", 600);
        QVERIFY(!taskId.isEmpty());
        QSignalSpy progress(m_encoder.data(), &VideoEncodingInterface::taskProgress);
        QSignalSpy finished(m_encoder.data(), &VideoEncodingInterface::taskFinished);
        QVERIFY(m_encoder->startTask(taskId).value());
        QVERIFY(progress.wait(60000));
        QVERIFY(finished.isEmpty());
        QVERIFY(m_encoder->cancelTask(taskId).value());
        QVERIFY(!QFile::exists(m_dir.filePath("cancelled.3gp")));
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().at(1).toBool(), false);
        QVERIFY(!m_encoder->cancelTask(taskId).value());
    }

    void refusesWhatItCannotEncode_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<qlonglong>("maximumKBytes");
        QTest::addColumn<QString>("taskProfile");
        QTest::addColumn<QString>("error");
        QTest::addRow("not a video") << "notes.txt" << 300LL << profile << "Not a video clip";
        QTest::addRow("too long for the limit")
            << "long.mp4" << 100LL << profile << "A clip of 30 s cannot fit into 100 KB";
        QTest::addRow("missing file") << "missing.mp4" << 300LL << profile << "No such file";
        QTest::addRow("unknown profile") << "short.mp4" << 300LL << "com.example.hd"
                                         << "Unknown encoding profile";
    }
    void refusesWhatItCannotEncode()
    {
        QFETCH(QString, input);
        QFETCH(qlonglong, maximumKBytes);
        QFETCH(QString, taskProfile);
        QFETCH(QString, error);
        QFile notes(m_dir.filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("no pictures here") > 0);
        notes.close();
        QString reported;
        QVERIFY(createTask(input, "refused.3gp", maximumKBytes, &reported, taskProfile).isEmpty());
        QVERIFY2(reported.startsWith(error), qPrintable(reported));
        QVERIFY(!QFile::exists(m_dir.filePath("refused.3gp")));
    }
};

QTEST_MAIN(TstVideoEncodingService)
#include "tst_videoencodingservice.moc"
