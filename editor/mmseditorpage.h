#pragma once

#include "event.h"
#include "messageeditorbasepage.h"
#include "messagesender.h"
#include "mmscontenttypes.h"
#include "mmsmessagefolder.h"
#include "mmsoutgoingmessage.h"
#include "mmssmlilputawayalgorithm.h"
#include "recipient.h"

#include <QAction>
#include <QContact>
#include <QContactFetchRequest>
#include <QFile>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QVersitWriter>

#include <memory>

class CalendarStore;
class ConnSettingsHelper;
class MessagingAttachmentPicker;
class MessagingTextEdit;
class MmsEditorAttachment;
class MmsRecipientsEdit;
class MmsResizeThread;
class MmsTimedBanner;
class QLabel;
class QToolButton;
class SendValidator;
class TkBanner;
class TkLinearLayoutPolicy;
class TkSceneWindow;

namespace Chronel {
class GroupModel;
class SingleEventModel;
} // namespace Chronel

// The full-screen composer of a multimedia message: recipients with optional Cc
// and Bcc, a subject, the body text and one slide per attachment, with Send and
// Attach. It is built from what the host hands over, or from a stored event
// (forward, reply, a stored message reopened). Content enters through the
// content policy: at most 3 pictures under a 100 kB limit and 6 otherwise, one
// sound or video clip that does not mix with pictures, and in restricted mode
// only core-domain content.
//
// The state is public, as the send flow, the slides and the tests read it.
class MmsEditorPage : public MessageEditorBasePage, public MMSSmlilPutAwayAlgorithm<MmsEditorPage>
{
    Q_OBJECT
public:
    // The editor keeps a stored slide's text with its attachment, however long.
    static constexpr bool limitsInlineText = false;
    static constexpr int editorPageType = 8;

    // Neither constructor makes widgets: the host calls createContent() when the
    // page first shows.
    MmsEditorPage(AbstractPageManager* pageManager, const Tollis::RecipientList& recipients,
                  const QString& subject, const QString& body, const QString& messageToken,
                  const QStringList& files);
    MmsEditorPage(AbstractPageManager* pageManager, const Chronel::Event& event);
    ~MmsEditorPage() override;

    void createContent() override;
    int pageType() const override { return editorPageType; }
    bool isEqual(const BasePage& other) const override;
    QMap<QString, QVariant> propertyValueMap() const override;
    void createToolbar() override;
    // True while a send is under way; otherwise when To gives no address and the
    // subject, the body and the slides are empty (Cc and Bcc do not count).
    bool isEmpty() const override;
    void createViewMenu() override;
    QList<Chronel::MessagePart> attachments() const override;
    void addSlide(const Chronel::MessagePart* part, const QString& text) override;

    QStringList fromRecipients(const Tollis::RecipientList& recipients, bool resolvedOnly,
                               bool phoneOnly) const;
    void showSendButtons(bool show);

    bool prepareMessageFolder();
    void protectMessageFolder();
    void removeMessageFolder();
    void deleteDirWithContent(const QString& path);

    // The message as the send pipeline and the size estimate take it.
    MmsOutgoingMessage outgoingMessage() const;
    // Estimated bytes, leaving out attachments of type `excluded` (UNKNOWN leaves
    // out nothing).
    quint32 getMessageSize(MmsContentTypes::CONTENT_TYPE excluded) const;
    // The whole estimate is within the configured maximum.
    bool validateMessageSize() const;
    // Hands the pictures to the resize thread with what the rest leaves of the
    // budget; false when there is nothing to resize.
    bool resizeAll();
    // Lays the message out in its folder and appends the part maps to the send list.
    bool processAttachments();
    // The display texts of the recipients not known to be valid.
    QStringList validateRecipients() const;
    static void cleanPhoneNumbers(QStringList& list);
    static void smartDuplicatesRemoval(QStringList& seen, QStringList& list);

    // 2 accepted, 1 this item refused (the caller may try others), 0 refused and
    // the caller stops adding.
    int updateContentPolicy(bool adding, const QString& mimeType, bool showBanner,
                            const QString& fileName);
    void addFileAttachmentsFromUri(const QStringList& uris);
    void addContactCardAttachmentsFromUri(const QStringList& uris);
    void addCalendarItemAttachmentsFromUri(const QStringList& uris);
    bool addAttachment(const QString& fileName, const QString& mimeType, const QString& sourceUri,
                       const QString& text, bool carriesBodyText);
    void clearAttachmentsList();
    void attachmentListIsEmpty();
    bool isAttachmentExists(const QString& sourceUri) const;

    Tollis::RecipientList recipients;
    QStringList ccList;
    QStringList bccList;
    QString subject;
    QString body;
    QString messageToken;
    QStringList files;
    bool fromEvent = false;
    Chronel::Event event;
    QPointer<MmsRecipientsEdit> recipientsEdit;
    int recipientsToolbarId = -1;
    QPointer<MessagingTextEdit> subjectEdit;
    QPointer<MessagingTextEdit> bodyEdit;
    TkLinearLayoutPolicy* slidePolicy = nullptr;
    QList<MessageSender::PropertyMap> propertyMaps;
    // The addresses of the send under way: To, then Cc, then Bcc.
    QStringList recipientList;
    QPointer<MessageSender> sender;
    MmsTimedBanner* banner = nullptr;
    QList<MmsEditorAttachment*> attachmentList;
    QPointer<QAction> sendAction;
    QPointer<QAction> attachAction;
    QPointer<QWidget> infoPanel;
    QPointer<MessagingAttachmentPicker> attachmentPicker;
    QString messageFolder;
    bool isNewMessage = true;
    bool sendStarted = false;
    int conversionCount = 0;
    qint16 imageCount = 0;
    bool hasSoundOrVideo = false;
    Chronel::SingleEventModel* singleEventModel = nullptr;
    Chronel::GroupModel* groupModel = nullptr;
    QPointer<QWidget> bodyContainer;
    QString pendingContactId;
    QPointer<QtContacts::QContactFetchRequest> contactFetchRequest;
    QPointer<QFile> vcardFile;
    QPointer<QtVersit::QVersitWriter> vcardWriter;
    QPointer<QToolButton> ccBccButton;
    bool recipientBannerShown = false;
    QPointer<QWidget> headerPanel;
    TkLinearLayoutPolicy* mainPolicy = nullptr;
    MmsResizeThread* resizeThread = nullptr;
    ConnSettingsHelper* connectionSettings = nullptr;
    QPointer<TkSceneWindow> spinner;
    SendValidator* sendValidator = nullptr;
    // "N kB of M kB" in the header: the size estimate against the limit.
    QPointer<QLabel> sizeMeter;

signals:
    void showSendButton(bool show);
    void startPictureResize(QStringList fileNames, int maxSize, QString tempFolder);

public slots:
    void slotOnMenuConvertToSms();
    void doConvertToSms();
    void slotOnAttachmentSelected(const QString& fileName, const QString& mimeType);
    void slotOnAttach();
    void slotOnDetachRequired(MmsEditorAttachment* attachment);
    void slotOnEncodeFailed(const QString& fileName);
    void createAttachments(const QStringList& files);
    void removeAttachment(const QString& fileName, bool keepText);
    void removeAttachment(const QString& fileName);
    void clear() override;
    void handleContact(const QString& guid);
    void contactsFetched();
    void vcardWriterStateChanged(QtVersit::QVersitWriter::State state);
    void activateMessageBodyEditor();
    void slotInputAreaChanged(const QRect& vkbRect);
    void slotShowSpinner();
    // Refreshes the size meter.
    void updateSizeMeter();
    void slotOnPictureResizeFinished(QStringList newFileNames, bool status);

    void slotOnSend();
    void slotOnEmptyDialogFinished(int result);
    void slotSendMessage();
    void doSendMessage();
    void slotOnMessageSent();
    void slotSendValidationFailed(int error);
    void slotOnMessageStatusChanged(const QString& token, int status);
    void slotRecipientBannerDisappeared();
    void slotOnResizeCancelled(const QString& fileName);
    void slotOnResizeStarted();
    void slotOnResizeFinished();

public:
    // The card's file: "<folder>/First_Last.vcf", numbered when taken, or a
    // "vcardXXXXXX.vcf" for a contact without a name. Null when none can be made.
    QFile* makeVcardFile(const QtContacts::QContact& contact);

private:
    void initState(AbstractPageManager* pageManager);
    void initPage();
    void ensureToken();
    void createHeader(QWidget* parent);
    void createRecipientsEditor(TkLinearLayoutPolicy* infoPolicy, bool ccBccEnabled,
                                bool emailAllowed);
    void createSubjectField(TkLinearLayoutPolicy* infoPolicy, bool subjectEnabled);
    void createCcBccPanel(QWidget* parent, bool ccBccEnabled);
    void createBodyContainer(QWidget* parent);
    MessagingTextEdit* createTextField(const QString& objectName, QWidget* parent);
    void wireButtons(MessagingTextEdit* edit);
    void fillContent();
    void watchForSizeChanges(MessagingTextEdit* edit);
    void showBanner(const QString& textId);
    // A banner of its own with the information style, gone when it has shown.
    TkBanner* showInformationBanner(const QString& title);
    bool checkRecipients();
    void dismissSpinner();
    // The tail of a send once the size fits: header map and the host's validation.
    void startSendPreparation();
    bool removeLostAttachments();
    void switchAfterSend();
    QString firstSlideText() const;
    void takeBodyContainerOut();
    void disableToolbarActions();
    MmsEditorAttachment* attachmentByFileName(const QString& fileName) const;
    bool isPortrait() const;
    bool addCalendarItem(const QString& uri, CalendarStore& store);
    // Takes a card file that could not be written or added out of the folder.
    void discardVcardFile();

    std::unique_ptr<MmsMessageFolder> m_folder;
    QSharedPointer<QtContacts::QContactManager> m_contactManager;
};
