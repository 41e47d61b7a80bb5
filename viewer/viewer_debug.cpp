#include "viewer_debug.h"

Q_LOGGING_CATEGORY(lcSmil, "dravel.smil", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMmsDownloader, "dravel.mmsdownloader", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDownloader, "dravel.downloader", QtInfoMsg)
Q_LOGGING_CATEGORY(lcReadReport, "dravel.readreport", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMmsView, "dravel.view", QtInfoMsg)
