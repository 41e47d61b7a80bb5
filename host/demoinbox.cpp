#include "demoinbox.h"

#include "gallerymedia.h"
#include "historystore.h"
#include "mmscmcontrol.h"
#include "mmscmnames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kToken = QStringLiteral("dravel-demo-harbour");

// One slide: the picture with the note below it.
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
    " </body>\n"
    "</smil>\n";

QString writeFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/incoming/") + kToken;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const GalleryMedia media(folder);
    QFile presentation(QDir(folder).filePath(QStringLiteral("message.smil")));
    const bool written = !media.picture().isEmpty() && !media.text().isEmpty() &&
                         presentation.open(QIODevice::WriteOnly) &&
                         presentation.write(kPresentation) == kPresentation.size();
    return written ? folder : QString();
}

bool isInHistory()
{
    const QList<Chronel::Event> events = Chronel::HistoryStore::instance()->events();
    return std::any_of(events.cbegin(), events.cend(), [](const Chronel::Event& event) {
        return event.messageToken() == kToken;
    });
}

} // namespace

QString DemoInbox::queue()
{
    if (isInHistory()) {
        return QStringLiteral("the incoming demo message is in the history already");
    }
    const QString folder = writeFolder();
    if (folder.isEmpty()) {
        return QStringLiteral("the incoming demo message cannot be written");
    }
    MmscmControl control(Mmscm::serviceName, Mmscm::controlPath, QDBusConnection::sessionBus());
    const QDBusReply<int> queued = control.QueueMessage(
        folder, {{QStringLiteral("message-from"), QStringLiteral("+358401234567")},
                 {QStringLiteral("message-subject"), QStringLiteral("Harbour at six")},
                 {QStringLiteral("message-token"), kToken},
                 {QStringLiteral("read-report-requested"), true}});
    return queued.isValid()
               ? QStringLiteral("queued an incoming message, event %1").arg(queued.value())
               : QStringLiteral("incoming message not queued: %1").arg(queued.error().message());
}
