// Writes the history store from a process of its own, for the tests of
// several processes sharing one history:
//   historywriter write <event id> <count>: count times, adds an event to the
//       conversation with +358409999999 and sets the subject of the event to
//       "writer-<i>"
//   historywriter delete <event id>
// It prints "writing" once it has found the event, before it writes.
#include "historystore.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTextStream>

using Chronel::Event;
using Chronel::HistoryStore;

namespace {

bool write(int eventId, int count)
{
    HistoryStore* store = HistoryStore::instance();
    for (int i = 0; i < count; ++i) {
        const QString subject = QStringLiteral("writer-%1").arg(i);
        Event added;
        added.setType(Event::MMSEvent);
        added.setRemoteUid(QStringLiteral("+358409999999"));
        added.setSubject(subject);
        Event changed;
        changed.setId(eventId);
        changed.setSubject(subject);
        if (!store->addEvent(added) || !store->modifyEvent(changed)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    const int eventId = args.value(2).toInt();
    Event found;
    if (!HistoryStore::instance()->getEvent(eventId, found)) {
        return 1;
    }
    QTextStream(stdout) << "writing" << Qt::endl;
    const bool written =
        command == QLatin1String("write")
            ? write(eventId, args.value(3).toInt())
            : command == QLatin1String("delete") && HistoryStore::instance()->deleteEvent(eventId);
    // A call answered by the bus: the announcements sent before it have gone
    // out before the process ends.
    QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.DBus"));
    return written ? 0 : 1;
}
