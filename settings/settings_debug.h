#pragma once

#include <QLoggingCategory>

// "[MMS-CONNSET]": the connection profile form and its helper.
Q_DECLARE_LOGGING_CATEGORY(lcConnSet)
// "[MMS-SETTINGS]": the MMS settings page.
Q_DECLARE_LOGGING_CATEGORY(lcMmsSettings)
