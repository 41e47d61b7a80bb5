#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestHostDemo : public QObject
{
    Q_OBJECT
private slots:
    void refusesBadPlugins_data();
    void refusesBadPlugins();
    void screenshotTourWritesEveryPage();
};

void TestHostDemo::refusesBadPlugins_data()
{
    QTest::addColumn<QString>("pluginFile");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing") << QStringLiteral("/nonexistent/libdravel.so")
                             << QStringLiteral("plug-in file not found");
    QTest::newRow("not a library")
        << QStringLiteral(DRAVEL_SOURCE_DIR "/README.md") << QStringLiteral("not a Qt plug-in");
    QTest::newRow("no verification text")
        << QStringLiteral(NO_VERIFICATION_FILE) << QStringLiteral("not a Qt plug-in");
    QTest::newRow("other verification text")
        << QStringLiteral(WRONG_VERIFICATION_FILE) << QStringLiteral("built for another Qt");
}

void TestHostDemo::refusesBadPlugins()
{
    QFETCH(QString, pluginFile);
    QFETCH(QString, message);

    QProcess host;
    host.start(QStringLiteral(HOST_PROGRAM), {QStringLiteral("--plugin-file"), pluginFile});
    QVERIFY(host.waitForFinished(30000));
    QCOMPARE(host.exitStatus(), QProcess::NormalExit);
    QCOMPARE(host.exitCode(), 1);
    const QString errors = QString::fromUtf8(host.readAllStandardError());
    QVERIFY2(errors.contains(message), qPrintable(errors));
}

void TestHostDemo::screenshotTourWritesEveryPage()
{
    QTemporaryDir shots;
    QProcess host;
    host.start(QStringLiteral(HOST_PROGRAM),
               {QStringLiteral("--plugin-file"), QStringLiteral(DRAVEL_PLUGIN_FILE),
                QStringLiteral("--screenshots"), shots.path()});
    QVERIFY(host.waitForFinished(60000));
    QVERIFY2(host.exitCode() == 0, host.readAllStandardError().right(4000).constData());
    const QString output = QString::fromUtf8(host.readAllStandardOutput());
    QVERIFY2(output.contains(QStringLiteral("indexed 3 demo files in the content index")),
             qPrintable(output));
    for (const char* page :
         {"01-home.png", "02-settings.png", "03-image-widgets.png", "04-contact-widgets.png",
          "05-viewer-downloading.png", "06-viewer-slides.png", "07-editor.png",
          "08-conversation-received.png", "09-conversation-sent.png", "10-quick-send.png",
          "11-quick-send-sent.png"}) {
        QImage picture(shots.filePath(QLatin1String(page)));
        QVERIFY2(!picture.isNull(), page);
        QCOMPARE(picture.size(), QSize(480, 854));
    }
}

QTEST_GUILESS_MAIN(TestHostDemo)
#include "tst_hostdemo.moc"
