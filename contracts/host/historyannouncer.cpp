#include "historyannouncer.h"

#include "host_debug.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace Chronel {

namespace {

const QString kPath = QStringLiteral("/com/quenda/Chronel/History");
const QString kInterface = QStringLiteral("com.quenda.Chronel.History");
const QString kSignal = QStringLiteral("EventsChanged");

} // namespace

HistoryAnnouncer::HistoryAnnouncer(QObject* parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() &&
        !bus.connect(QString(), kPath, kInterface, kSignal, this,
                     SLOT(onEventsChanged(QList<int>, QList<int>, QList<int>, QDBusMessage)))) {
        qCWarning(lcHost) << "[CHRONEL] cannot follow the changes of other processes:"
                          << bus.lastError().message();
    }
}

void HistoryAnnouncer::announce(const QList<int>& added, const QList<int>& modified,
                                const QList<int>& deleted)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage change = QDBusMessage::createSignal(kPath, kInterface, kSignal);
    change << QVariant::fromValue(added) << QVariant::fromValue(modified)
           << QVariant::fromValue(deleted);
    bus.send(change);
}

void HistoryAnnouncer::onEventsChanged(const QList<int>& added, const QList<int>& modified,
                                       const QList<int>& deleted, const QDBusMessage& message)
{
    // The bus hands a process its own broadcasts too; those were told locally.
    if (message.service() != QDBusConnection::sessionBus().baseService()) {
        emit changedElsewhere(added, modified, deleted);
    }
}

} // namespace Chronel
