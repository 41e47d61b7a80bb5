#include "contactcardfiles.h"
#include "mmsbubbleicon.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmsconversationbubble.h"
#include "timestampcache.h"
#include "viewertest.h"
#include "visiblewindow.h"
#include "widgettest.h"

#include "avatarwidget.h"
#include "basepage.h"
#include "chatsessionmanager.h"
#include "tkquerydialog.h"
#include "tkstyle.h"

#include <QAction>
#include <QtTest>

// What a bubble shows for an event, its click, and its deletion with the
// deleted-unread read report that the connection manager program records.

using Chronel::Event;
using Chronel::MessagePart;
Q_DECLARE_METATYPE(QList<Chronel::MessagePart>)

namespace {

const QString kRemote = QStringLiteral("+358401234567");
const QDateTime kTime(QDate(2024, 5, 17), QTime(18, 5), Qt::UTC);
const int kNoQuestion = -1;

MessagePart textPart(const QString& text)
{
    return MessagePart("<t.txt>", "text/plain;charset=utf-8", QString(), text);
}

MessagePart filePart(const QString& type, const QString& path)
{
    return MessagePart("<f>", type, path);
}

Event bubbleEvent(Event::EventDirection direction, const QList<MessagePart>& parts,
                  const QString& subject = QString())
{
    Event event;
    event.setType(Event::MMSEvent);
    event.setDirection(direction);
    event.setSubject(subject);
    event.setMessageParts(parts);
    event.setStartTime(kTime);
    return event;
}

QLabel* label(const QWidget* bubble, const char* styleName)
{
    for (QLabel* candidate : bubble->findChildren<QLabel*>()) {
        if (candidate->isVisibleTo(bubble) && tk::styleName(candidate) == styleName)
            return candidate;
    }
    return nullptr;
}

// The bubble's visible text in its column order, " / " between the lines.
QString shownText(const QWidget* bubble)
{
    QStringList lines;
    for (const char* style :
         {"MMSBubbleSubjectIncoming", "MMSBubbleSubjectOutgoing", "MMSBubbleNotification"}) {
        if (const QLabel* line = label(bubble, style))
            lines << plainText(line->text());
    }
    return lines.join(QStringLiteral(" / "));
}

// "icon:<file name>", "avatar:picture" or "avatar:none".
QString shownAttachment(const QWidget* bubble)
{
    const auto* icon = bubble->findChild<MMSBubbleIcon*>();
    if (icon->isVisibleTo(bubble))
        return QStringLiteral("icon:") + QFileInfo(icon->filePath()).fileName();
    const auto* avatar = bubble->findChild<AvatarWidget*>();
    return avatar->pixmap().isNull() ? QStringLiteral("avatar:none")
                                     : QStringLiteral("avatar:picture");
}

// The question on screen; answered ones linger until deleted.
const auto openQuestion = &visibleWindow<TkQueryDialog>;

// Shows the event as the conversation does, outside any scrolling view.
void update(MmsConversationBubble* bubble, const Event& event)
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No pannable parent found for"));
    bubble->updateEvent(event);
}

class ConversationPage : public BasePage
{
public:
    using BasePage::BasePage;
    void createContent() override {}
};

} // namespace

class TestMmsConversationBubble : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        forgetUserData();
        installCatalogue();
        m_control = newControl(this);
        m_connectionManager = new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this);
        QVERIFY(m_connectionManager->start());
    }

    void content_data()
    {
        namespace files = contactcardfiles;
        columns<Event, QString, QString>({"event", "text", "attachment"});
        const QString picture = m_files.filePath("photo.jpg");
        const QString withPhoto =
            files::write(m_files.path(), "photo.vcf",
                         files::card({"N:Berg;Anna;;;", files::photoLine({8, 8}, Qt::red)}));
        const QString broken = files::write(m_files.path(), "broken.vcf", "BEGIN:VCARD\r\nN:");
        const auto in = Event::Inbound;
        const auto out = Event::Outbound;
        const auto row = [](const char* tag, const Event& event, const QString& text,
                            const QString& attachment = "icon:") {
            QTest::addRow("%s", tag) << event << text << attachment;
        };
        const QString mms = "Multimedia message";
        row("subject wins over text", bubbleEvent(out, {textPart("Body")}, "Subject"), "Subject");
        row("text only, empty icon", bubbleEvent(in, {textPart("Body")}), "Body");
        row("presentation and blank text skipped",
            bubbleEvent(in, {filePart("application/smil", "p.smil"), textPart(" \n"),
                             textPart("Second"), filePart("image/jpeg", picture)}),
            "Second", "icon:photo.jpg");
        row("no parts", bubbleEvent(in, {}), mms);
        row("markup shown as text",
            bubbleEvent(in, {textPart("<script>x</script> &amp;")}, "<b>bold</b>"), "<b>bold</b>");
        row("markup in the text", bubbleEvent(in, {textPart("<b>&amp;\r\nok")}), "<b>&amp;\nok");
        row("missing file", bubbleEvent(out, {filePart("image/png", m_files.filePath("gone.png"))}),
            mms, "icon:gone.png");
        row("vCard picture", bubbleEvent(in, {filePart("text/x-vCard", withPhoto)}), mms,
            "avatar:picture");
        row("unreadable vCard", bubbleEvent(in, {filePart("text/directory", broken)}), mms,
            "avatar:none");
        Event notification = bubbleEvent(in, {}, "Harbour");
        notification.setContentLocation("http://mmsc/1");
        row("notification, status 0", notification, "Harbour / Tap to download");
        notification.setStatus(Event::DeliveredStatus);
        row("notification, status 3", notification, "Harbour / Download stopped. Tap to continue");
        notification.setStatus(Event::PermanentlyFailedStatus);
        row("notification, status 5", notification, "Harbour / Download failed. Tap to retry");
        row("1 MB text elided", bubbleEvent(in, {textPart(QString(1 << 20, QLatin1Char('<')))}),
            "elided");
    }
    void content()
    {
        QFETCH(Event, event);
        QFETCH(QString, text);
        QFETCH(QString, attachment);
        MmsConversationBubble bubble(event);
        update(&bubble, event);
        const QString shown = shownText(&bubble);
        if (text == QLatin1String("elided")) {
            const bool ellipsis = shown.endsWith(QChar(0x2026)) || shown.endsWith("...");
            QVERIFY2(ellipsis && shown.size() < 300, qPrintable(shown));
        } else {
            QCOMPARE(shown, text);
        }
        QCOMPARE(shownAttachment(&bubble), attachment);
        QVERIFY(bubble.sizeHint().width() > 0 && bubble.sizeHint().height() > 0);
    }

    void statusLine_data()
    {
        columns<int, int, bool, QString>({"status", "readStatus", "deliveryReport", "expected"});
        QTest::newRow("sending") << 1 << 0 << true << "Sending";
        QTest::newRow("sent, report asked") << 2 << 0 << true << "Delivery pending | %1";
        QTest::newRow("sent") << 2 << 0 << false << "%1";
        QTest::newRow("read") << 3 << 1 << false << "Read | %1";
        QTest::newRow("deleted unread") << 3 << 2 << true << "Deleted without reading | %1";
        QTest::newRow("delivered, report asked") << 3 << 0 << true << "Delivered | %1";
        QTest::newRow("failed") << 4 << 0 << false << "Failed | %1";
        QTest::newRow("failed for good") << 5 << 0 << true << "Delivery failed | %1";
    }
    void statusLine()
    {
        QFETCH(int, status);
        QFETCH(int, readStatus);
        QFETCH(bool, deliveryReport);
        QFETCH(QString, expected);
        Event event = bubbleEvent(Event::Outbound, {textPart("Hi")});
        event.setStatus(Event::EventStatus(status));
        event.setReadStatus(Event::ReadStatus(readStatus));
        event.setReportDelivery(deliveryReport);
        MmsConversationBubble bubble(event);
        update(&bubble, event);
        const QString time = TimestampCache::instance()->timestamp(kTime);
        const char* style =
            status >= 4 ? "MMSBubbleTimestampOutgoingFailed" : "MMSBubbleTimestampOutgoing";
        QCOMPARE(label(&bubble, style) ? label(&bubble, style)->text() : "", expected.arg(time));
        // A received message shows its time alone, whatever its status.
        event.setDirection(Event::Inbound);
        bubble.updateEvent(event);
        QCOMPARE(label(&bubble, "MMSBubbleTimestampIncoming")->text(), time);
    }

    void click_data()
    {
        columns<int, int, bool>({"direction", "status", "resent"});
        QTest::newRow("failed sent message") << int(Event::Outbound) << 4 << true;
        QTest::newRow("failed for good") << int(Event::Outbound) << 5 << true;
        QTest::newRow("sent message") << int(Event::Outbound) << 3 << false;
        QTest::newRow("received failed download") << int(Event::Inbound) << 4 << false;
    }
    void click()
    {
        QFETCH(int, direction);
        QFETCH(int, status);
        QFETCH(bool, resent);
        ViewerHost host;
        auto* conversation = new ConversationPage(&host.manager);
        host.manager.showPage(conversation);
        Event event = storedMessage(Event::EventDirection(direction), {textPart("Hi")});
        event.setStatus(Event::EventStatus(status));
        auto* bubble = new MmsConversationBubble(event, conversation);
        QSignalSpy resend(bubble, &MmsConversationBubble::resendMessage);
        update(bubble, event);
        QTest::ignoreMessage(
            QtDebugMsg,
            qPrintable(QStringLiteral("[MMS-UI-BUBBLE] Bubble clicked %1").arg(event.id())));
        emit bubble->clicked();
        QCOMPARE(resend.size(), int(resent));
        QCOMPARE(host.manager.viewerRequests, resent ? QList<int>() : QList<int>{event.id()});
    }

    void deletion_data()
    {
        columns<int, bool, int, int, bool, bool>(
            {"mode", "requested", "deleteAnswer", "reportAnswer", "deleted", "reported"});
        const int yes = TkQueryDialog::Yes;
        const int no = TkQueryDialog::No;
        QTest::newRow("deletion refused") << 1 << true << no << kNoQuestion << false << false;
        QTest::newRow("ask, yes") << 0 << true << yes << yes << true << true;
        QTest::newRow("ask, no") << 0 << true << yes << no << true << false;
        QTest::newRow("always send") << 1 << true << yes << kNoQuestion << true << true;
        QTest::newRow("never send") << 2 << true << yes << kNoQuestion << true << false;
        QTest::newRow("no report asked") << 0 << false << yes << kNoQuestion << true << false;
    }
    void deletion()
    {
        QFETCH(int, mode);
        QFETCH(bool, requested);
        QFETCH(int, deleteAnswer);
        QFETCH(int, reportAnswer);
        QFETCH(bool, deleted);
        QFETCH(bool, reported);
        setReadReportMode(mode);
        ChatSessionManager::instance()->reset();
        Event event = storedMessage(Event::Inbound, {textPart("Hi")}, kRemote);
        event.setMmsId(QStringLiteral("mms-%1").arg(event.id()));
        event.setReportReadRequested(requested);
        QPointer<MmsConversationBubble> bubble = new MmsConversationBubble(event);
        update(bubble, event);
        QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);

        bubble->actions().first()->trigger();
        openQuestion()->done(deleteAnswer);
        if (reportAnswer != kNoQuestion) {
            QVERIFY(QTest::qWaitFor([&] { return openQuestion(); }));
            QCOMPARE(openQuestion()->text(), qtTrId("qtn_mms_allow_deleted_receipt_single"));
            // The message stays until the question is answered.
            QVERIFY(storedEvent(event.id()).isValid());
            openQuestion()->done(reportAnswer);
        }
        QTest::qWait(0);
        QCOMPARE(!storedEvent(event.id()).isValid(), deleted);
        // The host removes the deleted message's bubble before the report is out.
        delete bubble;
        if (reported) {
            QVERIFY(received.wait());
            QCOMPARE(m_control->ReadReports().value().last(),
                     (ReadReport{event.mmsId(), kRemote, false}));
        } else {
            QVERIFY(!received.wait(500));
        }
    }

private:
    QTemporaryDir m_files;
    MmscmControl* m_control = nullptr;
    MmscmProcess* m_connectionManager = nullptr;
};

QTEST_MAIN(TestMmsConversationBubble)
#include "tst_mmsconversationbubble.moc"
