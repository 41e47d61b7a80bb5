#pragma once

#include "messagesender.h"
#include "mmsoutgoingmessage.h"

#include <QObject>

class MmsMessageFolder;
class MmsSmilComposer;

// Lays an outgoing message out as files in its message folder and appends one part
// map per file to the send list: text.txt alone for a message without attachments,
// otherwise the slide texts, the attachment files and the SMIL presentation 0.smil
// (always part 0). The filled folder is protected (0555).
//
// What a user should see is left to the caller through the signals: the composer
// shows a banner for a lost file and copies a slide's body text into its body field;
// the headless sender listens to neither.
class MmsMessageLayout : public QObject
{
    Q_OBJECT
public:
    explicit MmsMessageLayout(QObject* parent = nullptr);

    // False when the message cannot be sent as laid out (its text or its SMIL could
    // not be written); the send list then holds no part, and the folder's previous
    // state is back for another attempt.
    bool processAttachments(MmsMessageFolder& folder, const MmsOutgoingMessage& message,
                            QList<MessageSender::PropertyMap>& sendList);

signals:
    // An attachment's file is gone or empty; it is left out.
    void attachmentLost(const QString& fileName);
    // A slide whose text stands for the message body was laid out.
    void bodyTextCarried(const QString& text);

private:
    struct Part
    {
        QString path;
        QString type;
    };

    bool processBody(MmsMessageFolder& folder, const QString& body,
                     QList<MessageSender::PropertyMap>& sendList);
    void addSlide(MmsMessageFolder& folder, const MmsOutgoingAttachment& attachment,
                  MmsSmilComposer& smil, QList<Part>& parts, int& textCounter);
    void appendPartMaps(const MmsMessageFolder& folder, const QList<Part>& parts,
                        QList<MessageSender::PropertyMap>& sendList);
    bool partMap(const MmsMessageFolder& folder, int index, const Part& part,
                 MessageSender::PropertyMap& map);
};
