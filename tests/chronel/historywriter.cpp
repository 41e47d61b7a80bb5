// Writes the history store from a process of its own, for the tests of processes sharing one
// history:
//   historywriter write <event id>: adds an event to the conversation with +358409999999 and sets
//       the subject of the event to "writer"
//   historywriter delete <event id>
#include "historystore.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

using Chronel::Event;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Chronel::HistoryStore* store = Chronel::HistoryStore::instance();
    const QString command = app.arguments().value(1);
    Event changed;
    changed.setId(app.arguments().value(2).toInt());
    changed.setSubject(QStringLiteral("writer"));
    Event added;
    added.setType(Event::MMSEvent);
    added.setRemoteUid(QStringLiteral("+358409999999"));
    const bool written =
        command == QLatin1String("write")
            ? store->addEvent(added) && store->modifyEvent(changed)
            : command == QLatin1String("delete") && store->deleteEvent(changed.id());
    // A call answered by the bus: the announcements sent before it have gone out before the
    // process ends.
    QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.DBus"));
    return written ? 0 : 1;
}
