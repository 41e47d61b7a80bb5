#include "contentindexer.h"

#include "qsparqlconnection.h"

#include <QMimeDatabase>
#include <QUuid>
#include <memory>

ContentIndexer::ContentIndexer(QSparqlConnection& connection)
    : m_connection(connection)
{
}

QString ContentIndexer::addFile(const QString& path)
{
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    return addFile(QUrl::fromLocalFile(path), mimeType, classesForMimeType(mimeType));
}

QString ContentIndexer::addFile(const QUrl& url, const QString& mimeType,
                                const QStringList& classes)
{
    const QString uri = newUri();
    QString sparql = QStringLiteral("INSERT DATA { <%1> a %2 ; nie:url %3")
                         .arg(uri, classes.join(QStringLiteral(", ")), literal(indexedUrl(url)));
    if (!mimeType.isEmpty())
        sparql += QStringLiteral(" ; nie:mimeType %1").arg(literal(mimeType));
    sparql += QStringLiteral(" . }");
    return update(sparql) ? uri : QString();
}

bool ContentIndexer::removeFile(const QUrl& url)
{
    return update(QStringLiteral("DELETE { ?f a rdfs:Resource } WHERE { ?f nie:url %1 }")
                      .arg(literal(indexedUrl(url))));
}

QString ContentIndexer::addContact(const QString& uid, const QString& fullName)
{
    const QString uri = newUri();
    QString sparql = QStringLiteral("INSERT DATA { <%1> a nco:PersonContact ; nco:contactUID %2")
                         .arg(uri, literal(uid));
    if (!fullName.isEmpty())
        sparql += QStringLiteral(" ; nco:fullname %1").arg(literal(fullName));
    sparql += QStringLiteral(" . }");
    return update(sparql) ? uri : QString();
}

QString ContentIndexer::addCalendarEntry(const QString& uid, const QString& entryClass,
                                         const QString& summary)
{
    const QString uri = newUri();
    QString sparql =
        QStringLiteral("INSERT DATA { <%1> a %2 ; ncal:uid %3").arg(uri, entryClass, literal(uid));
    if (!summary.isEmpty())
        sparql += QStringLiteral(" ; ncal:summary %1").arg(literal(summary));
    sparql += QStringLiteral(" . }");
    return update(sparql) ? uri : QString();
}

bool ContentIndexer::removeCalendarEntries(const QString& uid)
{
    return update(
        QStringLiteral("DELETE { ?e a rdfs:Resource } WHERE { ?e ncal:uid %1 }").arg(literal(uid)));
}

// The sender is a contact of its own with one phone number, named after the
// message so that removing the message can take it along.
QString ContentIndexer::addMmsMessage(const MmsMessageRecord& message)
{
    const QString uri = newUri();
    const auto flag = [](bool value) {
        return value ? QStringLiteral("true") : QStringLiteral("false");
    };
    QString sparql = QStringLiteral("INSERT DATA { <%1> a nmo:MMSMessage ; nmo:mmsId %2 ; "
                                    "nmo:isSent %3 ; nmo:mustAnswerReportRead %4")
                         .arg(uri, literal(message.mmsId), flag(message.isSent),
                              flag(message.mustAnswerReportRead));
    if (message.readReportSent)
        sparql += QStringLiteral(" ; nmo:sentWithReportRead true");
    if (message.conversationId > 0)
        sparql += QStringLiteral(" ; nmo:communicationChannel <conversation:%1> . "
                                 "<conversation:%1> a nmo:CommunicationChannel")
                      .arg(message.conversationId);
    sparql += QStringLiteral(" . <%1> nmo:from <%1#from> . "
                             "<%1#from> a nco:Contact ; nco:hasContactMedium <%1#phone> . "
                             "<%1#phone> a nco:PhoneNumber ; nco:phoneNumber %2")
                  .arg(uri, literal(message.senderPhoneNumber));
    sparql += QStringLiteral(" . }");
    return update(sparql) ? uri : QString();
}

bool ContentIndexer::removeMmsMessage(const QString& uri)
{
    return update(QStringLiteral("DELETE DATA { <%1> a rdfs:Resource . <%1#from> a rdfs:Resource . "
                                 "<%1#phone> a rdfs:Resource . }")
                      .arg(uri));
}

bool ContentIndexer::addClasses(const QString& uri, const QStringList& classes)
{
    return update(
        QStringLiteral("INSERT DATA { <%1> a %2 . }").arg(uri, classes.join(QStringLiteral(", "))));
}

bool ContentIndexer::removeResource(const QString& uri)
{
    return update(QStringLiteral("DELETE DATA { <%1> a rdfs:Resource . }").arg(uri));
}

QString ContentIndexer::indexedUrl(const QUrl& url)
{
    return QString::fromLatin1(url.toEncoded()).replace(QLatin1Char(';'), QLatin1String("%3B"));
}

// A file is a data object and the information element it holds; media files
// also carry their media class, which tells video from audio-only clips.
QStringList ContentIndexer::classesForMimeType(const QString& mimeType)
{
    QStringList classes{QStringLiteral("nfo:FileDataObject")};
    if (mimeType.startsWith(QLatin1String("video/")))
        classes << QStringLiteral("nfo:Video");
    else if (mimeType.startsWith(QLatin1String("audio/")))
        classes << QStringLiteral("nfo:Audio");
    else if (mimeType.startsWith(QLatin1String("image/")))
        classes << QStringLiteral("nfo:Image");
    else
        classes << QStringLiteral("nfo:Document");
    return classes;
}

QString ContentIndexer::newUri()
{
    return QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString ContentIndexer::literal(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool ContentIndexer::update(const QString& sparql)
{
    const std::unique_ptr<QSparqlResult> result(
        m_connection.syncExec(QSparqlQuery(sparql, QSparqlQuery::InsertStatement)));
    return !result->hasError();
}
