#pragma once

#include "mmspipelineflavour.h"

#include <QFileDevice>
#include <QList>
#include <QMultiHash>
#include <QPair>
#include <QSet>
#include <QString>

// The private folder an outgoing message is laid out in, "~/.mms/msg/<token>": its
// token, preparation and permissions, the placing of attachment files into it, and
// its removal.
//
// Only files the pipeline made are ever moved in (resized pictures from the folder's
// "temp", generated cards and calendar entries from the system's temporary folder);
// anything else is copied, and the copy alone gets the part file mode. A failed send
// may be retried: preparing the folder again makes it writable, returns the moved
// files to where their owners expect them, and the copies made before are reused.
class MmsMessageFolder
{
public:
    // An empty token is replaced by a new one (logged as "Generated new message token:").
    MmsMessageFolder(const QString& token, const MmsPipelineFlavour& flavour);
    // One object per message: it remembers what it moved in and copied.
    Q_DISABLE_COPY(MmsMessageFolder)

    // A new random token: a UUID without braces.
    static QString generateToken();
    // "<home>/.mms/msg/<token>".
    static QString pathFor(const QString& token);
    // "<home>/.mms/.lock_backuprestore", fixed when the library is loaded.
    static QString backupLockPath();
    // Backup or restore holds the message storage: nothing may be sent.
    static bool isStorageLocked();

    const MmsPipelineFlavour& flavour() const { return m_flavour; }
    QString token() const { return m_token; }
    QString path() const { return m_path; }
    // Where pictures are resized to.
    QString tempPath() const;
    // Creates tempPath() with its parents; false when it cannot be.
    bool makeTempFolder() const;

    // Creates the folder, or makes a present one writable (0755) again and rewinds
    // the previous attempt. False when it cannot be created.
    bool prepareMessageFolder();
    // The filled folder: 0555.
    void protectMessageFolder();
    // Deletes the folder with all it holds.
    void removeMessageFolder();
    // Deletes a folder tree. Symbolic links are removed as links and never followed,
    // also when `path` itself is one.
    void deleteDirWithContent(const QString& path) const;

    // Stores the file at `source` in the folder under its own name, made unique, and
    // returns the part file; empty when no free name was found. A file already in the
    // folder is used where it lies, and a copy made by an earlier attempt is used
    // instead of a new one.
    QString place(const QString& source, const QString& mimeType);
    // Ends an attempt that was not handed over: the files place() moved in go back
    // to their sources, and its copies may be used again.
    void rewind();

private:
    QString uniqueTarget(const QString& source) const;
    QString reusableCopy(const QString& source) const;
    bool transfer(const QString& source, const QString& target, const QString& mimeType);
    bool isOwnFile(const QString& source, const QString& mimeType) const;
    void setMode(const QString& path, QFileDevice::Permissions mode, bool isFolder) const;

    MmsPipelineFlavour m_flavour;
    QString m_token;
    QString m_path;
    // Source -> copies of it in the folder.
    QMultiHash<QString, QString> m_copies;
    // Part files handed out by place() in this attempt.
    QSet<QString> m_claimed;
    // (source, part file) of every file moved in during this attempt.
    QList<QPair<QString, QString>> m_moves;
};
