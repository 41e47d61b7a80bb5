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

// A client with its signals recorded.
struct Client
{
    Thumbnailer thumbnailer;
    QSignalSpy thumbnails{&thumbnailer, &Thumbnailer::thumbnail};
    QSignalSpy finished{&thumbnailer, &Thumbnailer::finished};
    QSignalSpy errors{&thumbnailer, &Thumbnailer::error};
};

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
        Client client;
        QVERIFY(client.thumbnailer.request({wide, tall}, {"image/png", "image/png"}, true, flavor));
        QVERIFY(client.finished.wait());
        QCOMPARE(client.finished.first().first().toInt(), 0);
        QCOMPARE(queuedByService(), QStringList("Queue " + Thumbnailer::cacheFlavor(flavor) + ' ' +
                                                wide.toEncoded() + ' ' + tall.toEncoded()));
        QCOMPARE(client.thumbnails.count(), 2);
        for (int i = 0; i < 2; ++i) {
            const QVariantList a = client.thumbnails.at(i);
            const QPixmap pixmap = a.at(2).value<QPixmap>();
            const QUrl file = i == 0 ? wide : tall;
            QCOMPARE((QVariantList{a.at(0), a.at(1).toUrl().toLocalFile(),
                                   qMax(pixmap.width(), pixmap.height()), a.at(3)}),
                     (QVariantList{file, Thumbnailer::thumbnailPath(file, flavor), side, flavor}));
        }
    }

    void unsupportedFileGivesError()
    {
        const QUrl text = QUrl::fromLocalFile(makeTextFile("notes.txt"));
        Client client;
        QVERIFY(client.thumbnailer.request({text}, {"text/plain"}, false, "normal"));
        QVERIFY(client.errors.wait());
        QCOMPARE(client.errors.first().at(1).toUrl(), text);
        QCOMPARE(client.thumbnails.count(), 0);
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
        Client client;
        QVERIFY(client.thumbnailer.request({text}, {"text/plain"}, false, "grid"));
        QVERIFY(client.thumbnails.wait());
        QCOMPARE(client.thumbnails.first().mid(0, 2),
                 (QVariantList{text, QUrl::fromLocalFile(cached)}));
        QVERIFY(client.thumbnails.first().at(2).value<QPixmap>().isNull());
        QVERIFY(client.errors.isEmpty());
        // The service hears only of a later request for another file.
        const QUrl picture = QUrl::fromLocalFile(makePicture("uncached.png", 10, 10));
        QVERIFY(client.thumbnailer.request({picture}, {"image/png"}, false, "grid"));
        QVERIFY(client.finished.wait());
        QCOMPARE(queuedByService(), QStringList("Queue normal " + picture.toEncoded()));
    }

    void signalsBeforeTheQueueReplyAreKept()
    {
        cleanupTestCase();
        startService({QStringLiteral("--signals-before-reply")});
        Client client;
        const QUrl picture = QUrl::fromLocalFile(makePicture("early.png", 30, 20));
        QVERIFY(client.thumbnailer.request({picture}, {QStringLiteral("image/png")}, true));
        QVERIFY(client.finished.wait());
        QCOMPARE(client.thumbnails.count(), 1);
        QCOMPARE(client.thumbnails.first().at(0).toUrl(), picture);
        cleanupTestCase();
        startService();
    }

    void vanishedServiceGivesErrors()
    {
        Client client;
        cleanupTestCase();
        const QUrl picture = QUrl::fromLocalFile(makePicture("late.png", 10, 10));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Queueing thumbnails failed:"));
        client.thumbnailer.request({picture}, {"image/png"}, false, "normal");
        QVERIFY(client.errors.wait());
        QCOMPARE(client.errors.first().at(1).toUrl(), picture);
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
        return file.open(QIODevice::WriteOnly) && file.write("x") > 0 ? file.fileName() : QString();
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
