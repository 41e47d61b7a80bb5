#pragma once

#include "incomingmessage.h"

#include <QDir>

#include <functional>

// The network's store of messages for the phone, on disk so that messages
// survive a restart of the connection manager: a waiting message is the
// folder waiting/<token>/ with its part files and the record
// waiting/<token>.json; a fetched one moves to received/<token>/, where the
// history store's parts point. Folders are the owner's only.
class MessageSpool
{
public:
    explicit MessageSpool(const QString& root);

    // Whether a message of this token is waiting or was fetched already.
    bool knows(const QString& token) const;
    // Copies the part files (paths) into the spool; the parts then name them.
    bool hold(IncomingMessage& message, QString& error);
    // Takes a message out of the spool again.
    void drop(const QString& token);
    QList<IncomingMessage> waitingMessages() const;

    // Moves a waiting message's files to received/ and hands their folder to
    // `store`; when that fails, the message waits again.
    bool deliver(const QString& token, const std::function<bool(const QString&)>& store);

private:
    QString waitingFolder(const QString& token) const;
    QString recordFile(const QString& token) const;
    QString receivedFolder(const QString& token) const;
    bool copyParts(IncomingMessage& message, QString& error);
    bool writeRecord(const IncomingMessage& message, QString& error) const;

    QDir m_root;
};
