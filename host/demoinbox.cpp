#include "demoinbox.h"

#include "gallerymedia.h"
#include "historystore.h"
#include "mmscmcontrol.h"
#include "mmscmnames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Every run that needs the message anew gives it a token of its own, so
// that the connection manager takes it.
const QString kTokenPrefix = QStringLiteral("dravel-demo-harbour");

// Two slides: the picture with the note below it, then an animation.
const QByteArray kPresentation =
    "<smil>\n"
    " <head>\n"
    "  <layout>\n"
    "   <root-layout width=\"100%\" height=\"100%\"/>\n"
    "   <region id=\"Image\" width=\"100%\" height=\"70%\" top=\"0%\" left=\"0%\"/>\n"
    "   <region id=\"Text\" width=\"100%\" height=\"30%\" top=\"70%\" left=\"0%\"/>\n"
    "  </layout>\n"
    " </head>\n"
    " <body>\n"
    "  <par dur=\"5000ms\">\n"
    "   <img src=\"landscape.png\" region=\"Image\"/>\n"
    "   <text src=\"notes.txt\" region=\"Text\"/>\n"
    "  </par>\n"
    "  <par dur=\"3000ms\">\n"
    "   <img src=\"ball.gif\" region=\"Image\"/>\n"
    "  </par>\n"
    " </body>\n"
    "</smil>\n";

bool isDemoMessage(const Chronel::Event& event)
{
    return event.messageToken().startsWith(kTokenPrefix);
}

QString writeFolder(const QString& token)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/incoming/") + token;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const GalleryMedia media(folder);
    QFile presentation(QDir(folder).filePath(QStringLiteral("message.smil")));
    const bool written = !media.picture().isEmpty() && !media.text().isEmpty() &&
                         !media.animatedGif().isEmpty() &&
                         presentation.open(QIODevice::WriteOnly) &&
                         presentation.write(kPresentation) == kPresentation.size();
    return written ? folder : QString();
}

// A fetched demo message makes room for the next one.
void forgetFetchedMessages()
{
    Chronel::HistoryStore* history = Chronel::HistoryStore::instance();
    for (const Chronel::Event& event : history->events()) {
        if (isDemoMessage(event) && event.contentLocation().isEmpty()) {
            history->deleteEvent(event.id());
        }
    }
}

} // namespace

Chronel::Event DemoInbox::message()
{
    const QList<Chronel::Event> events = Chronel::HistoryStore::instance()->events();
    const auto found = std::find_if(events.cbegin(), events.cend(), isDemoMessage);
    return found == events.cend() ? Chronel::Event() : *found;
}

QString DemoInbox::queue()
{
    forgetFetchedMessages();
    if (message().isValid()) {
        return QStringLiteral("the incoming demo message waits in the history");
    }
    const QString token =
        kTokenPrefix + QLatin1Char('-') + QString::number(QDateTime::currentMSecsSinceEpoch());
    const QString folder = writeFolder(token);
    if (folder.isEmpty()) {
        return QStringLiteral("the incoming demo message cannot be written");
    }
    MmscmControl control(Mmscm::serviceName, Mmscm::controlPath, QDBusConnection::sessionBus());
    const QDBusReply<int> queued = control.QueueMessage(
        folder, {{QStringLiteral("message-from"), QStringLiteral("+358401234567")},
                 {QStringLiteral("message-subject"), QStringLiteral("Harbour at six")},
                 {QStringLiteral("message-token"), token},
                 {QStringLiteral("read-report-requested"), true}});
    return queued.isValid()
               ? QStringLiteral("queued an incoming message, event %1").arg(queued.value())
               : QStringLiteral("incoming message not queued: %1").arg(queued.error().message());
}
