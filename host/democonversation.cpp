#include "democonversation.h"

#include "contactwidgetsgallery.h"
#include "gallerymedia.h"
#include "historystore.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString kTokenPrefix = QStringLiteral("dravel-demo-conversation");
const QString kFriend = QStringLiteral("+358409876543");
const QString kAccount = QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");

struct SentState
{
    Chronel::Event::EventStatus status;
    Chronel::Event::ReadStatus readStatus;
    bool deliveryReport;
    const char* text;
};

const SentState kSentStates[] = {
    {Chronel::Event::DeliveredStatus, Chronel::Event::ReadStatusRead, true, "Read it?"},
    {Chronel::Event::DeliveredStatus, Chronel::Event::ReadStatusDeleted, true, "Deleted unread"},
    {Chronel::Event::DeliveredStatus, Chronel::Event::UnknownReadStatus, true, "Delivered"},
    {Chronel::Event::SentStatus, Chronel::Event::UnknownReadStatus, true, "On its way"},
    {Chronel::Event::PermanentlyFailedStatus, Chronel::Event::UnknownReadStatus, true,
     "Not delivered"},
    {Chronel::Event::TemporarilyFailedStatus, Chronel::Event::UnknownReadStatus, false,
     "Tap to send again"},
    {Chronel::Event::SendingStatus, Chronel::Event::UnknownReadStatus, false, "Sending now"},
};

// The earlier run's messages make way for this run's.
void forgetEarlierRun()
{
    Chronel::HistoryStore* history = Chronel::HistoryStore::instance();
    for (const Chronel::Event& event : history->events()) {
        if (event.messageToken().startsWith(kTokenPrefix))
            history->deleteEvent(event.id());
    }
}

Chronel::Event message(Chronel::Event::EventDirection direction, int minutesAgo,
                       const QList<Chronel::MessagePart>& parts)
{
    static int count = 0;
    Chronel::Event event;
    event.setType(Chronel::Event::MMSEvent);
    event.setDirection(direction);
    event.setLocalUid(kAccount);
    event.setRemoteUid(kFriend);
    event.setMessageToken(kTokenPrefix + QLatin1Char('-') + QString::number(++count));
    event.setStartTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo));
    event.setMessageParts(parts);
    return event;
}

Chronel::MessagePart text(const QString& content)
{
    return Chronel::MessagePart(QStringLiteral("<text>"), QStringLiteral("text/plain"), QString(),
                                content);
}

QList<Chronel::Event> receivedMessages(const QString& folder)
{
    const GalleryMedia media(folder);
    const QList<Chronel::MessagePart> picture{
        Chronel::MessagePart(QStringLiteral("<photo>"), QStringLiteral("image/png"),
                             media.picture()),
        text(QStringLiteral("The harbour this morning, see www.example.org/harbour"))};
    Chronel::Event notification = message(Chronel::Event::Inbound, 26 * 60, {});
    notification.setSubject(QStringLiteral("Holiday photos"));
    notification.setContentLocation(QStringLiteral("http://mmsc.example/holiday"));
    const QString card = ContactWidgetsGallery::writeSampleCard(folder);
    return {message(Chronel::Event::Inbound, 3 * 24 * 60, picture), notification,
            message(Chronel::Event::Inbound, 90,
                    {Chronel::MessagePart(QStringLiteral("<card>"), QStringLiteral("text/x-vcard"),
                                          card)})};
}

} // namespace

int DemoConversation::create()
{
    forgetEarlierRun();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/conversation");
    QDir().mkpath(folder);
    QList<Chronel::Event> events = receivedMessages(folder);
    int minutesAgo = 60;
    for (const SentState& state : kSentStates) {
        Chronel::Event sent = message(Chronel::Event::Outbound, minutesAgo -= 5,
                                      {text(QString::fromUtf8(state.text))});
        sent.setStatus(state.status);
        sent.setReadStatus(state.readStatus);
        sent.setReportDelivery(state.deliveryReport);
        events << sent;
    }
    int groupId = -1;
    for (Chronel::Event& event : events) {
        if (Chronel::HistoryStore::instance()->addEvent(event))
            groupId = event.groupId();
    }
    return groupId;
}
