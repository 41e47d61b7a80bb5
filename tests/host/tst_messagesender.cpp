#include "historystore.h"
#include "messagesender.h"
#include "mmscmprocess.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");

MessageSender::PropertyMap map(const QVariantMap& values)
{
    MessageSender::PropertyMap result;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        result.insert(it.key(), QDBusVariant(it.value()));
    }
    return result;
}

MessageSender::PropertyMap header(const QString& to, const QString& cc = QString())
{
    QVariantMap values{{QStringLiteral("message-subject"), QStringLiteral("Holiday")},
                       {QStringLiteral("message-token"), QStringLiteral("token-1")},
                       {QStringLiteral("message-validity"), 86400u},
                       {QStringLiteral("x-mms-message-size"), 1234u}};
    if (!to.isEmpty()) {
        values.insert(QStringLiteral("message-to"), to);
    }
    if (!cc.isEmpty()) {
        values.insert(QStringLiteral("message-cc"), cc);
    }
    return map(values);
}

} // namespace

class TestMessageSender : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void recordsOutgoingMessage();
    void textOnlyMessage();
    void reportFlags_data();
    void reportFlags();
    void refusedMessages_data();
    void refusedMessages();
    void autoDeleteAfterReport();
    void handOverFailures_data();
    void handOverFailures();

private:
    QList<MessageSender::PropertyMap> pictureMessage() const;

    QTemporaryDir m_folder;
    QString m_picture;
    MmscmProcess* m_connectionManager = nullptr;
};

void TestMessageSender::initTestCase()
{
    Chronel::HistoryStore::instance()->close();
    QFile::remove(Chronel::HistoryStore::databasePath());
    m_picture = m_folder.filePath(QStringLiteral("photo.jpg"));
    // The connection manager sends part files, also of the parts carrying their text.
    for (const QString& name : {QStringLiteral("photo.jpg"), QStringLiteral("0.smil"),
                                QStringLiteral("text_001.txt"), QStringLiteral("text.txt")}) {
        QFile file(m_folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not really a jpeg");
    }
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    m_connectionManager->setStepInterval(0);
    QVERIFY2(m_connectionManager->start(), qPrintable(m_connectionManager->errorString()));
}

QList<MessageSender::PropertyMap> TestMessageSender::pictureMessage() const
{
    const QString smil = QStringLiteral("<smil/>");
    return {header(QStringLiteral("+358401234567;0401112223"), QStringLiteral("ann@example.com")),
            map({{QStringLiteral("content-type"), QStringLiteral("application/smil")},
                 {QStringLiteral("identifier"), QStringLiteral("sindex:0001;<0>")},
                 {QStringLiteral("size"), qint64(smil.size())},
                 {QStringLiteral("content"), smil},
                 {QStringLiteral("content-location"), m_folder.filePath("0.smil")}}),
            map({{QStringLiteral("content-type"), QStringLiteral("text/plain")},
                 {QStringLiteral("identifier"), QStringLiteral("sindex:0011;<1>")},
                 {QStringLiteral("content"), QStringLiteral("Hi")},
                 {QStringLiteral("content-location"), m_folder.filePath("text_001.txt")}}),
            map({{QStringLiteral("content-type"), QStringLiteral("image/jpeg")},
                 {QStringLiteral("identifier"), QStringLiteral("sindex:0021;<2>")},
                 {QStringLiteral("size"), qint64(17)},
                 {QStringLiteral("content-location"), m_picture}})};
}

void TestMessageSender::recordsOutgoingMessage()
{
    MessageSender sender(QStringLiteral("+358401234567"), kAccount, false);
    QSignalSpy added(Chronel::HistoryStore::instance(), &Chronel::HistoryStore::eventsAdded);
    QSignalSpy sent(&sender, &MessageSender::sent);
    QSignalSpy failed(&sender, &MessageSender::failed);
    QVERIFY(sender.send(pictureMessage(), QString()));
    QCOMPARE(added.count(), 1);
    // The verdict comes from the loop, so a caller may connect after send().
    QCOMPARE(sent.count(), 0);
    QVERIFY(sent.wait());
    QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("token-1"));
    QCOMPARE(failed.count(), 0);

    Chronel::Event event;
    QVERIFY(Chronel::HistoryStore::instance()->getEvent(sender.eventId(), event));
    QCOMPARE(event.type(), Chronel::Event::MMSEvent);
    QCOMPARE(event.direction(), Chronel::Event::Outbound);
    // The connection manager wrote what it reported.
    QCOMPARE(event.status(), Chronel::Event::SentStatus);
    QCOMPARE(event.localUid(), kAccount);
    QCOMPARE(event.remoteUid(), QStringLiteral("+358401234567"));
    QCOMPARE(event.messageToken(), QStringLiteral("token-1"));
    QCOMPARE(event.subject(), QStringLiteral("Holiday"));
    QCOMPARE(event.toList(),
             (QStringList{QStringLiteral("+358401234567"), QStringLiteral("0401112223")}));
    QCOMPARE(event.ccList(), QStringList{QStringLiteral("ann@example.com")});
    QVERIFY(event.bccList().isEmpty());
    QCOMPARE(event.freeText(), QStringLiteral("Hi"));
    QVERIFY(event.startTime().isValid());
    const QList<Chronel::MessagePart> parts = event.messageParts();
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0).contentType(), QStringLiteral("application/smil"));
    QCOMPARE(parts.at(0).contentId(), QStringLiteral("sindex:0001;<0>"));
    QCOMPARE(parts.at(0).plainTextContent(), QStringLiteral("<smil/>"));
    QCOMPARE(parts.at(1).plainTextContent(), QStringLiteral("Hi"));
    QCOMPARE(parts.at(2).contentType(), QStringLiteral("image/jpeg"));
    QCOMPARE(parts.at(2).contentId(), QStringLiteral("sindex:0021;<2>"));
    QCOMPARE(parts.at(2).contentLocation(), m_picture);
    QVERIFY(parts.at(2).plainTextContent().isEmpty());
}

void TestMessageSender::textOnlyMessage()
{
    MessageSender sender(QStringLiteral("0401112223"), kAccount, false);
    QSignalSpy sent(&sender, &MessageSender::sent);
    QVERIFY(sender.send({header(QStringLiteral("0401112223")),
                         map({{QStringLiteral("content-type"), QStringLiteral("text/plain")},
                              {QStringLiteral("content"), QStringLiteral("Hello")},
                              {QStringLiteral("content-location"),
                               m_folder.filePath(QStringLiteral("text.txt"))}})},
                        QStringLiteral("Shown text")));
    QVERIFY(sent.wait());
    Chronel::Event event;
    QVERIFY(Chronel::HistoryStore::instance()->getEvent(sender.eventId(), event));
    QCOMPARE(event.freeText(), QStringLiteral("Shown text"));
    QCOMPARE(event.messageParts().value(0).plainTextContent(), QStringLiteral("Hello"));
}

void TestMessageSender::reportFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("delivery");
    QTest::addColumn<bool>("read");
    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("delivery") << 1 << true << false;
    QTest::newRow("read") << 2 << false << true;
    QTest::newRow("both") << 3 << true << true;
}

void TestMessageSender::reportFlags()
{
    QFETCH(int, flags);
    QFETCH(bool, delivery);
    QFETCH(bool, read);
    MessageSender sender(QStringLiteral("+358401234567"), kAccount, false);
    sender.setReportFlags(flags);
    QVERIFY(sender.send(pictureMessage(), QString()));
    Chronel::Event event;
    QVERIFY(Chronel::HistoryStore::instance()->getEvent(sender.eventId(), event));
    QCOMPARE(event.reportDelivery(), delivery);
    QCOMPARE(event.reportRead(), read);
}

void TestMessageSender::refusedMessages_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("failure");
    QTest::newRow("nothing") << 0 << int(MessageSender::InvalidMessage);
    QTest::newRow("no recipient") << 1 << int(MessageSender::InvalidMessage);
    QTest::newRow("no token") << 2 << int(MessageSender::InvalidMessage);
    QTest::newRow("part file gone") << 3 << int(MessageSender::MissingPart);
}

void TestMessageSender::refusedMessages()
{
    QFETCH(int, kind);
    QFETCH(int, failure);
    QList<MessageSender::PropertyMap> maps;
    if (kind == 1) {
        maps = {header(QString())};
    } else if (kind == 2) {
        maps = pictureMessage();
        maps[0].remove(QStringLiteral("message-token"));
    } else if (kind == 3) {
        maps = pictureMessage();
        maps[3].insert(QStringLiteral("content-location"),
                       QDBusVariant(m_folder.filePath(QStringLiteral("gone.jpg"))));
    }
    const int stored = Chronel::HistoryStore::instance()->events().size();
    MessageSender sender(QStringLiteral("+358401234567"), kAccount, false);
    QSignalSpy sent(&sender, &MessageSender::sent);
    QSignalSpy failed(&sender, &MessageSender::failed);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^\\[MESSAGE-SENDER\\] message .* not "
                                                           "sent, failure %1$")
                                                .arg(failure)));
    QVERIFY(!sender.send(maps, QString()));
    QVERIFY(failed.wait());
    QCOMPARE(failed.at(0).at(1).toInt(), failure);
    QCOMPARE(sent.count(), 0);
    QCOMPARE(sender.eventId(), -1);
    QCOMPARE(Chronel::HistoryStore::instance()->events().size(), stored);
}

void TestMessageSender::autoDeleteAfterReport()
{
    QPointer<MessageSender> sender =
        new MessageSender(QStringLiteral("+358401234567"), kAccount, true);
    QSignalSpy destroyed(sender.data(), &QObject::destroyed);
    sender->send(pictureMessage(), QString());
    QVERIFY(destroyed.wait());
    QVERIFY(sender.isNull());
}

// The message stays in the history, marked failed, and the failure is reported.
void TestMessageSender::handOverFailures_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("connectionManager");
    QTest::newRow("token not a plain name") << QStringLiteral("../outside") << true;
    QTest::newRow("no connection manager") << QStringLiteral("token-2") << false;
}

void TestMessageSender::handOverFailures()
{
    QFETCH(QString, token);
    QFETCH(bool, connectionManager);
    if (!connectionManager) {
        QVERIFY(m_connectionManager->stop());
    }
    QList<MessageSender::PropertyMap> maps = pictureMessage();
    maps[0].insert(QStringLiteral("message-token"), QDBusVariant(token));
    MessageSender sender(QStringLiteral("+358401234567"), kAccount, false);
    QSignalSpy failed(&sender, &MessageSender::failed);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^\\[MESSAGE-SENDER\\] message .* not "
                                                           "handed over: ")));
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(
            QStringLiteral(" not sent, failure %1$").arg(MessageSender::NotHandedOver)));
    QVERIFY(sender.send(maps, QString()));
    QVERIFY(failed.wait());
    QCOMPARE(failed.at(0).at(0).toString(), token);
    Chronel::Event event;
    QVERIFY(Chronel::HistoryStore::instance()->getEvent(sender.eventId(), event));
    QCOMPARE(event.status(), Chronel::Event::TemporarilyFailedStatus);
}

QTEST_MAIN(TestMessageSender)
#include "tst_messagesender.moc"
