#include "imagemedia.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmshandover.h"
#include "mmsheadermap.h"
#include "mmsmessagefolder.h"
#include "mmsmessagelayout.h"
#include "pipelinetestdata.h"
#include "viewertest.h"

#include <QTemporaryDir>
#include <QtTest>

// What the composer writes, the viewer shows: a message goes through the
// send pipeline (folder, SMIL presentation, part maps, the host's sender,
// which records it in the history) and the sent message is opened in the
// viewer page.

class TestViewerRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sentMessageShowsItsSlides_data();
    void sentMessageShowsItsSlides();

private:
    // Sends the message through the pipeline; the event the host's sender recorded.
    Chronel::Event send(const MmsOutgoingMessage& message);

    QTemporaryDir m_files;
    MmscmProcess* m_connectionManager = nullptr;
};

void TestViewerRoundTrip::initTestCase()
{
    forgetUserData();
    installCatalogue();
    setReadReportMode(MmsMainConfig::READ_REPORT_DO_NOT_SEND);
    QVERIFY(m_files.isValid());
    m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
    m_connectionManager->setStepInterval(0);
    QVERIFY2(m_connectionManager->start(), qPrintable(m_connectionManager->errorString()));
}

Chronel::Event TestViewerRoundTrip::send(const MmsOutgoingMessage& message)
{
    MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
    QList<MessageSender::PropertyMap> sendList{MmsHeaderMap::build(message, folder.token(), 1)};
    if (!folder.prepareMessageFolder() ||
        !MmsMessageLayout().processAttachments(folder, message, sendList)) {
        return Chronel::Event();
    }
    QPointer<MessageSender> sender =
        MmsHandOver::send(MmsPipelineFlavour::editor(), sendList, message.to);
    QSignalSpy sent(sender.data(), &MessageSender::sent);
    return sent.wait() ? storedEvent(sender->eventId()) : Chronel::Event();
}

void TestViewerRoundTrip::sentMessageShowsItsSlides_data()
{
    QTest::addColumn<bool>("presentation");
    QTest::addColumn<QStringList>("slides");
    QTest::newRow("from the presentation")
        << true << QStringList{"photo.png + Harbour at six", "Bring a jacket", "card.vcf"};
    // Without it every part is a slide of its own, in message order.
    QTest::newRow("in order without one")
        << false << QStringList{"Harbour at six", "photo.png", "Bring a jacket", "card.vcf"};
}

void TestViewerRoundTrip::sentMessageShowsItsSlides()
{
    QFETCH(bool, presentation);
    QFETCH(QStringList, slides);
    MmsOutgoingMessage message;
    message.to = QStringList{"+358401234567"};
    message.subject = "Harbour";
    message.attachments
        << testAttachment(imagemedia::writePicture(m_files.filePath("photo.png"), 64, 48, Qt::red),
                          "image/png", "Harbour at six")
        << testAttachment(QString(), QString(), "Bring a jacket")
        << testAttachment(imagemedia::writeBytes(m_files.filePath("card.vcf"),
                                                 "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Friend;Ann\r\n"
                                                 "TEL:+358401111111\r\nEND:VCARD\r\n"),
                          "text/x-vcard", QString());
    Chronel::Event event = send(message);
    QVERIFY(event.isValid());
    QCOMPARE(event.direction(), Chronel::Event::Outbound);
    if (!presentation) {
        QList<Chronel::MessagePart> parts = event.messageParts();
        QCOMPARE(parts.takeFirst().contentType(), QString("application/smil"));
        event.setMessageParts(parts);
        QVERIFY(Chronel::HistoryStore::instance()->modifyEvent(event));
    }

    ViewerHost host;
    MmsViewerPage* page = host.open(event);
    QTRY_COMPARE(shownSlides(page), slides);
}

QTEST_MAIN(TestViewerRoundTrip)
#include "tst_viewerroundtrip.moc"
