#include "channelobject.h"

#include "connectionmanager.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QFile>

namespace {

const QString kDownload = QStringLiteral("org.freedesktop.Telepathy.Channel.Interface.Download");
const QString kProgress = QStringLiteral("org.freedesktop.Telepathy.Channel.Interface.Progress");

// The <interface> element of an interface description.
QString interfaceElement(const QString& descriptionFile)
{
    QFile file(descriptionFile);
    const QString text =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const int start = text.indexOf(QLatin1String("<interface"));
    const QString end = QStringLiteral("</interface>");
    const int stop = text.lastIndexOf(end);
    return start < 0 || stop < start ? QString() : text.mid(start, stop + end.size() - start);
}

} // namespace

ChannelObject::ChannelObject(ConnectionManager* manager, QObject* parent)
    : QDBusVirtualObject(parent)
    , m_manager(manager)
    , m_introspection(interfaceElement(QStringLiteral(":/mmscm/download.xml")) +
                      interfaceElement(QStringLiteral(":/mmscm/progress.xml")))
{
    connect(manager, &ConnectionManager::downloadStarted, this,
            [](const QString& path, const QString& token) {
                sendSignal(path, kDownload, QStringLiteral("Started"), {token});
            });
    connect(manager, &ConnectionManager::downloadProgressed, this,
            [](const QString& path, uint stage, uint value, const QString& token) {
                sendSignal(path, kProgress, QStringLiteral("ActualProgressState"),
                           {stage, value, token});
            });
    connect(manager, &ConnectionManager::downloadCompleted, this,
            [](const QString& path, const QString& token, uint status) {
                sendSignal(path, kDownload, QStringLiteral("Completed"), {token, status});
            });
}

QString ChannelObject::introspect(const QString&) const
{
    return m_introspection;
}

bool ChannelObject::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    // Introspection and the standard interfaces QtDBus answers itself.
    if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != kDownload) {
        return false;
    }
    uint status = 0;
    connection.send(
        answer(message, status)
            ? message.createReply(QVariant::fromValue(status))
            : message.createErrorReply(QDBusError::UnknownMethod,
                                       QStringLiteral("%1 has no method %2(%3)")
                                           .arg(kDownload, message.member(), message.signature())));
    return true;
}

bool ChannelObject::answer(const QDBusMessage& message, uint& status)
{
    const QVariantList args = message.arguments();
    const QString call =
        message.member() + QLatin1Char('(') + message.signature() + QLatin1Char(')');
    if (call == QLatin1String("Download(ss)")) {
        status = m_manager->download(message.path(), args.at(0).toString(), args.at(1).toString());
    } else if (call == QLatin1String("Cancel(s)")) {
        status = m_manager->cancel(args.at(0).toString());
    } else if (call == QLatin1String("CancelAll()")) {
        status = m_manager->cancelAll();
    } else if (call == QLatin1String("SendReadReport(ssb)")) {
        status = m_manager->receiveReadReport(
            {args.at(0).toString(), args.at(1).toString(), args.at(2).toBool()});
    } else {
        return false;
    }
    return true;
}

void ChannelObject::sendSignal(const QString& path, const QString& interface, const QString& name,
                               const QVariantList& arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
    signal.setArguments(arguments);
    QDBusConnection::sessionBus().send(signal);
}
