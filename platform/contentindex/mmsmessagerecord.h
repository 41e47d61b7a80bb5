#pragma once

#include <QString>

// What the index keeps of one multimedia message for the read-report queries.
struct MmsMessageRecord
{
    QString mmsId;
    int conversationId = 0; // 0: in no conversation
    bool isSent = false;
    bool mustAnswerReportRead = false;
    bool readReportSent = false; // nmo:sentWithReportRead, absent when false
    QString senderPhoneNumber;   // may be empty, the sender is always recorded
};
