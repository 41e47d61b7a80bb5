#pragma once

#include "event.h"
#include "messageviewerbasepage.h"
#include "mmssmlilputawayalgorithm.h"
#include "recipient.h"

#include <QPointer>
#include <QSet>
#include <QSharedPointer>

#include <functional>
#include <memory>

class AvatarWidget;
class ContactListLabel;
class CustomSelectableLabel;
class MMSAttachmentWidget;
class MMSDownloader;
class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class TkLinearLayoutPolicy;
class TkLocale;
class TkSpinner;

namespace Chronel {
class SingleEventModel;
}

// The full-screen page of one multimedia message. A notification (received,
// not fetched yet) shows the download view and is fetched at once through
// the download client; a fetched or sent message shows its header and its
// slides. The page follows the event in the history store and rebuilds when
// its content changes, and decides about the read report of a received
// message once its slides are built.
class MmsViewerPage : public MessageViewerBasePage, public MMSSmlilPutAwayAlgorithm<MmsViewerPage>
{
    Q_OBJECT
public:
    // The viewer shows long texts as files of their own.
    static constexpr bool limitsInlineText = true;

    // Download states.
    enum DownloadState : uint {
        Idle = 0,
        Downloading = 1,
        Cancelling = 2,
        Stopped = 3,
        Failed = 4,
        ReadReportWaiting = 5,
    };

    // The host's page of a stored event; the model is the page's source of that event.
    MmsViewerPage(AbstractPageManager* pageManager, Chronel::SingleEventModel* model,
                  const Chronel::Event& event);
    ~MmsViewerPage() override;

    // The user's own contact in the contacts store, read by the first page; 0 when none.
    static int selfContactId();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void createContent() override;
    int pageType() const override { return 2; }
    void createToolbar() override;
    void createViewMenu() override;

    QList<Chronel::MessagePart> attachments() const override;
    void addSlide(const Chronel::MessagePart* part, const QString& text) override;

    bool isNotification() const;
    bool isContentForwardLocked() const;
    uint downloadState() const { return m_downloadState; }
    void setDownloadState(uint state);
    void startDownload();
    void cancelDownload();
    ContactListLabel* createCopyAddress(const QString& labelName, const QString& valueName,
                                        const QString& title, const QStringList& addresses,
                                        TkLinearLayoutPolicy* policy);
    void setupSlidesModel();
    void setupNotificationModel();
    // True while the slides are being (re)built.
    bool isBuildingSlides() const { return m_buildingSlides; }

public slots:
    void createContentAsync();
    void slotOnToolbarReplyTriggered();
    void slotOnToolbarReplyAllTriggered();
    void slotOnToolbarReplyMMSTriggered();
    void slotOnToolbarForwardTriggered();
    void addDeleteAction();
    void setMenuActionsEnabled(bool value);
    void slotDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) override;
    void setupModel();
    void updateHeaderData();
    void updateCcLabels();
    void downloadButtonClicked();
    void openContactCard();
    void expandButtonToggled(bool checked);
    void modelReadySlot(bool ready);
    void slotReadReportDialogFinished(int result);
    void slotViewerBackButtonClicked();
    void updateTimestamp();
    QString statusString();
    void updateDisplayName();
    void updateContactId();
    void onDownloaderReady(bool ok);
    void onDownloadingStarted(QString id);
    void onDownloadingCompleted(QString id, uint status);
    void onProgress(uint stage, uint value, QString id);
    void sendReadReport();
    void ensureDownloader();
    void onProcessContactLink(QString link);
    // Asks for a folder and copies every saveable part file into it.
    void saveAllAttachments();

signals:
    // Asks the host for its editor of another message type.
    void showMessageEditor(Chronel::Event::EventType messageType,
                           const Tollis::RecipientList& contacts = Tollis::RecipientList(),
                           const QString& subject = QString(),
                           const QString& messageBody = QString(),
                           const QString& vcardFilename = QString(),
                           const QString& vcardLabel = QString());

private:
    void createHeaderPanel(QWidget* parent);
    void createSubjectArea(QWidget* parent);
    void createDetails(QWidget* parent);
    void createExpandPanel(QWidget* parent);
    void createSlidesContainer(QWidget* parent);
    void createDownloadView();
    QLabel* createLabel(const QString& objectName, const QString& styleName, QWidget* parent);
    static void letEventsRun();

    void updateSubjectPlacement();
    int detailItemCount() const;
    void updateExpandButton();
    QString sizeText() const;
    static bool isTextRightToLeft();
    void addAddressRow(const QString& kind, const QString& title, const QStringList& addresses);
    void chainContactResolving(ContactListLabel* label);

    void refreshActions();
    QList<Chronel::MessagePart> saveableParts() const;
    void showBanner(const QString& text);

    void showBodyText(const QString& text);
    void downloadStopped();
    void downloadFailed();
    bool markEvent(const std::function<void(Chronel::Event&)>& set, const char* success);

    static bool contentDiffers(const Chronel::Event& a, const Chronel::Event& b);
    static bool headerDiffers(const Chronel::Event& a, const Chronel::Event& b);
    void followEvent(const Chronel::Event& newer, bool contentChanged, bool headerChanged);

    void markReportRead();
    void sendReadReportNow();

    void own(QWidget* widget);
    void showSpinner(bool shown);
    void releaseSlides();
    TkLinearLayoutPolicy* slideListPart();
    bool isRepeatBeyondLimit(const Chronel::MessagePart& part);
    void addSlideContent(const Chronel::MessagePart& part, TkLinearLayoutPolicy* portrait,
                         TkLinearLayoutPolicy* landscape, QWidget* slide);
    QLabel* textLabel(const QString& text, QWidget* slide);
    MMSAttachmentWidget* attachmentWidget(const Chronel::MessagePart& part, int rotation,
                                          QWidget* slide);

    Chronel::Event m_event;

    QAction* m_forwardAction = nullptr;
    QAction* m_replyAction = nullptr;
    QAction* m_replyAllAction = nullptr;
    QAction* m_replyMmsAction = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_saveAllAction = nullptr;

    QPushButton* m_downloadButton = nullptr;
    std::unique_ptr<TkLocale> m_locale;
    AvatarWidget* m_avatar = nullptr;
    QLabel* m_contactName = nullptr;
    QLabel* m_timestamp = nullptr;
    QLabel* m_body = nullptr;
    CustomSelectableLabel* m_subject = nullptr;
    QLabel* m_size = nullptr;
    QProgressBar* m_progress = nullptr;
    QWidget* m_headerPanel = nullptr;

    TkLinearLayoutPolicy* m_slideList = nullptr;
    TkLinearLayoutPolicy* m_subjectPolicy = nullptr;
    TkLinearLayoutPolicy* m_mainColumn = nullptr;
    TkLinearLayoutPolicy* m_detailsPolicy = nullptr;

    QPointer<MMSDownloader> m_downloader;
    QWidget* m_trailingArea = nullptr;
    uint m_downloadState = Idle;
    QList<QSharedPointer<QWidget>> m_contentWidgets;

    QWidget* m_details = nullptr;
    QWidget* m_downloadView = nullptr;
    QWidget* m_slidesContainer = nullptr;
    QWidget* m_detailsDivider = nullptr;
    bool m_buildingSlides = false;
    bool m_readReportDialogShown = false;
    QToolButton* m_expandButton = nullptr;

    // The part of the slide list that takes the next slides, and how many it has.
    TkLinearLayoutPolicy* m_slideListPart = nullptr;
    int m_slidesInPart = 0;
    // Shown while the slides of a large message are built.
    TkSpinner* m_spinner = nullptr;
    // The content changed while the slides were being built.
    bool m_rebuildPending = false;
    // Parts shown as slides in this build, and how many slides repeated one.
    QSet<QString> m_shownParts;
    int m_repeatedSlides = 0;
    QPointer<ContactListLabel> m_lastAddressRow;
};
