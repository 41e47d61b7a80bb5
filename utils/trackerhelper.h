#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <memory>

class QSparqlConnection;
class QSparqlResult;

// The questions the messaging UI asks of the content index, each one synchronous
// select on the process-wide connection. No row and failures give empty answers.
class TrackerHelper : public QObject
{
    Q_OBJECT
public:
    enum UriType { TypeNone = 0, TypeFile = 1, TypeContact = 2, TypeCalendar = 3, TypeOther = 4 };

    static TrackerHelper* instance();
    ~TrackerHelper() override;

    QSparqlConnection* connection();

    // Received messages of a conversation (every conversation for an id of 0
    // or less) whose sender asked for a read report not yet sent; `from` is
    // the first sender found.
    QStringList getUnreadMessagesWithReadReportRequested(int groupId, QString& from);
    struct UnreadMessage
    {
        QString mmsId;
        QString from;
    };
    // The same messages, each with its own sender.
    QList<UnreadMessage> unreadMessagesWithSenders(int groupId);
    QString ncalUid(const QString& uri);
    int typeByUri(const QString& uri);
    QString mimeTimeByFilename(const QString& path);
    QString uriByFilename(const QString& path);
    bool filenameFromUri(const QUrl& uri, QString& fileName, QString& mimeType);
    QString contacTrackerId(const QString& uri);
    QString ncoContactUID(const QString& uri);

private:
    TrackerHelper() = default;
    std::unique_ptr<QSparqlResult> select(const QString& query, bool logQuery = true);
    QString firstValueFor(const QString& queryTemplate, const QString& uri);
    static QString encodedFileUrl(const QString& path);
    static void adjustAudioOnlyVideo(QString& mimeType, const QStringList& types);

    QPointer<QSparqlConnection> m_connection;
};
