#include "democontent.h"

#include "calendarstore.h"
#include "contentindexer.h"
#include "qsparqlconnection.h"

#include <KCalendarCore/Event>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// A picture with a sun over a sea of `size`, painted once.
QString writePhoto(const QString& path, const QSize& size)
{
    if (QFile::exists(path)) {
        return path;
    }
    QImage photo(size, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, photo.height());
    sky.setColorAt(0, QColor(40, 60, 140));
    sky.setColorAt(0.6, QColor(250, 140, 60));
    sky.setColorAt(1, QColor(60, 30, 20));
    painter.fillRect(photo.rect(), sky);
    painter.setBrush(QColor(255, 220, 120));
    painter.setPen(Qt::NoPen);
    const int radius = size.width() / 10;
    painter.drawEllipse(QPoint(size.width() / 2, size.height() * 19 / 30), radius, radius);
    painter.end();
    // Sensor noise, which makes the file as large as a camera's.
    QRandomGenerator noise(7);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int grain = int(noise.bounded(48)) - 24;
            const QRgb pixel = line[x];
            line[x] =
                qRgb(qBound(0, qRed(pixel) + grain, 255), qBound(0, qGreen(pixel) + grain, 255),
                     qBound(0, qBlue(pixel) + grain, 255));
        }
    }
    return photo.save(path, "JPEG", 90) ? path : QString();
}

QString writeNote(const QString& folder)
{
    const QString path = folder + QStringLiteral("/dravel-demo-note.txt");
    QFile note(path);
    if (!note.exists() && note.open(QIODevice::WriteOnly)) {
        QTextStream(&note) << "Meet at the harbour at six. Bring the camera :)\n";
    }
    return note.exists() ? path : QString();
}

// A contact card as the contacts application shares it.
QString writeCard(const QString& folder)
{
    const QString path = folder + QStringLiteral("/Ann_Lee.vcf");
    QFile card(path);
    if (!card.exists() && card.open(QIODevice::WriteOnly)) {
        QTextStream(&card) << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                              "TEL;TYPE=CELL:+358401234567\r\nEND:VCARD\r\n";
    }
    return card.exists() ? path : QString();
}

// The same entry on every start: the store replaces it by its UID.
void addCalendarEntry()
{
    KCalendarCore::Event::Ptr walk(new KCalendarCore::Event);
    walk->setUid(QStringLiteral("dravel-demo-harbour-walk"));
    walk->setSummary(QStringLiteral("Harbour walk"));
    walk->setLocation(QStringLiteral("Harbour"));
    const QDateTime start(QDate::currentDate().addDays(1), QTime(18, 0));
    walk->setDtStart(start);
    walk->setDtEnd(start.addSecs(2 * 3600));
    CalendarStore store;
    if (store.open()) {
        store.addIncidence(walk);
    }
}

} // namespace

QStringList DemoContent::create()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(pictures);
    QDir().mkpath(documents);

    QSparqlConnection connection(QStringLiteral("QTRACKER_DIRECT"));
    ContentIndexer indexer(connection);
    QStringList indexed;
    // The camera photo is as large as phones take them, so that sending it needs a resize.
    for (const QString& file :
         {writePhoto(pictures + QStringLiteral("/dravel-demo-sunset.jpg"), QSize(1600, 1200)),
          writePhoto(pictures + QStringLiteral("/dravel-demo-camera.jpg"), QSize(4000, 3000)),
          writeNote(documents), writeCard(documents)}) {
        if (file.isEmpty()) {
            continue;
        }
        // Indexed afresh on every start, so repeated runs do not pile up entries.
        const QUrl url = QUrl::fromLocalFile(file);
        indexer.removeFile(url);
        // The card's type as phones name it, which the file's name alone does not give.
        const QString card = QStringLiteral("text/x-vcard");
        const QString uri =
            file.endsWith(QLatin1String(".vcf"))
                ? indexer.addFile(url, card, ContentIndexer::classesForMimeType(card))
                : indexer.addFile(file);
        if (!uri.isEmpty()) {
            indexed << file;
        }
    }
    addCalendarEntry();
    return indexed;
}
