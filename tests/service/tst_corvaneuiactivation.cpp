#include "answerlistener.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// The installed session service file lets the bus start corvane-ui on the
// first call to its name. The test runs a bus of its own whose service folder
// holds the same file, pointing at the built program.

namespace {

const QString kService = QStringLiteral("com.quenda.corvane.ui");
const QString kPath = QStringLiteral("/com/quenda/corvane/ui");
const QString kInterface = QStringLiteral("com.quenda.corvane.ui");
const QString kConnection = QStringLiteral("activationBus");

const char* const kBusConfig =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:dir=%1</listen>\n"
    "  <servicedir>%2</servicedir>\n"
    "  <policy context=\"default\">\n"
    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
    "    <allow eavesdrop=\"true\"/>\n"
    "    <allow own=\"*\"/>\n"
    "  </policy>\n"
    "</busconfig>\n";

} // namespace

class TestCorvaneUiActivation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void serviceFileNamesTheService();
    void firstCallStartsTheProgram();

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
};

void TestCorvaneUiActivation::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QString::fromLatin1(kBusConfig)
                     .arg(m_dir.path(), QStringLiteral(CORVANE_UI_SERVICE_DIR))
                     .toUtf8());
    config.close();

    // The program must learn the bus address from the bus that starts it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.insert(QStringLiteral("CORVANE_UI_TEST_PROBE"), QStringLiteral("1"));
    m_bus.setProcessEnvironment(environment);
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                 QStringLiteral("--config-file=") + config.fileName()});
    QVERIFY(m_bus.waitForStarted());
    while (!m_bus.canReadLine()) {
        QVERIFY(m_bus.waitForReadyRead());
    }
    const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(QDBusConnection::connectToBus(address, kConnection).isConnected());
}

// The bus started the program, so the bus knows whom to stop.
void TestCorvaneUiActivation::cleanupTestCase()
{
    QDBusConnection bus(kConnection);
    if (bus.interface()) {
        const QDBusReply<uint> pid = bus.interface()->servicePid(kService);
        if (pid.isValid()) {
            ::kill(static_cast<pid_t>(pid.value()), SIGTERM);
        }
    }
    QDBusConnection::disconnectFromBus(kConnection);
    m_bus.terminate();
    m_bus.waitForFinished();
}

void TestCorvaneUiActivation::serviceFileNamesTheService()
{
    QSettings file(QStringLiteral(CORVANE_UI_SERVICE_DIR "/com.quenda.corvane.ui.service"),
                   QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("D-BUS Service/Name")).toString(), kService);
    QCOMPARE(file.value(QStringLiteral("D-BUS Service/Exec")).toString(),
             QStringLiteral(CORVANE_UI_PROGRAM));
}

void TestCorvaneUiActivation::firstCallStartsTheProgram()
{
    QDBusConnection bus(kConnection);
    QVERIFY(!bus.interface()->isServiceRegistered(kService).value());
    QVERIFY(bus.interface()->activatableServiceNames().value().contains(kService));

    AnswerListener listener;
    QSignalSpy answers(&listener, &AnswerListener::answered);
    QVERIFY(bus.connect(kService, kPath, kInterface, QStringLiteral("disconnectGprs"), &listener,
                        SLOT(onDisconnectGprs(bool))));
    QDBusInterface ui(kService, kPath, kInterface, bus);
    const QDBusMessage shown = ui.call(QStringLiteral("displayGprsDisconnectDialog"));
    QVERIFY2(shown.type() == QDBusMessage::ReplyMessage, qPrintable(shown.errorMessage()));

    QDBusInterface probe(kService, QStringLiteral("/com/quenda/corvane/ui/testprobe"),
                         QStringLiteral("com.quenda.corvane.ui.TestProbe"), bus);
    QCOMPARE(QDBusReply<int>(probe.call(QStringLiteral("openDialogs"))).value(), 1);
    QVERIFY(QDBusReply<bool>(probe.call(QStringLiteral("answer"), true)).value());
    QVERIFY(answers.wait());
    QCOMPARE(answers.at(0).at(0).toBool(), true);
}

QTEST_GUILESS_MAIN(TestCorvaneUiActivation)
#include "tst_corvaneuiactivation.moc"
