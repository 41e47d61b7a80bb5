#pragma once

#include "mmsmessagerecord.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QSparqlConnection;

// Puts files, contacts, calendar entries and multimedia messages into the content
// index, the way the platform's indexers would, and takes them out again. Every
// add returns the new resource's URI, or an empty string when the index refused it.
class ContentIndexer
{
public:
    explicit ContentIndexer(QSparqlConnection& connection);

    // MIME type from the file's name and content; classes from the MIME type.
    QString addFile(const QString& path);
    // Exactly the given MIME type (none when empty) and classes, in prefixed form.
    QString addFile(const QUrl& url, const QString& mimeType, const QStringList& classes);
    bool removeFile(const QUrl& url);

    // The full name is what pickers show; a contact may have none.
    QString addContact(const QString& uid, const QString& fullName = QString());
    QString addCalendarEntry(const QString& uid,
                             const QString& entryClass = QStringLiteral("ncal:Event"),
                             const QString& summary = QString());
    // Takes out every calendar entry of that UID.
    bool removeCalendarEntries(const QString& uid);
    QString addMmsMessage(const MmsMessageRecord& message);
    bool removeMmsMessage(const QString& uri);

    // Adds classes to an existing resource, or removes the resource altogether.
    bool addClasses(const QString& uri, const QStringList& classes);
    bool removeResource(const QString& uri);

    // The form in which the index keeps a file URL: percent-encoded, ";" as "%3B".
    static QString indexedUrl(const QUrl& url);
    static QStringList classesForMimeType(const QString& mimeType);

private:
    static QString newUri();
    static QString literal(const QString& text);
    bool update(const QString& sparql);

    QSparqlConnection& m_connection;
};
