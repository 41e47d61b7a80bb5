#include "catalogue.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDomDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

// Runs the built corvane-ui on the test's session bus with its test probe switched on
// (CORVANE_UI_TEST_PROBE), and drives it over D-Bus like a client.

namespace {

const QString kService = QStringLiteral("com.quenda.corvane.ui");
const QString kPath = QStringLiteral("/com/quenda/corvane/ui");
const QString kInterface = kService;

const QString display = "displayGprsDisconnectDialog", cancel = "cancelGprsDisconnectDialog";
const QString closed = "debug: I: [CORVANE-UI] Dialog is closed, result = ";

QVariant probe(const QString& method, const QVariantList& arguments = {},
               QDBusConnection bus = QDBusConnection::sessionBus())
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath + "/testprobe",
                                                       kService + ".TestProbe", method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0) : QVariant();
}

// The interface element of an introspection text, parsed without namespaces: the mmsui: prefix
// is never declared.
QString interfaceOf(const QString& xml)
{
    QDomDocument document;
    document.setContent(xml, false);
    QDomElement e = document.documentElement().firstChildElement("interface");
    while (!e.isNull() && e.attribute("name") != kInterface)
        e = e.nextSiblingElement("interface");
    QString text;
    QTextStream stream(&text);
    e.save(stream, 2);
    return text;
}

} // namespace

class AnswerListener : public QObject
{
    Q_OBJECT
public:
    QVariantList answers;
public slots:
    void onDisconnectGprs(bool disconnect) { answers << disconnect; }
};

class TestCorvaneUiProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        installCatalogue();
        QVERIFY(QDBusConnection::sessionBus().connect(kService, kPath, kInterface, "disconnectGprs",
                                                      &m_listener, SLOT(onDisconnectGprs(bool))));
    }

    // A run still going ends through SIGTERM with code 0, which also fails the test when a
    // sanitizer stopped the program.
    void cleanup()
    {
        if (m_program && m_program->state() != QProcess::NotRunning) {
            stop(SIGTERM);
            QVERIFY2(m_program->exitCode() == 0, qPrintable(m_log));
        }
        delete m_program;
        m_program = nullptr;
        m_log.clear();
    }

    void dialogShowsTheWarning()
    {
        startService();
        m_ui->call(display);
        QVERIFY(qtTrId("qtn_mms_gprs_warning_title") != QString("qtn_mms_gprs_warning_title"));
        QCOMPARE(qdbus_cast<QVariantMap>(probe("openDialog")),
                 (QVariantMap{{"title", qtTrId("qtn_mms_gprs_warning_title")},
                              {"text", qtTrId("qtn_mms_gprs_warning_text")},
                              {"systemModal", true},
                              {"deleteOnClose", true}}));
    }

    // Calls in order ("yes"/"no" answer the dialog through the probe): the answers signalled, the
    // dialogs shown, and the closing log line (none when empty). Closing otherwise is a refusal.
    void callsAndAnswers_data()
    {
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QVariantList>("answers");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("log");
        QTest::addRow("yes") << QStringList{display, "yes"} << QVariantList{true} << 1
                             << closed + "1024";
        QTest::addRow("no") << QStringList{display, "no"} << QVariantList{false} << 1
                            << closed + "0";
        QTest::addRow("second display while asking")
            << QStringList{display, display, "yes"} << QVariantList{true} << 1 << closed + "1024";
        QTest::addRow("display after an answer asks again")
            << QStringList{display, "yes", display, "no"} << QVariantList{true, false} << 2 << "";
        QTest::addRow("cancel while asking")
            << QStringList{display, cancel} << QVariantList{false} << 1 << closed + "0";
        QTest::addRow("cancel without dialog") << QStringList{cancel} << QVariantList() << 0 << "";
    }
    void callsAndAnswers()
    {
        QFETCH(QStringList, calls);
        QFETCH(QVariantList, answers);
        QFETCH(int, shown);
        QFETCH(QString, log);
        startService();
        for (const QString& call : calls) {
            if (call == "yes" || call == "no")
                QVERIFY(probe("answer", {call == "yes"}).toBool());
            else
                QCOMPARE(m_ui->call(call).type(), QDBusMessage::ReplyMessage);
        }
        // The bus keeps one sender's order: this reply follows every signal sent before it.
        QCOMPARE(probe("openDialogs").toInt(), 0);
        QCoreApplication::processEvents();
        QTRY_COMPARE(m_listener.answers, answers);
        QCOMPARE(probe("shownDialogs").toInt(), shown);
        QVERIFY2(log.isEmpty() || logged(log), qPrintable(m_log));
    }

    void introspectionIsTheInterfaceFile()
    {
        startService();
        QDBusInterface introspectable(kService, kPath, "org.freedesktop.DBus.Introspectable");
        const QDBusReply<QString> xml = introspectable.call("Introspect");
        QFile file(DRAVEL_SOURCE_DIR "/service/com.quenda.corvane.ui.xml");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString documented = interfaceOf(QString::fromUtf8(file.readAll()));
        QVERIFY(documented.contains("displayGprsDisconnectDialog"));
        QCOMPARE(interfaceOf(xml.value()), documented);
    }

    // A bus that refuses the name ends the program with 2 before it starts; a signal ends it with
    // 0, closing a dialog still asking.
    void programEnds_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("line");
        const QString failed = "critical: [CORVANE-UI] Failed to register DBus service: ";
        QTest::addRow("name owned by another connection")
            << 0 << 2
            << failed + "Name \"com.quenda.corvane.ui\" is already owned by " +
                   QDBusConnection::sessionBus().baseService();
        QTest::addRow("no session bus") << 0 << 2 << failed + "Not connected to D-Bus server";
        QTest::addRow("SIGTERM, idle") << int(SIGTERM) << 0 << "";
        QTest::addRow("SIGTERM, dialog showing") << int(SIGTERM) << 0 << closed + "0";
        QTest::addRow("SIGINT, idle") << int(SIGINT) << 0 << "";
    }
    void programEnds()
    {
        QFETCH(int, signalNumber);
        QFETCH(int, code);
        QFETCH(QString, line);
        const auto release =
            qScopeGuard([] { QDBusConnection::sessionBus().unregisterService(kService); });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (line.contains("already owned"))
            QVERIFY(QDBusConnection::sessionBus().registerService(kService));
        else if (code == 2)
            environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/corvane-ui-bus");
        if (code == 2) {
            startProgram(environment);
        } else {
            startService();
            if (line.contains("Dialog"))
                m_ui->call(display);
            QVERIFY(logged("debug: I: [CORVANE_UI] Starting"));
        }
        stop(signalNumber);
        QCOMPARE(m_program->exitCode(), code);
        QVERIFY2(m_log.contains(QString("debug: I: [CORVANE_UI] Exit with error: %1\n").arg(code)),
                 qPrintable(m_log));
        QCOMPARE(m_log.contains("Starting"), code == 0);
        QCOMPARE(m_log.contains("Dialog is closed"), line.contains("Dialog"));
        QVERIFY2(m_log.contains(line + '\n'), qPrintable(m_log));
    }

    // Two clients fire display and cancel in a random interleaving without waiting; the service
    // never shows or keeps more than one dialog, answers every dialog with one signal and stays
    // responsive.
    void interleavedLoadFromTwoClients()
    {
        startService();
        QDBusConnection clients[] = {
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "clientA"),
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "clientB")};
        QRandomGenerator random(20261206);
        QVector<QDBusPendingCall> pending;
        for (int i = 0; i < 200; ++i)
            pending << clients[i % 2].asyncCall(QDBusMessage::createMethodCall(
                kService, kPath, kInterface, random.bounded(2) ? display : cancel));
        for (QDBusPendingCall& call : pending) {
            call.waitForFinished();
            QVERIFY2(!call.isError(), qPrintable(call.error().message()));
        }
        const int open = probe("openDialogs").toInt();
        QCoreApplication::processEvents();
        const int shown = probe("shownDialogs").toInt();
        QVERIFY(shown > 1);
        QCOMPARE(m_listener.answers.count(), shown - open);
        QCOMPARE((QVariantList{probe("peakOpenDialogs"), probe("peakAliveDialogs"),
                               probe("aliveDialogs")}),
                 (QVariantList{1, 1, open}));
        for (auto& client : clients)
            QDBusConnection::disconnectFromBus(client.name());
    }

    // The installed service file lets a bus start the program on its first call; the program
    // then learns the bus address from the bus that started it.
    void firstCallOnItsBusStartsTheProgram()
    {
        QTemporaryDir dir;
        QFile config(dir.filePath("bus.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            QString("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                    "<servicedir>%2</servicedir><policy context=\"default\"><allow "
                    "send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                    "<allow own=\"*\"/></policy></busconfig>")
                .arg(dir.path(), CORVANE_UI_SERVICE_DIR)
                .toUtf8());
        config.close();
        QProcess daemon;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        environment.insert("CORVANE_UI_TEST_PROBE", "1");
        daemon.setProcessEnvironment(environment);
        daemon.start("dbus-daemon",
                     {"--nofork", "--print-address", "--config-file=" + config.fileName()});
        QVERIFY(daemon.waitForStarted());
        while (!daemon.canReadLine())
            QVERIFY(daemon.waitForReadyRead());
        // Declared before the connection so that it runs after the connection is gone.
        const auto end = qScopeGuard([&daemon] {
            const QDBusReply<uint> pid = QDBusConnection("own").interface()->servicePid(kService);
            if (pid.isValid())
                ::kill(pid_t(pid.value()), SIGTERM);
            QDBusConnection::disconnectFromBus("own");
            daemon.terminate();
            daemon.waitForFinished();
        });
        QDBusConnection bus =
            QDBusConnection::connectToBus(QString::fromUtf8(daemon.readLine()).trimmed(), "own");
        AnswerListener listener;
        QVERIFY(bus.connect(kService, kPath, kInterface, "disconnectGprs", &listener,
                            SLOT(onDisconnectGprs(bool))));
        const QDBusMessage shown = QDBusInterface(kService, kPath, kInterface, bus).call(display);
        QVERIFY2(shown.type() == QDBusMessage::ReplyMessage, qPrintable(shown.errorMessage()));
        QVERIFY(probe("answer", {true}, bus).toBool());
        QTRY_COMPARE(listener.answers, QVariantList{true});
    }

private:
    void startProgram(const QProcessEnvironment& environment)
    {
        m_program = new QProcess;
        QProcessEnvironment withLevels = environment;
        withLevels.insert("QT_MESSAGE_PATTERN", "%{type}: %{message}");
        m_program->setProcessEnvironment(withLevels);
        connect(m_program, &QProcess::readyReadStandardError, m_program,
                [this] { m_log += QString::fromLocal8Bit(m_program->readAllStandardError()); });
        m_program->start(CORVANE_UI_PROGRAM, QStringList());
        QVERIFY(m_program->waitForStarted());
    }

    void startService()
    {
        QDBusServiceWatcher watcher(kService, QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForRegistration);
        QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_UI_TEST_PROBE", "1");
        startProgram(environment);
        QVERIFY(registered.wait());
        m_ui.reset(new QDBusInterface(kService, kPath, kInterface));
        // What an earlier run said on its way out has been delivered by now.
        m_listener.answers.clear();
    }

    // Sends the signal, if any, and waits for the end.
    void stop(int signalNumber)
    {
        QVERIFY(!signalNumber || ::kill(pid_t(m_program->processId()), signalNumber) == 0);
        QVERIFY(m_program->waitForFinished());
        m_log += QString::fromLocal8Bit(m_program->readAllStandardError());
        QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    }

    bool logged(const QString& line)
    {
        QSignalSpy more(m_program, &QProcess::readyReadStandardError);
        while (!m_log.contains(line + '\n')) {
            if (!more.wait())
                return false;
        }
        return true;
    }

    QProcess* m_program = nullptr;
    QString m_log;
    AnswerListener m_listener;
    QScopedPointer<QDBusInterface> m_ui;
};

QTEST_GUILESS_MAIN(TestCorvaneUiProgram)
#include "tst_corvaneuiprogram.moc"
