#include "thumbnailcreator.h"
#include "thumbnailer.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

static const QString serviceName = QStringLiteral("org.freedesktop.thumbnails.Thumbnailer1");

// The thumbnail client against a fake freedesktop thumbnail service on the test's
// private session bus.
class TstThumbnailer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
        startService();
    }

    void cleanupTestCase()
    {
        m_service.kill();
        m_service.waitForFinished();
    }

    // The freedesktop cache: <cache>/thumbnails/<size>/<md5 of the URI>.png.
    void flavorsMapToCacheFiles_data()
    {
        QTest::addColumn<QString>("flavor");
        QTest::addColumn<QString>("cacheFolder");
        QTest::newRow("normal") << "normal" << QString("normal");
        QTest::newRow("grid") << "grid" << QString("normal");
        QTest::newRow("video-grid") << "video-grid" << QString("large");
    }
    void flavorsMapToCacheFiles()
    {
        QFETCH(QString, flavor);
        QFETCH(QString, cacheFolder);
        QCOMPARE(Thumbnailer::cacheFlavor(flavor), cacheFolder);
        QCOMPARE(Thumbnailer::thumbnailPath(QUrl("file:///home/jens/photos/me.png"), flavor),
                 m_dir.filePath("cache/thumbnails/" + cacheFolder +
                                "/c6ee772d9e49320e97ec29a7eb5b1697.png"));
    }

    // It goes with the application, before the static destructors run.
    void processKeepsOneClient()
    {
        Thumbnailer* first = ThumbnailCreator::thumbnailer();
        QCOMPARE(first->parent(), QCoreApplication::instance());
        QCOMPARE(ThumbnailCreator::thumbnailer(), first);
    }

    void requestReachesServiceAndNamesTheFiles_data()
    {
        QTest::addColumn<QString>("flavor");
        QTest::addColumn<int>("side");
        QTest::newRow("grid") << "grid" << 128;
        QTest::newRow("video-grid") << "video-grid" << 256;
    }
    void requestReachesServiceAndNamesTheFiles()
    {
        QFETCH(QString, flavor);
        QFETCH(int, side);
        const QUrl wide = QUrl::fromLocalFile(makePicture(flavor + " wide.png", 600, 300));
        const QUrl tall = QUrl::fromLocalFile(makePicture(flavor + " tall.png", 200, 400));

        Thumbnailer thumbnailer;
        QSignalSpy thumbnails(&thumbnailer, &Thumbnailer::thumbnail);
        QSignalSpy finished(&thumbnailer, &Thumbnailer::finished);
        QVERIFY(thumbnailer.request({wide, tall}, {"image/png", "image/png"}, true, flavor));
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toInt(), 0);

        QCOMPARE(queuedByService(), QStringList("Queue " + Thumbnailer::cacheFlavor(flavor) + ' ' +
                                                wide.toEncoded() + ' ' + tall.toEncoded()));
        QCOMPARE(thumbnails.count(), 2);
        for (int i = 0; i < 2; ++i) {
            const QList<QVariant> arguments = thumbnails.at(i);
            const QUrl file = arguments.at(0).toUrl();
            QCOMPARE(file, i == 0 ? wide : tall);
            QCOMPARE(arguments.at(1).toUrl().toLocalFile(),
                     Thumbnailer::thumbnailPath(file, flavor));
            const QPixmap pixmap = arguments.at(2).value<QPixmap>();
            QCOMPARE(qMax(pixmap.width(), pixmap.height()), side);
            QCOMPARE(arguments.at(3).toString(), flavor);
        }
    }

    void unsupportedFileGivesError()
    {
        const QUrl text = QUrl::fromLocalFile(makeTextFile("notes.txt"));
        Thumbnailer thumbnailer;
        QSignalSpy thumbnails(&thumbnailer, &Thumbnailer::thumbnail);
        QSignalSpy errors(&thumbnailer, &Thumbnailer::error);
        QVERIFY(thumbnailer.request({text}, {"text/plain"}, false, "normal"));
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(1).toUrl(), text);
        QCOMPARE(thumbnails.count(), 0);
        queuedByService();
    }

    void constructorRequestsItsFile()
    {
        const QUrl picture = QUrl::fromLocalFile(makePicture("first.png", 40, 20));
        Thumbnailer thumbnailer(picture, QPixmap(8, 8));
        QSignalSpy thumbnails(&thumbnailer, &Thumbnailer::thumbnail);
        QVERIFY(thumbnails.wait());
        QCOMPARE(thumbnails.first().at(0).toUrl(), picture);
        QCOMPARE(thumbnails.first().at(2).value<QPixmap>().size(), QSize(128, 64));
        QCOMPARE(queuedByService(), QStringList("Queue normal " + picture.toEncoded()));
    }

    // A text file that the service would refuse, but whose thumbnail is cached already.
    void existingCacheFileShortCircuits()
    {
        const QUrl text = QUrl::fromLocalFile(makeTextFile("cached.txt"));
        const QString cached = Thumbnailer::thumbnailPath(text, "grid");
        QVERIFY(QDir().mkpath(QFileInfo(cached).path()));
        QImage(16, 16, QImage::Format_RGB32).save(cached, "PNG");

        Thumbnailer thumbnailer;
        QSignalSpy thumbnails(&thumbnailer, &Thumbnailer::thumbnail);
        QSignalSpy errors(&thumbnailer, &Thumbnailer::error);
        QVERIFY(thumbnailer.request({text}, {"text/plain"}, false, "grid"));
        QVERIFY(thumbnails.wait());
        QCOMPARE(thumbnails.first().at(0).toUrl(), text);
        QCOMPARE(thumbnails.first().at(1).toUrl(), QUrl::fromLocalFile(cached));
        QVERIFY(thumbnails.first().at(2).value<QPixmap>().isNull());
        QVERIFY(errors.isEmpty());

        // The service hears only of a later request for another file.
        const QUrl picture = QUrl::fromLocalFile(makePicture("uncached.png", 10, 10));
        QSignalSpy finished(&thumbnailer, &Thumbnailer::finished);
        QVERIFY(thumbnailer.request({picture}, {"image/png"}, false, "grid"));
        QVERIFY(finished.wait());
        QCOMPARE(queuedByService(), QStringList("Queue normal " + picture.toEncoded()));
    }

    void signalsBeforeTheQueueReplyAreKept()
    {
        cleanupTestCase();
        startService({QStringLiteral("--signals-before-reply")});
        Thumbnailer thumbnailer;
        QSignalSpy thumbnails(&thumbnailer, &Thumbnailer::thumbnail);
        QSignalSpy finished(&thumbnailer, &Thumbnailer::finished);
        const QUrl picture = QUrl::fromLocalFile(makePicture("early.png", 30, 20));
        QVERIFY(thumbnailer.request({picture}, {QStringLiteral("image/png")}, true));
        QVERIFY(finished.wait());
        QCOMPARE(thumbnails.count(), 1);
        QCOMPARE(thumbnails.first().at(0).toUrl(), picture);
        cleanupTestCase();
        startService();
    }

    void vanishedServiceGivesErrors()
    {
        Thumbnailer thumbnailer;
        cleanupTestCase();
        const QUrl picture = QUrl::fromLocalFile(makePicture("late.png", 10, 10));
        QSignalSpy errors(&thumbnailer, &Thumbnailer::error);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Queueing thumbnails failed:"));
        thumbnailer.request({picture}, {"image/png"}, false, "normal");
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(1).toUrl(), picture);
    }

private:
    void startService(const QStringList& arguments = {})
    {
        QDBusServiceWatcher watcher(serviceName, QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        m_service.start(QStringLiteral(DRAVEL_BINARY_DIR "/tests/fixtures/fakethumbnailer"),
                        arguments);
        QVERIFY(m_service.waitForStarted());
        QVERIFY(registered.wait());
    }

    QString makePicture(const QString& name, int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = m_dir.filePath(name);
        return picture.save(path, "PNG") ? path : QString();
    }

    QString makeTextFile(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write("not a picture") < 0)
            return QString();
        return file.fileName();
    }

    QStringList queuedByService()
    {
        return QString::fromUtf8(m_service.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    QProcess m_service;
};

QTEST_MAIN(TstThumbnailer)
#include "tst_thumbnailer.moc"
