#include "answerlistener.h"
#include "tklocale.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

// Runs the built corvane-ui on the test's session bus with its test probe
// switched on (CORVANE_UI_TEST_PROBE), and drives it over D-Bus like a client.

// Helpers check with QVERIFY; a test goes no further once one of them failed.
#define STEP(call)                                                                                 \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed()) {                                                          \
            return;                                                                                \
        }                                                                                          \
    } while (false)

namespace {

const QString kService = QStringLiteral("com.quenda.corvane.ui");
const QString kPath = QStringLiteral("/com/quenda/corvane/ui");
const QString kInterface = QStringLiteral("com.quenda.corvane.ui");
const QString kProbePath = QStringLiteral("/com/quenda/corvane/ui/testprobe");
const QString kProbeInterface = QStringLiteral("com.quenda.corvane.ui.TestProbe");

QDomElement childNamed(const QDomElement& parent, const QString& tag, const QString& name)
{
    for (QDomElement e = parent.firstChildElement(tag); !e.isNull();
         e = e.nextSiblingElement(tag)) {
        if (e.attribute(QStringLiteral("name")) == name) {
            return e;
        }
    }
    return {};
}

// Parsed without namespace processing: the mmsui: prefix is never declared.
QDomDocument parsed(const QString& xml)
{
    QDomDocument document;
    document.setContent(xml, false);
    return document;
}

QDomElement interfaceElement(const QDomDocument& document)
{
    return childNamed(document.documentElement(), QStringLiteral("interface"), kInterface);
}

QString serialised(const QDomElement& element)
{
    QString text;
    QTextStream stream(&text);
    element.save(stream, 2);
    return text;
}

QString interfaceFile()
{
    QFile file(QStringLiteral(DRAVEL_SOURCE_DIR "/service/com.quenda.corvane.ui.xml"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestCorvaneUiProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void twoDisplaysShowOneDialogAndOneSignal();
    void dialogShowsTheWarning();
    void answerIsSignalled_data();
    void answerIsSignalled();
    void cancelWithoutDialogDoesNothing();
    void cancelWhileAskingClosesDialog();
    void introspectionCarriesTheInterface();
    void registrationFailureExitsWithTwo_data();
    void registrationFailureExitsWithTwo();
    void signalEndsWithZero_data();
    void signalEndsWithZero();
    void interleavedLoadFromTwoClients();

private:
    void startProgram(const QProcessEnvironment& environment);
    void startService();
    void stopService(int signalNumber = SIGTERM);
    void waitForLog(const QString& line);
    QVariant probe(const QString& method, const QVariantList& arguments = {});
    // Waits until everything the service sent before now has been delivered.
    void settle();
    void answer(bool yes);

    QProcess* m_program = nullptr;
    QString m_log;
    QScopedPointer<AnswerListener> m_listener;
    QScopedPointer<QSignalSpy> m_answers;
    QScopedPointer<QDBusInterface> m_ui;
};

void TestCorvaneUiProgram::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run inside dbus-run-session");
    QVERIFY(QFile::exists(QStringLiteral(CORVANE_UI_PROGRAM)));
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    QVERIFY(TkLocale::setDefault(locale));
}

// Every run that is still going ends through SIGTERM with code 0, which also
// fails the test when a sanitizer stopped the program.
void TestCorvaneUiProgram::cleanup()
{
    const auto reset = qScopeGuard([this] {
        if (m_program) {
            m_program->kill();
            m_program->waitForFinished();
        }
        delete m_program;
        m_program = nullptr;
        m_log.clear();
        m_ui.reset();
        m_answers.reset();
        m_listener.reset();
    });
    if (m_program && m_program->state() != QProcess::NotRunning) {
        stopService();
        QVERIFY2(m_program->exitCode() == 0, qPrintable(m_log));
    }
}

void TestCorvaneUiProgram::startProgram(const QProcessEnvironment& environment)
{
    m_program = new QProcess;
    // Each line carries its level, so that the levels are checked too.
    QProcessEnvironment withLevels = environment;
    withLevels.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{type}: %{message}"));
    m_program->setProcessEnvironment(withLevels);
    m_program->setProcessChannelMode(QProcess::SeparateChannels);
    connect(m_program, &QProcess::readyReadStandardError, m_program,
            [this] { m_log += QString::fromLocal8Bit(m_program->readAllStandardError()); });
    m_program->start(QStringLiteral(CORVANE_UI_PROGRAM), QStringList());
    QVERIFY(m_program->waitForStarted());
}

void TestCorvaneUiProgram::startService()
{
    QDBusServiceWatcher watcher(kService, QDBusConnection::sessionBus(),
                                QDBusServiceWatcher::WatchForRegistration);
    QSignalSpy registered(&watcher, &QDBusServiceWatcher::serviceRegistered);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CORVANE_UI_TEST_PROBE"), QStringLiteral("1"));
    STEP(startProgram(environment));
    QVERIFY(registered.wait());

    m_listener.reset(new AnswerListener);
    m_answers.reset(new QSignalSpy(m_listener.data(), &AnswerListener::answered));
    QVERIFY(QDBusConnection::sessionBus().connect(kService, kPath, kInterface,
                                                  QStringLiteral("disconnectGprs"),
                                                  m_listener.data(), SLOT(onDisconnectGprs(bool))));
    m_ui.reset(new QDBusInterface(kService, kPath, kInterface, QDBusConnection::sessionBus()));
    QVERIFY(m_ui->isValid());
}

void TestCorvaneUiProgram::stopService(int signalNumber)
{
    QVERIFY(::kill(static_cast<pid_t>(m_program->processId()), signalNumber) == 0);
    QVERIFY(m_program->waitForFinished());
    m_log += QString::fromLocal8Bit(m_program->readAllStandardError());
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
}

void TestCorvaneUiProgram::waitForLog(const QString& line)
{
    QSignalSpy more(m_program, &QProcess::readyReadStandardError);
    while (!m_log.contains(line)) {
        QVERIFY2(more.wait(), qPrintable(QStringLiteral("missing log line: ") + line));
    }
}

QVariant TestCorvaneUiProgram::probe(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kProbePath, kProbeInterface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0) : QVariant();
}

// The bus keeps the order of one sender's messages: a reply that comes back
// now follows every signal sent before it, and those are already queued here.
void TestCorvaneUiProgram::settle()
{
    QVERIFY(probe(QStringLiteral("openDialogs")).isValid());
    QCoreApplication::processEvents();
}

void TestCorvaneUiProgram::answer(bool yes)
{
    QVERIFY(probe(QStringLiteral("answer"), {yes}).toBool());
}

void TestCorvaneUiProgram::twoDisplaysShowOneDialogAndOneSignal()
{
    STEP(startService());
    QVERIFY(m_ui->call(QStringLiteral("displayGprsDisconnectDialog")).type() !=
            QDBusMessage::ErrorMessage);
    QVERIFY(m_ui->call(QStringLiteral("displayGprsDisconnectDialog")).type() !=
            QDBusMessage::ErrorMessage);
    QCOMPARE(probe(QStringLiteral("openDialogs")).toInt(), 1);
    QCOMPARE(probe(QStringLiteral("shownDialogs")).toInt(), 1);

    STEP(answer(true));
    QVERIFY(m_answers->wait());
    STEP(settle());
    QCOMPARE(m_answers->count(), 1);
    QCOMPARE(probe(QStringLiteral("openDialogs")).toInt(), 0);
}

void TestCorvaneUiProgram::dialogShowsTheWarning()
{
    STEP(startService());
    m_ui->call(QStringLiteral("displayGprsDisconnectDialog"));
    const QVariantMap shown = qdbus_cast<QVariantMap>(probe(QStringLiteral("openDialog")));
    QCOMPARE(shown.value(QStringLiteral("title")).toString(), qtTrId("qtn_mms_gprs_warning_title"));
    QCOMPARE(shown.value(QStringLiteral("text")).toString(), qtTrId("qtn_mms_gprs_warning_text"));
    QVERIFY(shown.value(QStringLiteral("title")).toString() !=
            QLatin1String("qtn_mms_gprs_warning_title"));
    QCOMPARE(shown.value(QStringLiteral("systemModal")).toBool(), true);
}

void TestCorvaneUiProgram::answerIsSignalled_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << true << 1024;
    QTest::newRow("no") << false << 0;
}

void TestCorvaneUiProgram::answerIsSignalled()
{
    QFETCH(bool, yes);
    QFETCH(int, result);
    STEP(startService());
    m_ui->call(QStringLiteral("displayGprsDisconnectDialog"));
    STEP(answer(yes));
    QVERIFY(m_answers->wait());
    QCOMPARE(m_answers->count(), 1);
    QCOMPARE(m_answers->at(0).at(0).toBool(), yes);
    STEP(waitForLog(
        QStringLiteral("debug: I: [CORVANE-UI] Dialog is closed, result = %1\n").arg(result)));
}

void TestCorvaneUiProgram::cancelWithoutDialogDoesNothing()
{
    STEP(startService());
    QVERIFY(m_ui->call(QStringLiteral("cancelGprsDisconnectDialog")).type() !=
            QDBusMessage::ErrorMessage);
    STEP(settle());
    QCOMPARE(m_answers->count(), 0);
    QCOMPARE(probe(QStringLiteral("shownDialogs")).toInt(), 0);
    QCOMPARE(probe(QStringLiteral("openDialogs")).toInt(), 0);
}

// The toolkit dialog reports its closing as a refusal.
void TestCorvaneUiProgram::cancelWhileAskingClosesDialog()
{
    STEP(startService());
    m_ui->call(QStringLiteral("displayGprsDisconnectDialog"));
    m_ui->call(QStringLiteral("cancelGprsDisconnectDialog"));
    QCOMPARE(probe(QStringLiteral("openDialogs")).toInt(), 0);
    QVERIFY(m_answers->wait());
    STEP(settle());
    QCOMPARE(m_answers->count(), 1);
    QCOMPARE(m_answers->at(0).at(0).toBool(), false);
}

void TestCorvaneUiProgram::introspectionCarriesTheInterface()
{
    STEP(startService());
    QDBusInterface introspectable(kService, kPath,
                                  QStringLiteral("org.freedesktop.DBus.Introspectable"));
    const QDBusReply<QString> xml = introspectable.call(QStringLiteral("Introspect"));
    QVERIFY2(xml.isValid(), qPrintable(xml.error().message()));

    // The interface as exported is the one documented, method by method and argument by argument.
    const QDomDocument fromBus = parsed(xml.value());
    const QDomElement exported = interfaceElement(fromBus);
    QVERIFY(!exported.isNull());
    const QDomDocument fromFile = parsed(interfaceFile());
    const QDomElement documented = interfaceElement(fromFile);
    QVERIFY(!documented.isNull());
    QCOMPARE(serialised(exported), serialised(documented));
}

void TestCorvaneUiProgram::registrationFailureExitsWithTwo_data()
{
    QTest::addColumn<bool>("nameTaken");
    QTest::addColumn<QString>("busError");
    QTest::newRow("name owned by another connection")
        << true
        << QStringLiteral("Name \"com.quenda.corvane.ui\" is already owned by %1")
               .arg(QDBusConnection::sessionBus().baseService());
    QTest::newRow("no session bus") << false << QStringLiteral("Not connected to D-Bus server");
}

void TestCorvaneUiProgram::registrationFailureExitsWithTwo()
{
    QFETCH(bool, nameTaken);
    QFETCH(QString, busError);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Held by this test's own connection until the test ends.
    const auto release =
        qScopeGuard([] { QDBusConnection::sessionBus().unregisterService(kService); });
    if (nameTaken) {
        QVERIFY(QDBusConnection::sessionBus().registerService(kService));
    } else {
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:path=/nonexistent/corvane-ui-bus"));
    }
    STEP(startProgram(environment));
    QVERIFY(m_program->waitForFinished());
    m_log += QString::fromLocal8Bit(m_program->readAllStandardError());
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 2);
    QVERIFY2(
        m_log.contains(QStringLiteral("critical: [CORVANE-UI] Failed to register DBus service: ") +
                       busError + QLatin1Char('\n')),
        qPrintable(m_log));
    QVERIFY(!m_log.contains(QStringLiteral("debug: I: [CORVANE_UI] Starting")));
    QVERIFY(m_log.contains(QStringLiteral("debug: I: [CORVANE_UI] Exit with error: 2\n")));
}

void TestCorvaneUiProgram::signalEndsWithZero_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("asking");
    QTest::newRow("SIGTERM, idle") << int(SIGTERM) << false;
    QTest::newRow("SIGTERM, dialog showing") << int(SIGTERM) << true;
    QTest::newRow("SIGINT, idle") << int(SIGINT) << false;
}

void TestCorvaneUiProgram::signalEndsWithZero()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, asking);
    STEP(startService());
    if (asking) {
        m_ui->call(QStringLiteral("displayGprsDisconnectDialog"));
    }
    STEP(waitForLog(QStringLiteral("debug: I: [CORVANE_UI] Starting\n")));
    STEP(stopService(signalNumber));
    QCOMPARE(m_program->exitCode(), 0);
    QVERIFY2(m_log.contains(QStringLiteral("debug: I: [CORVANE_UI] Exit with error: 0\n")),
             qPrintable(m_log));
    QCOMPARE(
        m_log.contains(QStringLiteral("debug: I: [CORVANE-UI] Dialog is closed, result = 0\n")),
        asking);
}

// Two clients fire display and cancel in a random interleaving without
// waiting; the service must never show more than one dialog, answer every
// dialog with exactly one signal, never keep more than one dialog alive and
// stay responsive.
void TestCorvaneUiProgram::interleavedLoadFromTwoClients()
{
    constexpr int kCalls = 1000;
    STEP(startService());
    QDBusConnection clients[] = {
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("clientA")),
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("clientB"))};
    QRandomGenerator random(20261206);
    QVector<QDBusPendingCall> pending;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kCalls; ++i) {
        const QString method = random.bounded(2) ? QStringLiteral("displayGprsDisconnectDialog")
                                                 : QStringLiteral("cancelGprsDisconnectDialog");
        pending << clients[i % 2].asyncCall(
            QDBusMessage::createMethodCall(kService, kPath, kInterface, method));
    }
    for (QDBusPendingCall& call : pending) {
        call.waitForFinished();
        QVERIFY2(!call.isError(), qPrintable(call.error().message()));
    }
    const qint64 elapsed = clock.elapsed();
    STEP(settle());

    const int shown = probe(QStringLiteral("shownDialogs")).toInt();
    const int open = probe(QStringLiteral("openDialogs")).toInt();
    const int peakOpen = probe(QStringLiteral("peakOpenDialogs")).toInt();
    qInfo("%d calls from 2 clients answered in %lld ms: %d dialogs shown, %d signals, "
          "peak open %d, peak alive %d, alive after the burst %d",
          kCalls, elapsed, shown, int(m_answers->count()), peakOpen,
          probe(QStringLiteral("peakAliveDialogs")).toInt(),
          probe(QStringLiteral("aliveDialogs")).toInt());
    QVERIFY(shown > 1);
    QCOMPARE(peakOpen, 1);
    QCOMPARE(probe(QStringLiteral("peakAliveDialogs")).toInt(), 1);
    QCOMPARE(m_answers->count(), shown - open);
    QCOMPARE(probe(QStringLiteral("aliveDialogs")).toInt(), open);

    QCOMPARE(m_program->state(), QProcess::Running);
    QDBusInterface peer(kService, kPath, QStringLiteral("org.freedesktop.DBus.Peer"));
    QVERIFY(peer.call(QStringLiteral("Ping")).type() == QDBusMessage::ReplyMessage);
    for (auto& client : clients) {
        QDBusConnection::disconnectFromBus(client.name());
    }
}

QTEST_GUILESS_MAIN(TestCorvaneUiProgram)
#include "tst_corvaneuiprogram.moc"
