#pragma once

// Shared set-up of the tests that drive the MMS connection manager program:
// a clean history and spool, a message folder to queue, and queueing it.
#include "mmscmcontrol.h"
#include "mmscmnames.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QVariantMap>

// Forgets the history and the connection manager's spool of earlier runs
// (the test's own XDG data folder).
inline void forgetUserData()
{
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QDir(data.filePath(QStringLiteral("chronel"))).removeRecursively();
    QDir(data.filePath(QStringLiteral("mmscm"))).removeRecursively();
}

inline bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A one-slide message: a picture (not a real one) and a text, and a SMIL
// presentation `smil` (the standard one when empty) in a new folder under `parent`.
inline QString writeMessageFolder(const QString& parent, const QString& name,
                                  const QByteArray& smil = QByteArray())
{
    const QString folder = QDir(parent).filePath(name);
    const QByteArray standard = "<smil><body><par dur=\"5000ms\"><img src=\"photo.jpg\" "
                                "region=\"Image\"/><text src=\"cid:note.txt\" region=\"Text\"/>"
                                "</par></body></smil>";
    const bool written = QDir().mkpath(folder) &&
                         writeFile(folder + "/photo.jpg", QByteArray(2048, 'j')) &&
                         writeFile(folder + "/note.txt", "See you at six") &&
                         writeFile(folder + "/message.smil", smil.isEmpty() ? standard : smil);
    return written ? folder : QString();
}

inline QVariantMap messageHeaders(const QString& from, const QString& token)
{
    return {{QStringLiteral("message-from"), from},
            {QStringLiteral("message-token"), token},
            {QStringLiteral("message-subject"), QStringLiteral("Harbour")},
            {QStringLiteral("read-report-requested"), true}};
}

// The connection manager's control interface on the session bus.
inline MmscmControl* newControl(QObject* parent)
{
    ReadReport::registerMetaTypes();
    return new MmscmControl(Mmscm::serviceName, Mmscm::controlPath, QDBusConnection::sessionBus(),
                            parent);
}
