#include "vcalendarwriter.h"

#include "calendar_debug.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/Todo>
#include <QSaveFile>

using namespace KCalendarCore;

namespace {

constexpr int MaxLineLength = 75;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// Written as it is: printable ASCII that fits one line, without ";", which
// readers take as a value separator.
bool isPlainValue(const char* name, const QString& value)
{
    if (qstrlen(name) + 1 + value.size() > MaxLineLength || value.contains(QLatin1Char(';')))
        return false;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// Quoted-printable with soft line breaks, so that no line grows too long.
// Readers drop spaces that end a line: such a space moves to the next line,
// or is encoded when it ends the value.
QByteArray quotedPrintable(const QByteArray& data, int firstLineLength)
{
    QByteArray encoded;
    int lineLength = firstLineLength;
    for (const char byte : data) {
        const auto c = static_cast<unsigned char>(byte);
        const bool literal = c >= 0x20 && c <= 0x7e && c != '=' && c != ';';
        const QByteArray piece =
            literal ? QByteArray(1, char(c))
                    : '=' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
        if (lineLength + piece.size() > MaxLineLength - 1) {
            const bool carrySpace = encoded.endsWith(' ');
            encoded.chop(carrySpace ? 1 : 0);
            encoded += '=' + kLineEnd + (carrySpace ? " " : "");
            lineLength = carrySpace ? 1 : 0;
        }
        encoded += piece;
        lineLength += piece.size();
    }
    if (encoded.endsWith(' ')) {
        encoded.chop(1);
        encoded += "=20";
    }
    return encoded;
}

// Line breaks inside a value are CR LF, as vCalendar 1.0 writes them.
QByteArray textProperty(const char* name, const QString& value)
{
    if (isPlainValue(name, value))
        return name + QByteArray(":") + value.toLatin1() + kLineEnd;
    const QByteArray head = name + QByteArrayLiteral(";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:");
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return head + quotedPrintable(text.toUtf8(), head.size()) + kLineEnd;
}

QByteArray timeProperty(const char* name, const QDateTime& time, bool allDay)
{
    const QString value = allDay ? time.date().toString(QStringLiteral("yyyyMMdd"))
                                 : time.toUTC().toString(QStringLiteral("yyyyMMddTHHmmssZ"));
    return name + QByteArray(":") + value.toLatin1() + kLineEnd;
}

QByteArray classText(Incidence::Secrecy secrecy)
{
    switch (secrecy) {
    case Incidence::SecrecyPrivate:
        return QByteArrayLiteral("PRIVATE");
    case Incidence::SecrecyConfidential:
        return QByteArrayLiteral("CONFIDENTIAL");
    default:
        return QByteArrayLiteral("PUBLIC");
    }
}

QByteArray commonProperties(const Incidence::Ptr& incidence)
{
    QByteArray out = textProperty("UID", incidence->uid());
    if (!incidence->summary().isEmpty())
        out += textProperty("SUMMARY", incidence->summary());
    if (!incidence->description().isEmpty())
        out += textProperty("DESCRIPTION", incidence->description());
    if (!incidence->location().isEmpty())
        out += textProperty("LOCATION", incidence->location());
    out += "CLASS:" + classText(incidence->secrecy()) + kLineEnd;
    if (incidence->created().isValid())
        out += timeProperty("DCREATED", incidence->created(), false);
    if (incidence->lastModified().isValid())
        out += timeProperty("LAST-MODIFIED", incidence->lastModified(), false);
    if (incidence->dtStart().isValid())
        out += timeProperty("DTSTART", incidence->dtStart(), incidence->allDay());
    return out;
}

QByteArray eventText(const Event::Ptr& event)
{
    QByteArray out = "BEGIN:VEVENT" + kLineEnd + commonProperties(event);
    if (event->hasEndDate())
        out += timeProperty("DTEND", event->dtEnd(), event->allDay());
    return out + "END:VEVENT" + kLineEnd;
}

QByteArray todoText(const Todo::Ptr& todo)
{
    QByteArray out = "BEGIN:VTODO" + kLineEnd + commonProperties(todo);
    if (todo->hasDueDate())
        out += timeProperty("DUE", todo->dtDue(), todo->allDay());
    if (todo->isCompleted()) {
        out += "STATUS:COMPLETED" + kLineEnd;
        if (todo->hasCompletedDate())
            out += timeProperty("COMPLETED", todo->completed(), false);
    } else {
        out += "STATUS:NEEDS ACTION" + kLineEnd;
    }
    return out + "END:VTODO" + kLineEnd;
}

} // namespace

QByteArray VCalendarWriter::toVCalendar(const Incidence::List& incidences)
{
    QByteArray out = "BEGIN:VCALENDAR" + kLineEnd + "PRODID:-//Quenda//dravel//EN" + kLineEnd +
                     "VERSION:1.0" + kLineEnd;
    for (const Incidence::Ptr& incidence : incidences) {
        if (const Event::Ptr event = incidence.dynamicCast<Event>()) {
            out += eventText(event);
        } else if (const Todo::Ptr todo = incidence.dynamicCast<Todo>()) {
            out += todoText(todo);
        } else {
            qCWarning(lcCalendar) << "No vCalendar 1.0 form for entry" << incidence->uid();
            return QByteArray();
        }
    }
    return out + "END:VCALENDAR" + kLineEnd;
}

bool VCalendarWriter::save(const Incidence::List& incidences, const QString& fileName)
{
    const QByteArray text = toVCalendar(incidences);
    if (text.isEmpty())
        return false;
    // Written aside and moved in place: a failed write leaves no partial file.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    qCWarning(lcCalendar) << "vCalendar file cannot be written:" << fileName << file.errorString();
    return false;
}
