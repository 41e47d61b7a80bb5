#include "messagespool.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

constexpr QFileDevice::Permissions kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool makePrivateFolder(const QString& path)
{
    return QDir().mkpath(path) && QFile::setPermissions(path, kPrivateFolder);
}

} // namespace

MessageSpool::MessageSpool(const QString& root)
    : m_root(root)
{
}

QString MessageSpool::waitingFolder(const QString& token) const
{
    return m_root.filePath(QStringLiteral("waiting/") + token);
}

QString MessageSpool::recordFile(const QString& token) const
{
    return waitingFolder(token) + QStringLiteral(".json");
}

QString MessageSpool::receivedFolder(const QString& token) const
{
    return m_root.filePath(QStringLiteral("received/") + token);
}

bool MessageSpool::knows(const QString& token) const
{
    return QFileInfo::exists(recordFile(token)) || QFileInfo::exists(receivedFolder(token));
}

bool MessageSpool::hold(IncomingMessage& message, QString& error)
{
    if (!makePrivateFolder(m_root.path()) || !makePrivateFolder(m_root.filePath("waiting")) ||
        !makePrivateFolder(waitingFolder(message.token()))) {
        error = QStringLiteral("the spool %1 cannot be written").arg(m_root.path());
        return false;
    }
    if (copyParts(message, error) && writeRecord(message, error)) {
        return true;
    }
    drop(message.token());
    return false;
}

bool MessageSpool::copyParts(IncomingMessage& message, QString& error)
{
    QList<IncomingMessage::Part> parts = message.parts();
    for (IncomingMessage::Part& part : parts) {
        const QString name = QFileInfo(part.file).fileName();
        const QString copy = waitingFolder(message.token()) + QLatin1Char('/') + name;
        if (!QFile::copy(part.file, copy) || !QFile::setPermissions(copy, kPrivateFile)) {
            error = QStringLiteral("part file %1 cannot be copied").arg(part.file);
            return false;
        }
        part.file = name;
    }
    message.setParts(parts);
    return true;
}

// Written last and in one go: a message without its record is not waiting.
bool MessageSpool::writeRecord(const IncomingMessage& message, QString& error) const
{
    QSaveFile record(recordFile(message.token()));
    if (!record.open(QIODevice::WriteOnly) ||
        record.write(QJsonDocument(message.toJson()).toJson()) < 0 || !record.commit()) {
        error =
            QStringLiteral("%1 cannot be written: %2").arg(record.fileName(), record.errorString());
        return false;
    }
    QFile::setPermissions(record.fileName(), kPrivateFile);
    return true;
}

void MessageSpool::drop(const QString& token)
{
    QFile::remove(recordFile(token));
    QDir(waitingFolder(token)).removeRecursively();
}

QList<IncomingMessage> MessageSpool::waitingMessages() const
{
    QList<IncomingMessage> messages;
    const QDir waiting(m_root.filePath(QStringLiteral("waiting")));
    for (const QFileInfo& entry : waiting.entryInfoList({QStringLiteral("*.json")}, QDir::Files)) {
        QFile record(entry.filePath());
        if (record.open(QIODevice::ReadOnly)) {
            messages << IncomingMessage::fromJson(
                QJsonDocument::fromJson(record.readAll()).object());
        }
    }
    return messages;
}

bool MessageSpool::deliver(const QString& token, const std::function<bool(const QString&)>& store)
{
    const QString received = receivedFolder(token);
    if (!makePrivateFolder(m_root.filePath(QStringLiteral("received"))) ||
        !QDir().rename(waitingFolder(token), received)) {
        return false;
    }
    if (!store(received)) {
        QDir().rename(received, waitingFolder(token));
        return false;
    }
    QFile::remove(recordFile(token));
    return true;
}
