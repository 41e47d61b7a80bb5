#include "trackerhelper.h"

#include "qsparqlconnection.h"
#include "utils_debug.h"

#include <QSet>

namespace {

// Tracker 3 refuses variables beginning with "?_" in object position, so the
// variables of the first query lost their underscore; the text is otherwise unchanged.
const QString unreadMessagesQuery = QStringLiteral(
    "SELECT ?mmsId ?from WHERE     {  {    SELECT ?mmsId ?from  bound(?sentWithReportRead)    "
    "WHERE    {      ?message nmo:mmsId ?mmsId .      ?message rdf:type nmo:MMSMessage .      %1 "
    "     ?message nmo:isSent \"false\" .      ?message nmo:mustAnswerReportRead \"true\" .      "
    "?message nmo:from ?12 .      ?12 nco:hasContactMedium ?13 .      ?13 nco:phoneNumber "
    "?from .        OPTIONAL        {          ?message nmo:sentWithReportRead "
    "?sentWithReportRead .        }      FILTER(!bound(?sentWithReportRead)) .    }  }}");
const QString conversationFilter =
    QStringLiteral("?message nmo:communicationChannel <conversation:%1> .");
const QString fileByUriQuery = QStringLiteral(
    "SELECT     ?url ?mimeType rdf:type(?o)WHERE {    ?o a nie:InformationElement ;       "
    "nie:url ?url ;       nie:mimeType ?mimeType .    FILTER (?o = <%1>)} LIMIT 1");
const QString uriByFileQuery = QStringLiteral("select ?a where { ?a nie:url \"%1\" } LIMIT 1");
const QString mimeByFileQuery = QStringLiteral(
    "SELECT    ?mimeType rdf:type(?o) WHERE {    ?o a nfo:FileDataObject ;       nie:url "
    "\"%1\";       nie:mimeType ?mimeType}");
const QString typesByUriQuery =
    QStringLiteral("SELECT?type WHERE {?o rdf:type ?type FILTER (?o = <%1>)}");
const QString calendarUidQuery = QStringLiteral(
    "SELECT    ncal:uid(?o) WHERE { ?o rdf:type ncal:UnionParentClass    FILTER (?o = <%1>)}");
const QString contactUidQuery = QStringLiteral(
    "SELECT    nco:contactUID(?o) WHERE {     ?o a nco:PersonContact     FILTER (?o = <%1>)}");
const QString contactIdQuery = QStringLiteral(
    "SELECT    tracker:id(?o) WHERE {     ?o a nco:PersonContact     FILTER (?o = <%1>)}");

const QString personContactIri =
    QStringLiteral("http://www.semanticdesktop.org/ontologies/2007/03/22/nco#PersonContact");
const QString calendarEntryIri =
    QStringLiteral("http://www.semanticdesktop.org/ontologies/2007/04/02/ncal#UnionParentClass");
const QString fileDataObjectIri =
    QStringLiteral("http://www.semanticdesktop.org/ontologies/2007/03/22/nfo#FileDataObject");
const QString videoIri =
    QStringLiteral("http://www.semanticdesktop.org/ontologies/2007/03/22/nfo#Video");

} // namespace

TrackerHelper* TrackerHelper::instance()
{
    static TrackerHelper helper;
    return &helper;
}

TrackerHelper::~TrackerHelper()
{
    delete m_connection.data();
}

QSparqlConnection* TrackerHelper::connection()
{
    if (!m_connection) {
        QSparqlConnectionOptions options;
        options.setDataReadyInterval(25);
        m_connection = new QSparqlConnection(QStringLiteral("QTRACKER_DIRECT"), options);
    }
    return m_connection;
}

std::unique_ptr<QSparqlResult> TrackerHelper::select(const QString& query, bool logQuery)
{
    if (logQuery)
        qCDebug(lcTracker) << "[MMS-TRACKER] Query:" << query;
    return std::unique_ptr<QSparqlResult>(
        connection()->syncExec(QSparqlQuery(query, QSparqlQuery::SelectStatement)));
}

QString TrackerHelper::firstValueFor(const QString& queryTemplate, const QString& uri)
{
    const std::unique_ptr<QSparqlResult> result = select(queryTemplate.arg(uri));
    if (result && result->next())
        return result->value(0).toString();
    return QString();
}

QString TrackerHelper::encodedFileUrl(const QString& path)
{
    return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded())
        .replace(QLatin1Char(';'), QLatin1String("%3B"));
}

// The index classifies a clip by its streams: a "video/" file without the video
// class holds sound only, and is offered as audio.
void TrackerHelper::adjustAudioOnlyVideo(QString& mimeType, const QStringList& types)
{
    if (!mimeType.startsWith(QLatin1String("video/")) || types.contains(videoIri))
        return;
    qCDebug(lcTracker) << "[MMS-TRACKER] Adjust mime-type for audio-only video files";
    mimeType.replace(QLatin1String("video/"), QLatin1String("audio/"));
}

QStringList TrackerHelper::getUnreadMessagesWithReadReportRequested(int groupId, QString& from)
{
    from.clear();
    QStringList ids;
    for (const UnreadMessage& message : unreadMessagesWithSenders(groupId)) {
        ids << message.mmsId;
        if (from.isEmpty())
            from = message.from;
    }
    return ids;
}

QList<TrackerHelper::UnreadMessage> TrackerHelper::unreadMessagesWithSenders(int groupId)
{
    const QString filter = groupId > 0 ? conversationFilter.arg(groupId) : QString();
    const std::unique_ptr<QSparqlResult> result = select(unreadMessagesQuery.arg(filter), false);
    QList<UnreadMessage> messages;
    while (result && result->next())
        messages.append({result->value(0).toString(), result->value(1).toString()});
    return messages;
}

QString TrackerHelper::ncalUid(const QString& uri)
{
    return firstValueFor(calendarUidQuery, uri);
}

int TrackerHelper::typeByUri(const QString& uri)
{
    const std::unique_ptr<QSparqlResult> result = select(typesByUriQuery.arg(uri));
    QSet<QString> types;
    while (result && result->next())
        types.insert(result->value(0).toString());
    qCDebug(lcTracker) << "[MMS-TRACKER] Types:" << types;
    if (types.isEmpty())
        return TypeNone;
    if (types.contains(personContactIri))
        return TypeContact;
    if (types.contains(calendarEntryIri))
        return TypeCalendar;
    if (types.contains(fileDataObjectIri))
        return TypeFile;
    return TypeOther;
}

QString TrackerHelper::mimeTimeByFilename(const QString& path)
{
    const std::unique_ptr<QSparqlResult> result = select(mimeByFileQuery.arg(encodedFileUrl(path)));
    QString mimeType;
    if (result && result->next()) {
        mimeType = result->value(0).toString();
        const QStringList types = result->value(1).toString().split(QLatin1Char(','));
        if (!mimeType.isEmpty())
            adjustAudioOnlyVideo(mimeType, types);
    }
    qCDebug(lcTracker) << "[MMS-TRACKER] Get MIME for" << path << "->" << mimeType;
    return mimeType;
}

QString TrackerHelper::uriByFilename(const QString& path)
{
    const std::unique_ptr<QSparqlResult> result =
        select(uriByFileQuery.arg(encodedFileUrl(path)), false);
    QString uri;
    if (result && result->next())
        uri = result->value(0).toString();
    qCDebug(lcTracker) << "[MMS-TRACKER] Map Filename" << path << "->" << uri;
    return uri;
}

bool TrackerHelper::filenameFromUri(const QUrl& uri, QString& fileName, QString& mimeType)
{
    const std::unique_ptr<QSparqlResult> result = select(fileByUriQuery.arg(uri.toString()));
    if (!result || !result->next())
        return false;
    fileName = QUrl::fromEncoded(result->value(0).toByteArray()).toLocalFile();
    mimeType = result->value(1).toString();
    const QStringList types = result->value(2).toString().split(QLatin1Char(','));
    const bool found = !fileName.isEmpty() && !mimeType.isEmpty();
    adjustAudioOnlyVideo(mimeType, types);
    qCDebug(lcTracker) << "[MMS-TRACKER] Map URI" << uri << "->" << fileName << mimeType << types;
    return found;
}

QString TrackerHelper::contacTrackerId(const QString& uri)
{
    return firstValueFor(contactIdQuery, uri);
}

QString TrackerHelper::ncoContactUID(const QString& uri)
{
    return firstValueFor(contactUidQuery, uri);
}
