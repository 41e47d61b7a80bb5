#include "historystore.h"
#include "mmscmtest.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kHost = QStringLiteral(HOST_PROGRAM);
const QStringList kSteps{
    "01-home",         "02-composer",    "03-sending",        "04-delivered",
    "05-notification", "06-downloading", "07-slides",         "08-read-report-question",
    "09-read",         "10-settings",    "11-image-widgets",  "12-contact-widgets",
    "13-conversation", "14-quick-send",  "15-quick-send-sent"};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The newest event of the loopback conversation in this direction.
Chronel::Event loopbackEvent(Chronel::Event::EventDirection direction)
{
    Chronel::Event found;
    for (const Chronel::Event& event : Chronel::HistoryStore::instance()->events()) {
        if (event.direction() == direction && event.remoteUid() == Mmscm::loopbackAddress)
            found = event;
    }
    return found;
}

} // namespace

// The demo host's tour as the README runs it, and the ways it stops before.
class TestHostDemo : public QObject
{
    Q_OBJECT

    QHash<QString, QList<uint>> m_statuses;

public slots:
    void onStatus(const QString& token, uint status) { m_statuses[token] << status; }

private slots:
    void initTestCase()
    {
        forgetUserData();
        // What the connection manager reports while the demo runs.
        QVERIFY(QDBusConnection::sessionBus().connect(
            Mmscm::serviceName, Mmscm::connectionPath, "com.quenda.Mmscm.Outbox",
            "MessageStatusChanged", this, SLOT(onStatus(QString, uint))));
    }

    void stopsWithAMessage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("busAddress");
        QTest::addColumn<QString>("message");
        const QString plugin = QStringLiteral("--plugin-file");
        const QStringList demo{plugin, DRAVEL_PLUGIN_FILE};
        QTest::newRow("missing plug-in") << QStringList{plugin, "/nonexistent/libdravel.so"} << ""
                                         << "plug-in file not found";
        QTest::newRow("no verification text")
            << QStringList{plugin, DRAVEL_SOURCE_DIR "/README.md"} << ""
            << "not a Qt plug-in";
        QTest::newRow("other verification text")
            << QStringList{plugin, WRONG_VERIFICATION_FILE} << ""
            << "built for another Qt";
        QTest::newRow("no connection manager program")
            << demo + QStringList{"--mmscm-program", "/nonexistent/dravel-mmscm"} << ""
            << "step 01-home failed: MMS connection manager";
        QTest::newRow("no bus") << demo << "unix:path=/nonexistent/bus"
                                << "step 01-home failed: the session bus cannot be reached";
    }

    void stopsWithAMessage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, busAddress);
        QFETCH(QString, message);
        QProcess host;
        if (!busAddress.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
            host.setProcessEnvironment(environment);
        }
        host.start(kHost, arguments);
        QVERIFY(host.waitForFinished(30000));
        QCOMPARE(qMakePair(host.exitStatus(), host.exitCode()), qMakePair(QProcess::NormalExit, 1));
        const QString errors = QString::fromUtf8(host.readAllStandardError());
        QVERIFY2(errors.contains(message), qPrintable(errors));
    }

    // One run of the tour: every step completes and leaves its picture, and the message went
    // the whole way.
    void journey()
    {
        QTemporaryDir shots;
        MmscmControl* control = newControl(this);
        QSignalSpy reports(control, &MmscmControl::ReadReportReceived);
        QProcess host;
        host.start(kHost, {"--plugin-file", DRAVEL_PLUGIN_FILE, "--screenshots", shots.path()});
        QSignalSpy finished(&host, qOverload<int, QProcess::ExitStatus>(&QProcess::finished));
        QVERIFY(finished.wait(240000));
        QVERIFY2(host.exitCode() == 0, host.readAllStandardError().right(4000).constData());
        const QString output = QString::fromUtf8(host.readAllStandardOutput());
        for (const QString& step : kSteps) {
            QVERIFY2(
                output.contains(QRegularExpression("\n" + step + ": .* \\(\\d+\\.\\d\\d s\\)\n")),
                qPrintable(output));
            QCOMPARE(QImage(shots.filePath(step + ".png")).size(), QSize(480, 854));
        }
        const Chronel::Event sent = loopbackEvent(Chronel::Event::Outbound);
        const Chronel::Event received = loopbackEvent(Chronel::Event::Inbound);
        QCOMPARE(m_statuses.value(sent.messageToken()), (QList<uint>{1, 2, 3}));
        QCOMPARE((QList<int>{sent.status(), sent.readStatus()}),
                 (QList<int>{Chronel::Event::DeliveredStatus, Chronel::Event::ReadStatusRead}));
        QCOMPARE(QList<QVariantList>(reports),
                 (QList<QVariantList>{{received.mmsId(), Mmscm::loopbackAddress, true}}));

        // SMIL, text, photo, card: in the message folder, and the same came back.
        const QList<Chronel::MessagePart> parts = sent.messageParts();
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts.at(0).contentType(), QStringLiteral("application/smil"));
        const QString smil = QString::fromUtf8(contentOf(parts.at(0).contentLocation()));
        QCOMPARE(received.messageParts().size(), parts.size());
        for (int i = 0; i < parts.size(); ++i) {
            const Chronel::MessagePart back = received.messageParts().at(i);
            QVERIFY(
                parts.at(i).contentLocation().contains("/.mms/msg/" + sent.messageToken() + "/"));
            QVERIFY2(i == 0 || smil.contains(QStringLiteral("src=\"cid:%1\"").arg(i)),
                     qPrintable(smil));
            QCOMPARE(back.contentType() + back.contentId(),
                     parts.at(i).contentType() + parts.at(i).contentId());
            QCOMPARE(contentOf(back.contentLocation()), contentOf(parts.at(i).contentLocation()));
        }
        QVERIFY(QImage(parts.at(2).contentLocation()).width() < 4000);
    }
};

QTEST_GUILESS_MAIN(TestHostDemo)
#include "tst_hostdemo.moc"
