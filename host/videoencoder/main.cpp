// The video encoding service that the demo and the tests run on the session
// bus: "com.quenda.VideoEncoding" at "/", encoding with ffmpeg.
#include "videoencodingadaptor.h"
#include "videoencodingservice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    VideoEncodingService service;
    new VideoEncodingAdaptor(&service);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/"), &service) ||
        !bus.registerService(QStringLiteral("com.quenda.VideoEncoding"))) {
        QTextStream(stderr) << "dravel-videoencoder: cannot own com.quenda.VideoEncoding: "
                            << bus.lastError().message() << Qt::endl;
        return 1;
    }
    // Ends with its session: a bus that goes away leaves nobody to serve.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), &app,
                SLOT(quit()));
    return app.exec();
}
