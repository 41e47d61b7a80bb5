#include "controlobject.h"

#include "connectionmanager.h"

#include <QDBusConnection>

ControlObject::ControlObject(ConnectionManager* manager, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
{
    connect(manager, &ConnectionManager::readReportReceived, this,
            [this](const ReadReport& report) {
                emit ReadReportReceived(report.messageId, report.to, report.isRead);
            });
}

int ControlObject::QueueMessage(const QString& folder, const QVariantMap& headers)
{
    QString error;
    const int eventId = m_manager->queueMessage(folder, headers, error);
    if (eventId < 0) {
        sendErrorReply(QStringLiteral("com.quenda.Mmscm.Error.InvalidMessage"), error);
    }
    return eventId;
}

void ControlObject::FailNextDownload(uint status)
{
    if (!m_manager->failNextDownload(status)) {
        sendErrorReply(QDBusError::InvalidArgs,
                       QStringLiteral("a failure needs a status other than 0"));
    }
}

void ControlObject::StallNextDownload()
{
    m_manager->stallNextDownload();
}

ReadReportList ControlObject::ReadReports()
{
    return m_manager->readReports();
}

QStringList ControlObject::DownloadRequests()
{
    return m_manager->downloadRequests();
}
