#pragma once

#include <QString>

// The MMS settings record. Constructing one loads the current values; a writer
// changes fields and calls save(), which persists every field at once.
//
// The defaults are those of a fresh phone: provisioned connection, 300 KB limit,
// automatic retrieval, maximum validity, no reports requested, every editor field
// and settings row offered, no restricted mode.
class MmsMainConfig
{
public:
    enum MAX_MESSAGE_SIZE {
        MAX_SIZE_100KB = 102400,
        MAX_SIZE_300KB = 307200,
        MAX_SIZE_600KB = 614400,
        MAX_SIZE_1MB = 1048576
    };
    enum MESSAGE_RETRIVAL_MODE {
        RETRIVAL_AUTOMATIC_HOME_NETWORK = 0,
        RETRIVAL_AUTOMATIC = 1,
        RETRIVAL_MANUAL = 2
    };
    enum MESSAGE_VALIDITY {
        VALIDITY_1_HOUR = 1,
        VALIDITY_1_DAY = 24,
        VALIDITY_1_WEEK = 168,
        VALIDITY_MAXIMUM = -1
    };
    enum READ_REPORT_MODE {
        READ_REPORT_PROMPT = 0,
        READ_REPORT_ALWAYS_SEND = 1,
        READ_REPORT_DO_NOT_SEND = 2
    };

    MmsMainConfig();

    // False when the values could not be written (logged).
    bool save();

    void setMaxMessageSize(MAX_MESSAGE_SIZE size) { maxMessageSize = size; }
    void setRetrivalMode(MESSAGE_RETRIVAL_MODE mode) { retrivalMode = mode; }
    void setMessageValidity(MESSAGE_VALIDITY hours) { messageValidity = hours; }
    void setReadReportMode(READ_REPORT_MODE mode) { readReportMode = mode; }

    // The file the record lives in.
    static QString filePath();

    bool automaticConnection = true;
    int maxMessageSize = MAX_SIZE_300KB;
    int retrivalMode = RETRIVAL_AUTOMATIC;
    int messageValidity = VALIDITY_MAXIMUM;
    bool deliveryReport = false;
    bool readReport = false;
    int readReportMode = READ_REPORT_PROMPT;
    bool homeNetworkModeSupported = true;
    bool subjectEnabled = true;
    bool ccBccEnabled = true;
    bool deliveryReportSettingVisible = true;
    bool readReportSettingVisible = true;
    bool validitySettingVisible = true;
    bool restrictedMode = false;
    bool emailRecipientsAllowed = true;

private:
    void load();
};
