#pragma once

#include "mmscontenttypes.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class MessagingTextEdit;
class MmsBaseContainer;
class QDBusPendingCallWatcher;
class QGraphicsOpacityEffect;
class QProgressBar;
class QPropertyAnimation;
class QWidget;
class TkLinearLayoutPolicy;
class TkSeparator;
class VideoEncodingInterface;

// One slide of the message being composed: an attached file shown as a
// thumbnail, with the slide's own text field. A video clip is re-encoded
// through the platform's encoding service right after the slide is made, with
// progress and a Cancel button over the thumbnail. The editor page reads the
// public fields directly.
class MmsEditorAttachment : public QObject, public MmsContentTypes
{
    Q_OBJECT
public:
    // Appends the slide's container to pagePolicy, the page's list of slides.
    // tempFolder receives an encoded video; withDivider is set for every slide
    // but the first.
    MmsEditorAttachment(const QString& fileName, const QString& mimeType,
                        TkLinearLayoutPolicy* pagePolicy, const QString& sourceUri,
                        const QString& text, bool carriesBodyText, const QString& tempFolder,
                        bool withDivider);
    // Cancels a running encoding, deletes a file of its own and takes the
    // slide out of the page.
    ~MmsEditorAttachment() override;

    // A picture must exist and be smaller than 10 MiB; anything else passes.
    static bool checkFileSize(const QString& fileName, const QString& mime);

    // Characters of the slide text and bytes of the file, as asked.
    qint64 size(bool withText, bool withFile) const;
    // The thumbnail could not read the file; the editor drops such a slide.
    bool invalid() const;
    void enableClickAction(bool enable);
    // For the slide that becomes the first one.
    void hideSeparator();

    // The picture was replaced by a smaller copy that this slide now owns.
    void setResizedFileName(const QString& newFile);
    // Back to the picture the slide was made with.
    void undoResize();
    // Deletes the file when it is one that the editor made.
    void clearTemporary();

    // Same file, type and origin.
    bool operator==(const MmsEditorAttachment& other) const;

    QString fileName;
    QString mimeType;
    QString initialFileName;
    // Empty until a resize or an encoding replaced the file.
    QString initialMimeType;
    QString sourceUri;
    CONTENT_TYPE contentType = UNKNOWN;
    bool temporary = false;
    QString tempFolder;
    // The running encoding task; empty when none.
    QString taskId;
    // 0 idle or done, 1 task created, 2 encoding, 3 failed.
    int encodingState = 0;
    int durationSeconds = 5;
    // Exif rotation in degrees: 0, 90, -90 or 180.
    int rotation = 0;
    // The slide text stands for the message body.
    bool carriesBodyText = false;

    QPointer<MmsBaseContainer> container;
    QPointer<MessagingTextEdit> textEdit;
    // An MMSAttachmentWidget, or an MmsContactCard for a contact card; none
    // for a slide without a file.
    QPointer<QWidget> thumbnail;

signals:
    void resizeCanceled(const QString& fileName);
    void resizeFailed(const QString& fileName);
    void resizeFinished();
    void resizeStarted();
    void detachRequired(MmsEditorAttachment* attachment);
    void attach();
    void send();
    void clearContent();
    void convertToSms();

public slots:
    void enableSendButton(bool enable);
    void onDetach();
    void createTaskFromUriFinishedSlot(QDBusPendingCallWatcher* call);
    void onEncodeTaskCreated(const QString& taskId, bool success, const QString& error);
    void onEncodeStarted(const QString& taskId);
    void onEncodeFinished(const QString& taskId, bool success, const QString& resultUri,
                          const QString& mimeType, qlonglong duration, const QString& error);
    void onEncodeProgress(const QString& taskId, int current, int total);
    void onEncodeQueued(const QString& taskId);
    // The flag has no effect.
    void cancelVideoEncoding(bool checked = false);
    void slotOnCancelEncoding();
    void encodeContent();
    void hideEncodingWidget();

private:
    void readRotation();
    void createThumbnail();
    void addObjectMenu();
    void createLayout(bool withDivider);
    QWidget* createArrangement();
    void createEncoder();
    QString encodedFileName() const;
    void buildEncodingOverlay();
    void fadeOverlay(qreal to);
    void stopEncodingDisplay();
    void failEncoding();
    void onEncoderVanished();
    void showEncodedVideo();
    bool isOwnTask(const QString& id) const;

    TkLinearLayoutPolicy* m_pagePolicy;
    QPointer<TkSeparator> m_divider;
    QPointer<QWidget> m_overlay;
    QPointer<QProgressBar> m_progress;
    QGraphicsOpacityEffect* m_overlayOpacity = nullptr;
    QPropertyAnimation* m_fade = nullptr;
    VideoEncodingInterface* m_encoder = nullptr;
    // The service may announce a task before the reply that names it has been
    // handled; such announcements wait here for the id.
    bool m_awaitingTaskId = false;
    QHash<QString, QPair<bool, QString>> m_earlyCreations;
};
