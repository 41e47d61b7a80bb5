#pragma once

#include <QList>
#include <QObject>

class QDBusMessage;

namespace Chronel {

// Tells the other processes of the session about the changes a process made
// to the history store, and hears theirs, so that every process's models
// follow one history. A change is broadcast on the session bus as the signal
// EventsChanged(ai added, ai modified, ai deleted) of the interface
// "com.quenda.Chronel.History" at "/com/quenda/Chronel/History" (described in
// com.quenda.Chronel.History.xml). Without a session bus nothing is told.
class HistoryAnnouncer : public QObject
{
    Q_OBJECT
public:
    explicit HistoryAnnouncer(QObject* parent = nullptr);

    void announce(const QList<int>& added, const QList<int>& modified, const QList<int>& deleted);

signals:
    // Changes that another process made; the events are in the store already.
    void changedElsewhere(const QList<int>& added, const QList<int>& modified,
                          const QList<int>& deleted);

private slots:
    void onEventsChanged(const QList<int>& added, const QList<int>& modified,
                         const QList<int>& deleted, const QDBusMessage& message);
};

} // namespace Chronel
