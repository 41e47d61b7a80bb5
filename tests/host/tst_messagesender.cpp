#include "historystore.h"
#include "messagesender.h"
#include "mmscmprocess.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using Maps = QList<MessageSender::PropertyMap>;
const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");
const QString kRemote = QStringLiteral("+358401234567");

MessageSender::PropertyMap map(const QVariantMap& values)
{
    MessageSender::PropertyMap result;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        result.insert(it.key(), QDBusVariant(it.value()));
    return result;
}

MessageSender::PropertyMap header(const QString& to)
{
    QVariantMap values{{"message-subject", "Holiday"},
                       {"message-token", "token-1"},
                       {"message-validity", 86400u},
                       {"x-mms-message-size", 1234u}};
    if (!to.isEmpty())
        values.insert("message-to", to);
    return map(values);
}

// What the history holds of the sender's message, one line per event field and part.
QStringList recorded(const MessageSender& sender)
{
    Chronel::Event event;
    Chronel::HistoryStore::instance()->getEvent(sender.eventId(), event);
    QStringList lines{
        QString("%1 %2 %3").arg(event.type()).arg(event.direction()).arg(event.status()),
        event.localUid(),
        event.remoteUid(),
        event.messageToken(),
        event.subject(),
        event.toList().join(';'),
        event.ccList().join(';'),
        event.bccList().join(';'),
        event.freeText(),
        QString("reports %1 %2").arg(event.reportDelivery()).arg(event.reportRead())};
    for (const Chronel::MessagePart& part : event.messageParts()) {
        lines << QStringList{part.contentType(), part.contentId(), part.plainTextContent(),
                             QFileInfo(part.contentLocation()).fileName()}
                     .join('|');
    }
    return lines;
}

} // namespace

// The host's sender over the real connection manager program: the message it records in the
// history, and every way a message is refused or not handed over.
class TestMessageSender : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    // A part map of a file in the test's folder, its size that of the file.
    MessageSender::PropertyMap part(const char* type, const char* id, const QString& file,
                                    const QString& content = QString()) const
    {
        QVariantMap values{{"content-type", type},
                           {"identifier", id},
                           {"size", QFileInfo(m_folder.filePath(file)).size()},
                           {"content-location", m_folder.filePath(file)}};
        if (!content.isEmpty())
            values.insert("content", content);
        return map(values);
    }

    Maps pictureMessage() const
    {
        MessageSender::PropertyMap to = header("+358401234567;0401112223");
        to.insert("message-cc", QDBusVariant("ann@example.com"));
        return {to, part("application/smil", "sindex:0001;<0>", "0.smil", "<smil/>"),
                part("text/plain", "sindex:0011;<1>", "text_001.txt", "Hi"),
                part("image/jpeg", "sindex:0021;<2>", "photo.jpg")};
    }

private slots:
    void initTestCase()
    {
        Chronel::HistoryStore::instance()->close();
        QFile::remove(Chronel::HistoryStore::databasePath());
        // The connection manager sends part files, also of the parts carrying their text.
        for (const char* name : {"photo.jpg", "0.smil", "text_001.txt", "text.txt"}) {
            QFile file(m_folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not really a jpeg") > 0);
        }
        auto* connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
        connectionManager->setStepInterval(0);
        QVERIFY2(connectionManager->start(), qPrintable(connectionManager->errorString()));
    }

    // The status is the one the connection manager wrote; the shown text that of the first
    // text part unless the caller gives one.
    void recordsOutgoingMessage()
    {
        MessageSender sender(kRemote, kAccount, false);
        sender.setReportFlags(MessageSender::ReportRead);
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
        const int mms = Chronel::Event::MMSEvent;
        const int out = Chronel::Event::Outbound;
        QCOMPARE(recorded(sender),
                 (QStringList{QString("%1 %2 %3").arg(mms).arg(out).arg(Chronel::Event::SentStatus),
                              kAccount, kRemote, "token-1", "Holiday", "+358401234567;0401112223",
                              "ann@example.com", "", "Hi", "reports 0 1",
                              "application/smil|sindex:0001;<0>|<smil/>|0.smil",
                              "text/plain|sindex:0011;<1>|Hi|text_001.txt",
                              "image/jpeg|sindex:0021;<2>||photo.jpg"}));

        MessageSender textOnly("0401112223", kAccount, false);
        textOnly.setReportFlags(MessageSender::ReportDelivery);
        QSignalSpy textSent(&textOnly, &MessageSender::sent);
        QVERIFY(textOnly.send({header("0401112223"), part("text/plain", "", "text.txt", "Hello")},
                              "Shown text"));
        QVERIFY(textSent.wait());
        QCOMPARE(recorded(textOnly).mid(8, 3),
                 (QStringList{"Shown text", "reports 1 0", "text/plain||Hello|text.txt"}));
    }

    void refusedMessages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("failure");
        QTest::newRow("nothing") << 0 << int(MessageSender::InvalidMessage);
        QTest::newRow("no recipient") << 1 << int(MessageSender::InvalidMessage);
        QTest::newRow("no token") << 2 << int(MessageSender::InvalidMessage);
        QTest::newRow("part file gone") << 3 << int(MessageSender::MissingPart);
    }

    void refusedMessages()
    {
        QFETCH(int, kind);
        QFETCH(int, failure);
        Maps maps = kind == 1 ? Maps{header(QString())} : kind > 1 ? pictureMessage() : Maps();
        if (kind == 2)
            maps[0].remove("message-token");
        else if (kind == 3)
            maps[3].insert("content-location", QDBusVariant(m_folder.filePath("gone.jpg")));
        const int stored = Chronel::HistoryStore::instance()->events().size();
        MessageSender sender(kRemote, kAccount, false);
        QSignalSpy sent(&sender, &MessageSender::sent);
        QSignalSpy failed(&sender, &MessageSender::failed);
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(
                QString("^\\[MESSAGE-SENDER\\] message .* not sent, failure %1$").arg(failure)));
        QVERIFY(!sender.send(maps, QString()));
        QVERIFY(failed.wait());
        QCOMPARE(failed.at(0).at(1).toInt(), failure);
        QCOMPARE(sent.count(), 0);
        QCOMPARE(sender.eventId(), -1);
        QCOMPARE(Chronel::HistoryStore::instance()->events().size(), stored);
    }

    // A token the connection manager refuses: the message stays in the history, marked
    // failed, and the failure is reported.
    void handOverFailure()
    {
        Maps maps = pictureMessage();
        maps[0].insert("message-token", QDBusVariant("../outside"));
        MessageSender sender(kRemote, kAccount, false);
        QSignalSpy failed(&sender, &MessageSender::failed);
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("^\\[MESSAGE-SENDER\\] message .* not handed over: "));
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(
                              QString(" not sent, failure %1$").arg(MessageSender::NotHandedOver)));
        QVERIFY(sender.send(maps, QString()));
        QVERIFY(failed.wait());
        QCOMPARE(failed.at(0).at(0).toString(), QString("../outside"));
        QCOMPARE(recorded(sender).first().section(' ', 2).toInt(),
                 int(Chronel::Event::TemporarilyFailedStatus));
    }
};

QTEST_MAIN(TestMessageSender)
#include "tst_messagesender.moc"
