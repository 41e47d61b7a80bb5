#pragma once

#include <QLoggingCategory>

// "[MMS_SMIL]": slide placement from the SMIL presentation.
Q_DECLARE_LOGGING_CATEGORY(lcSmil)
// "[MMSDownloader]": session set-up of the download client.
Q_DECLARE_LOGGING_CATEGORY(lcMmsDownloader)
// "[DOWNLOADER]": read reports through the download client.
Q_DECLARE_LOGGING_CATEGORY(lcDownloader)
// "[MMS-READREPORT]": the queueing read-report sender.
Q_DECLARE_LOGGING_CATEGORY(lcReadReport)
// "[MMS-VIEW]" and "[MMS_VIEW]": the viewer page.
Q_DECLARE_LOGGING_CATEGORY(lcMmsView)
