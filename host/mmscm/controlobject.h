#pragma once

#include "readreport.h"

#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

class ConnectionManager;

// The control interface "com.quenda.Mmscm.Control" (com.quenda.Mmscm.Control.xml)
// through which tests and the demo script the connection manager; refusals
// are D-Bus errors that say why.
class ControlObject : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    explicit ControlObject(ConnectionManager* manager, QObject* parent = nullptr);

public slots:
    int QueueMessage(const QString& folder, const QVariantMap& headers);
    void FailNextDownload(uint status);
    void StallNextDownload();
    ReadReportList ReadReports();
    QStringList DownloadRequests();

signals:
    void ReadReportReceived(const QString& messageId, const QString& to, bool isRead);

private:
    ConnectionManager* m_manager;
};
