#include "mmsviewerpage.h"

#include "avatarwidget.h"
#include "contactlistlabel.h"
#include "contactlocalid.h"
#include "contactmanagers.h"
#include "contactsgui.h"
#include "customselectablelabel.h"
#include "emoticonutils.h"
#include "messagecontent.h"
#include "mmsattachmentssaver.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmscontactcard.h"
#include "mmsdownloader.h"
#include "mmsimagemetadata.h"
#include "mmsmainconfig.h"
#include "singleeventmodel.h"
#include "storage.h"
#include "utils_debug.h"
#include "viewer_debug.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "tkbanner.h"
#include "tkcontenthighlighter.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tklocale.h"
#include "tkquerydialog.h"
#include "tksaveasdialog.h"
#include "tkseparator.h"
#include "tkspacer.h"
#include "tkspinner.h"
#include "tkstyle.h"
#include "tktheme.h"

using namespace QtContacts;

namespace {

const int kilobyte = 1024;
const int megabyte = 1048576;
// Address rows start resolving their contacts this long after they appear.
const int contactResolvingDelay = 500;
// Messages of more parts show a spinner while their slides are built.
const int spinnerPartCount = 7;
const int slidesPerListPart = 16;

int cachedSelfContactId = -1;

QString trueFalse(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

TkSeparator* separator(const QString& styleName)
{
    auto* line = new TkSeparator;
    tk::setStyleName(line, styleName);
    return line;
}

QContact storedContact(quint32 localId)
{
    if (localId == 0) {
        return QContact();
    }
    const QSharedPointer<QContactManager> manager = mmsui::utils::getContactManager();
    const QContactId id =
        ContactLocalId::toContactId(manager ? manager->managerUri() : QString(), localId);
    QContact contact = manager ? manager->contact(id) : QContact();
    if (contact.isEmpty()) {
        // The avatar still names the contact, so that its card can be opened.
        contact.setId(id);
    }
    return contact;
}

} // namespace

MmsViewerPage::MmsViewerPage(AbstractPageManager* pageManager, Chronel::SingleEventModel* model,
                             const Chronel::Event& event)
    : MessageViewerBasePage(pageManager, model, event)
    , m_event(event)
    , m_locale(std::make_unique<TkLocale>())
{
    setObjectName(QStringLiteral("mmsViewerPage"));
    if (model) {
        connect(model, &Chronel::SingleEventModel::modelReady, this,
                &MmsViewerPage::modelReadySlot);
    }
    selfContactId();
}

MmsViewerPage::~MmsViewerPage() = default;

int MmsViewerPage::selfContactId()
{
    if (cachedSelfContactId == -1) {
        const QSharedPointer<QContactManager> manager = mmsui::utils::getContactManager();
        cachedSelfContactId =
            manager ? int(ContactLocalId::fromContactId(manager->selfContactId())) : 0;
    }
    return cachedSelfContactId;
}

// 1. Construction and content

void MmsViewerPage::createContent()
{
    MessageViewerBasePage::createContent();
    auto* single = qobject_cast<Chronel::SingleEventModel*>(model());
    if (!single) {
        qCCritical(lcMmsView) << "[MMS-VIEW] EventModel is not SingleEventModel";
    } else {
        qCDebug(lcMmsView) << "[MMS-VIEW] Requesting event " << m_event.id();
        single->getEventByUri(Chronel::Event::idToUrl(m_event.id()));
    }
    setTitle(qtTrId("qtn_mms_view_title_msg_viewer"));
    detachBackButtonHandling();
    QTimer::singleShot(0, this, &MmsViewerPage::createContentAsync);
}

void MmsViewerPage::createContentAsync()
{
    auto* container = new MmsBaseContainer;
    setCentralWidget(container);
    createToolbar();
    createViewMenu();
    setMenuActionsEnabled(!isNotification());
    auto* column = new TkLayout(container);
    m_mainColumn = new TkLinearLayoutPolicy(column, Qt::Vertical);
    column->setPolicy(m_mainColumn);
    createHeaderPanel(container);
    createSubjectArea(container);
    createDetails(container);
    createExpandPanel(container);
    createSlidesContainer(container);
    createDownloadView();
    letEventsRun();
    updateHeaderData();
    letEventsRun();
    setupModel();
    connect(this, &TkApplicationPage::backButtonClicked, this,
            &MmsViewerPage::slotViewerBackButtonClicked);
}

QLabel* MmsViewerPage::createLabel(const QString& objectName, const QString& styleName,
                                   QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    tk::setStyleName(label, styleName);
    return label;
}

void MmsViewerPage::createHeaderPanel(QWidget* parent)
{
    m_headerPanel = new QWidget(parent);
    m_headerPanel->setObjectName(QStringLiteral("mmsViewerInfoPanel"));
    tk::setStyleName(m_headerPanel, QStringLiteral("CommonLargeViewHeaderPanel"));
    auto* row = new QHBoxLayout(m_headerPanel);
    auto* names = new QVBoxLayout;
    m_contactName = createLabel(QStringLiteral("mmsViewerTitle"),
                                QStringLiteral("MMSViewerContactName"), m_headerPanel);
    // Names and addresses come from other people: never markup.
    m_contactName->setTextFormat(Qt::PlainText);
    m_contactName->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    m_contactName->installEventFilter(this);
    QLabel* subtitle =
        createLabel(QString(), QStringLiteral("MMSViewerContactSubtitle"), m_headerPanel);
    subtitle->setText(qtTrId("qtn_mms_default_mms"));
    names->addWidget(m_contactName);
    names->addWidget(subtitle);
    row->addLayout(names, 1);
    if (m_event.direction() != Chronel::Event::Outbound) {
        m_avatar = new AvatarWidget(m_headerPanel);
        m_avatar->setObjectName(QStringLiteral("mmsViewerAvatar"));
        tk::setStyleName(m_avatar, QStringLiteral("CommonThumbnail"));
        m_avatar->setFixedSize(m_avatar->sizeHint());
        m_avatar->installEventFilter(this);
        row->addWidget(m_avatar, 0, Qt::AlignCenter);
    }
    m_mainColumn->addItem(m_headerPanel);
}

void MmsViewerPage::createSubjectArea(QWidget* parent)
{
    auto* area = new QWidget(parent);
    auto* layout = new TkLayout(area);
    m_subjectPolicy = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(m_subjectPolicy);
    m_subjectPolicy->addItem(new TkSpacer(QStringLiteral("CommonSpacer")));
    m_subject = new CustomSelectableLabel(QString(), area);
    m_subject->setObjectName(QStringLiteral("mmsViewerSubjectLabel"));
    m_subject->setStyleName(QStringLiteral("MMSViewerSubject"));
    m_subjectPolicy->addItem(m_subject);
    m_mainColumn->addItem(area);
}

// Built now, placed in the main column only while the expand button is checked.
void MmsViewerPage::createDetails(QWidget* parent)
{
    m_details = new QWidget(parent);
    m_details->hide();
    auto* layout = new TkLayout(m_details);
    m_detailsPolicy = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(m_detailsPolicy);
    m_detailsDivider = separator(QStringLiteral("CommonItemDivider"));
    m_detailsPolicy->addItem(m_detailsDivider);
    m_timestamp = createLabel(QStringLiteral("mmsViewerDate"), QStringLiteral("MMSViewerTimestamp"),
                              m_details);
    m_timestamp->setAlignment((isTextRightToLeft() ? Qt::AlignRight : Qt::AlignLeft) |
                              Qt::AlignVCenter);
    m_detailsPolicy->addItem(m_timestamp);
    m_size =
        createLabel(QStringLiteral("mmsViewerSize"), QStringLiteral("CommonSubText"), m_details);
    m_detailsPolicy->addItem(m_size);
}

void MmsViewerPage::createExpandPanel(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    tk::setStyleName(panel, QStringLiteral("CommonEditorNoteAreaExpandButtonPanel"));
    auto* row = new QHBoxLayout(panel);
    row->addStretch();
    m_expandButton = new QToolButton(panel);
    m_expandButton->setObjectName(QStringLiteral("mmsViewerExpandButton"));
    tk::setStyleName(m_expandButton, QStringLiteral("CommonEditorExpandButton"));
    m_expandButton->setCheckable(true);
    QIcon icon;
    icon.addPixmap(TkTheme::pixmap(QStringLiteral("icon-s-common-expand")), QIcon::Normal,
                   QIcon::Off);
    icon.addPixmap(TkTheme::pixmap(QStringLiteral("icon-s-common-collapse")), QIcon::Normal,
                   QIcon::On);
    m_expandButton->setIcon(icon);
    connect(m_expandButton, &QToolButton::toggled, this, &MmsViewerPage::expandButtonToggled);
    row->addWidget(m_expandButton);
    m_mainColumn->addItem(panel);
}

void MmsViewerPage::createSlidesContainer(QWidget* parent)
{
    m_slidesContainer = new QWidget(parent);
    m_slidesContainer->setObjectName(QStringLiteral("mmsViewerSlidesContainer"));
    tk::setStyleName(m_slidesContainer, QStringLiteral("MMSSlidesContainer"));
    auto* layout = new TkLayout(m_slidesContainer);
    m_slideList = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(m_slideList);
    // Empty, and the one to take the room the slides leave, so that they
    // stay packed at the top and do not move as slides are added.
    m_slidesContainer->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_trailingArea = new QWidget(m_slidesContainer);
    m_trailingArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_slideList->addItem(m_trailingArea);
    m_mainColumn->addItem(m_slidesContainer);
}

// Built now, placed in the slide list while the message is a notification.
void MmsViewerPage::createDownloadView()
{
    m_downloadView = new QWidget(m_slidesContainer);
    m_downloadView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_downloadView->hide();
    auto* column = new QVBoxLayout(m_downloadView);
    column->addStretch();
    m_body = createLabel(QStringLiteral("mmsViewerBody"), QStringLiteral("CommonEmptyStateTitle"),
                         m_downloadView);
    m_body->setWordWrap(true);
    m_body->setAlignment(Qt::AlignCenter);
    column->addWidget(m_body);
    m_progress = new QProgressBar(m_downloadView);
    m_progress->setObjectName(QStringLiteral("mmsViewerDownloadProgress"));
    tk::setStyleName(m_progress, QStringLiteral("CommonProgressBar"));
    m_progress->setRange(0, 100);
    m_progress->hide();
    column->addWidget(m_progress);
    column->addStretch();
    m_downloadButton = new QPushButton(qtTrId("qtn_mms_download_cancel"), m_downloadView);
    m_downloadButton->setObjectName(QStringLiteral("mmsViewerDownloadButton"));
    tk::setStyleName(m_downloadButton, QStringLiteral("CommonSingleButton"));
    connect(m_downloadButton, &QPushButton::clicked, this, &MmsViewerPage::downloadButtonClicked);
    column->addWidget(m_downloadButton, 0, Qt::AlignHCenter);
    column->addWidget(
        new TkSpacer(QStringLiteral("MMSViewerDownloadButtonSpacer"), m_downloadView));
}

// Long work lets the page repaint and the connection manager's signals in,
// but no user input.
void MmsViewerPage::letEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MmsViewerPage::setupModel()
{
    if (!m_slideList) {
        // The content is not built yet; building it runs this.
        return;
    }
    if (m_event.contentLocation().isEmpty()) {
        setupSlidesModel();
        return;
    }
    qCDebug(lcMmsView) << "[MMS-VIEW] MMS content location: " << m_event.contentLocation()
                       << m_event.messageToken();
    if (m_event.direction() == Chronel::Event::Inbound && !m_event.messageToken().isEmpty()) {
        setupNotificationModel();
    }
}

void MmsViewerPage::setupNotificationModel()
{
    if (m_downloadState != Idle) {
        return;
    }
    tk::setStyleName(m_slidesContainer, QStringLiteral("MMSNotificationContainer"));
    // The download view fills the page itself.
    m_slideList->removeItem(m_trailingArea);
    m_slideList->addItem(m_downloadView);
    m_downloadView->show();
    if (m_event.direction() == Chronel::Event::Inbound) {
        ensureDownloader();
        startDownload();
    }
}

bool MmsViewerPage::isNotification() const
{
    return !m_event.contentLocation().isEmpty() && m_event.direction() == Chronel::Event::Inbound;
}

// 2. Header

void MmsViewerPage::updateHeaderData()
{
    if (!m_slideList) {
        return;
    }
    updateSubjectPlacement();
    updateContactId();
    updateDisplayName();
    updateTimestamp();
    m_subject->setText(m_event.subject());
    updateExpandButton();
}

// Without a subject the date takes its place, so that it always shows.
void MmsViewerPage::updateSubjectPlacement()
{
    const bool subjectShown = m_subjectPolicy->contains(m_subject);
    if (m_event.subject().isEmpty() && subjectShown) {
        m_subject->hide();
        m_subjectPolicy->removeItem(m_subject);
        m_detailsPolicy->removeItem(m_timestamp);
        m_subjectPolicy->insertItem(1, m_timestamp);
        m_timestamp->show();
    } else if (!m_event.subject().isEmpty() && !subjectShown) {
        m_subjectPolicy->removeItem(m_timestamp);
        m_detailsPolicy->insertItem(1, m_timestamp);
        m_timestamp->show();
        m_subjectPolicy->insertItem(1, m_subject);
        m_subject->show();
    }
}

// The divider alone is no detail worth expanding for.
int MmsViewerPage::detailItemCount() const
{
    return m_detailsPolicy->count() - (m_detailsPolicy->contains(m_detailsDivider) ? 1 : 0);
}

void MmsViewerPage::updateExpandButton()
{
    m_expandButton->setVisible(detailItemCount() > 1);
}

void MmsViewerPage::updateDisplayName()
{
    if (!m_contactName) {
        return;
    }
    const QList<Chronel::Event::Contact> contacts = m_event.contacts();
    if (m_event.direction() == Chronel::Event::Outbound) {
        m_contactName->setText(qtTrId("qtn_mms_sent_by_you"));
    } else if (contacts.size() == 1) {
        m_contactName->setText(contacts.first().second);
    } else {
        m_contactName->setText(m_locale->toLocalizedNumbers(m_event.remoteUid()));
    }
}

void MmsViewerPage::updateContactId()
{
    if (!m_avatar || m_event.direction() != Chronel::Event::Inbound) {
        return;
    }
    const QList<Chronel::Event::Contact> contacts = m_event.contacts();
    m_avatar->setContact(storedContact(contacts.size() == 1 ? quint32(contacts.first().first) : 0));
}

void MmsViewerPage::updateTimestamp()
{
    if (!m_timestamp) {
        return;
    }
    const QDateTime start = m_event.startTime();
    const QString date = m_locale->formatDateTime(start, TkLocale::DateShort, TkLocale::TimeNone);
    const QString time = m_locale->formatDateTime(start, TkLocale::DateNone, TkLocale::TimeShort);
    const QString status = statusString();
    const QString separator = QStringLiteral(" | ");
    m_timestamp->setText(status.isEmpty()
                             ? QStringLiteral("%1%2%3").arg(date, separator, time)
                             : QStringLiteral("%1%2%3 | %4").arg(date, separator, time, status));
    m_size->setText(QStringLiteral("%1 %2").arg(qtTrId("qtn_mms_viewer_size"), sizeText()));
    const bool rightToLeft = isTextRightToLeft();
    m_size->setAlignment((rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    m_size->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

QString MmsViewerPage::sizeText() const
{
    const uint bytes = uint(m_event.bytesReceived());
    if (bytes < uint(kilobyte)) {
        return qtTrId("qtn_comm_bytes", int(bytes));
    }
    if (bytes < uint(megabyte)) {
        return qtTrId("qtn_comm_kilobytes").arg(bytes / kilobyte);
    }
    return qtTrId("qtn_comm_megabytes").arg(bytes / megabyte);
}

bool MmsViewerPage::isTextRightToLeft()
{
    return qtTrId("qtn_mms_viewer_size").isRightToLeft();
}

QString MmsViewerPage::statusString()
{
    if (m_event.direction() != Chronel::Event::Outbound) {
        return QString();
    }
    switch (m_event.status()) {
    case Chronel::Event::SentStatus:
        return m_event.reportDelivery() ? qtTrId("qtn_mms_delivery_reports_pending") : QString();
    case Chronel::Event::DeliveredStatus:
        if (m_event.readStatus() == Chronel::Event::ReadStatusRead) {
            qCDebug(lcMmsView) << "[MMS-VIEW] Message status: read";
            return qtTrId("qtn_mms_read_report");
        }
        if (m_event.readStatus() == Chronel::Event::ReadStatusDeleted) {
            qCDebug(lcMmsView) << "[MMS-VIEW] Message status: deleted";
            return qtTrId("qtn_mms_deleted_wihout_reading");
        }
        if (MmsMainConfig().deliveryReport) {
            qCDebug(lcMmsView) << "[MMS-VIEW] Message status: delivered";
            return qtTrId("qtn_mms_delivery_reports_delivered");
        }
        qCDebug(lcMmsView)
            << "[MMS-VIEW] Message status: delivered. Status is not shown per config";
        return QString();
    case Chronel::Event::TemporarilyFailedStatus:
    case Chronel::Event::PermanentlyFailedStatus:
        return qtTrId("qtn_mms_delivery_reports_failed");
    default:
        return QString();
    }
}

void MmsViewerPage::updateCcLabels()
{
    m_lastAddressRow.clear();
    addAddressRow(QStringLiteral("Bcc"), qtTrId("qtn_mms_viewer_bcc"), m_event.bccList());
    addAddressRow(QStringLiteral("Cc"), qtTrId("qtn_mms_viewer_cc"), m_event.ccList());
    addAddressRow(QStringLiteral("To"), qtTrId("qtn_mms_viewer_to"), m_event.toList());
    updateExpandButton();
}

void MmsViewerPage::addAddressRow(const QString& kind, const QString& title,
                                  const QStringList& addresses)
{
    if (addresses.isEmpty()) {
        return;
    }
    chainContactResolving(createCopyAddress(QStringLiteral("mmsViewer%1Label").arg(kind),
                                            QStringLiteral("mmsViewer%1Value").arg(kind), title,
                                            addresses, m_detailsPolicy));
}

// One row resolves its contacts at a time: the first a little after it
// appears, each later one when the one before is done.
void MmsViewerPage::chainContactResolving(ContactListLabel* label)
{
    if (m_lastAddressRow) {
        connect(m_lastAddressRow, &ContactListLabel::contactsResolved, label,
                &ContactListLabel::startContactResolving);
    } else {
        QTimer::singleShot(contactResolvingDelay, label, &ContactListLabel::startContactResolving);
    }
    m_lastAddressRow = label;
}

ContactListLabel* MmsViewerPage::createCopyAddress(const QString& labelName,
                                                   const QString& valueName, const QString& title,
                                                   const QStringList& addresses,
                                                   TkLinearLayoutPolicy* policy)
{
    qCDebug(lcMmsView) << "[MMS-VIEW] Creating To/cc/bcc field:" << labelName;
    auto* row = new QWidget;
    own(row);
    const bool rightToLeft = title.isRightToLeft();
    row->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    auto* rowLayout = new TkLayout(row);
    auto* rowPolicy = new TkLinearLayoutPolicy(rowLayout, Qt::Horizontal);
    rowLayout->setPolicy(rowPolicy);
    QLabel* titleLabel = createLabel(labelName, QStringLiteral("CommonSubText"), row);
    titleLabel->setText(title);
    titleLabel->setAlignment(Qt::AlignCenter);
    auto* value = new ContactListLabel(row);
    value->setObjectName(valueName);
    tk::setStyleName(value, QStringLiteral("CommonSubText"));
    value->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    value->setWordWrap(true);
    value->setAlignment((rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    QStringList sorted = addresses;
    sorted.sort();
    value->setAddressList(sorted);
    TkContentHighlighter::highlight(value);
    connect(value, &QLabel::linkActivated, this, &MmsViewerPage::onProcessContactLink);
    rowPolicy->addItem(titleLabel);
    rowPolicy->addItem(value);
    const int after = policy->contains(m_timestamp) ? policy->indexOf(m_timestamp)
                                                    : policy->indexOf(m_detailsDivider);
    policy->insertItem(after + 1, row);
    return value;
}

void MmsViewerPage::expandButtonToggled(bool checked)
{
    if (detailItemCount() < 2) {
        return;
    }
    if (checked) {
        m_mainColumn->insertItem(2, m_details);
        m_details->show();
    } else {
        m_details->hide();
        m_mainColumn->removeItem(m_details);
    }
}

bool MmsViewerPage::eventFilter(QObject* watched, QEvent* event)
{
    const bool opensCard = watched && (watched == m_contactName || watched == m_avatar);
    if (opensCard && event->type() == QEvent::MouseButtonPress) {
        event->accept();
        return true;
    }
    if (opensCard && event->type() == QEvent::MouseButtonRelease) {
        openContactCard();
        return true;
    }
    return MessageViewerBasePage::eventFilter(watched, event);
}

void MmsViewerPage::openContactCard()
{
    if (!m_avatar) {
        return;
    }
    if (m_avatar->contactId() == 0) {
        ContactsGui::showNewContactCard(m_event.remoteUid());
    } else {
        ContactsGui::showContactCard(mmsui::utils::getContactManager().data(),
                                     m_avatar->contactId());
    }
}

void MmsViewerPage::onProcessContactLink(QString link)
{
    qCDebug(lcMmsUi) << "[MMS-UI] Process clicked contact link:" << link;
    ContactsGui::showContactCard(mmsui::utils::getContactManager().data(),
                                 ContactLocalId::fromText(link));
}

// 3. Toolbar and view menu

void MmsViewerPage::createToolbar()
{
    if (!m_replyAction) {
        m_replyAction = addToolbarAction(QString(), QStringLiteral("icon-m-toolbar-reply"),
                                         QStringLiteral("mmsViewReplyTollbarAction"));
        connect(m_replyAction, &QAction::triggered, this,
                &MmsViewerPage::slotOnToolbarReplyTriggered);
    }
    addDeleteAction();
}

void MmsViewerPage::addDeleteAction()
{
    if (m_deleteAction) {
        return;
    }
    m_deleteAction = addToolbarAction(QString(), QStringLiteral("icon-m-toolbar-delete"),
                                      QStringLiteral("toolbarDeleteMessage"));
    connect(m_deleteAction, &QAction::triggered, this,
            &MessageViewerBasePage::slotOnToolbarDeleteTriggered);
}

void MmsViewerPage::createViewMenu()
{
    if (!m_replyAllAction) {
        m_replyAllAction = addViewMenuAction(qtTrId("qtn_comm_reply_all"),
                                             QStringLiteral("mmsViewReplyAllTollbarAction"));
        connect(m_replyAllAction, &QAction::triggered, this,
                &MmsViewerPage::slotOnToolbarReplyAllTriggered);
    }
    if (!m_forwardAction && !isContentForwardLocked()) {
        qCDebug(lcMmsUi) << "[MMS-UI] Forward-locked files not found. Permit forward.";
        m_forwardAction = addViewMenuAction(qtTrId("qtn_comm_forward"),
                                            QStringLiteral("mmsViewForwardTollbarAction"));
        connect(m_forwardAction, &QAction::triggered, this,
                &MmsViewerPage::slotOnToolbarForwardTriggered);
    } else if (!m_forwardAction) {
        qCDebug(lcMmsUi) << "[MMS-UI] Forward-locked files found. Restrict forward.";
    }
    if (!m_replyMmsAction) {
        m_replyMmsAction = addViewMenuAction(qtTrId("qtn_mms_reply_by_mms"),
                                             QStringLiteral("mmsViewReplyMMSTollbarAction"));
        connect(m_replyMmsAction, &QAction::triggered, this,
                &MmsViewerPage::slotOnToolbarReplyMMSTriggered);
    }
    if (!m_saveAllAction) {
        m_saveAllAction = addViewMenuAction(qtTrId("qtn_mms_save_all_attachments"),
                                            QStringLiteral("mmsViewSaveAllAction"));
        connect(m_saveAllAction, &QAction::triggered, this, &MmsViewerPage::saveAllAttachments);
        m_saveAllAction->setVisible(saveableParts().size() >= 2);
    }
}

bool MmsViewerPage::isContentForwardLocked() const
{
    return mmsui::utils::isContentForwardLocked(m_event.messageParts());
}

void MmsViewerPage::setMenuActionsEnabled(bool value)
{
    qCDebug(lcMmsView).noquote() << "[MMS-VIEW] setMenuActionsEnabled = " + trueFalse(value);
    for (QAction* action :
         {m_forwardAction, m_replyAllAction, m_replyAction, m_replyMmsAction, m_deleteAction}) {
        if (action) {
            action->setVisible(value);
        }
    }
}

// Forward also needs content that may leave the phone; saving all needs
// something to save.
void MmsViewerPage::refreshActions()
{
    setMenuActionsEnabled(!isNotification());
    if (m_forwardAction && isContentForwardLocked()) {
        m_forwardAction->setVisible(false);
    }
    if (m_saveAllAction) {
        m_saveAllAction->setVisible(!isNotification() && saveableParts().size() >= 2);
    }
}

void MmsViewerPage::slotOnToolbarReplyTriggered()
{
    if (m_event.remoteUid().contains(QLatin1Char('@'))) {
        MessageViewerBasePage::showMessageEditor(m_event, MessagingUI::Reply);
        return;
    }
    const Tollis::Recipient recipient{{Tollis::RecipientAddress, m_event.remoteUid()}};
    emit showMessageEditor(Chronel::Event::SMSEvent, {recipient}, QString(), QString(), QString(),
                           QString());
}

void MmsViewerPage::slotOnToolbarReplyAllTriggered()
{
    if (!isNotification()) {
        MessageViewerBasePage::showMessageEditor(m_event, MessagingUI::ReplyToAll);
    }
}

void MmsViewerPage::slotOnToolbarReplyMMSTriggered()
{
    if (!isNotification()) {
        MessageViewerBasePage::showMessageEditor(m_event, MessagingUI::Reply);
    }
}

void MmsViewerPage::slotOnToolbarForwardTriggered()
{
    if (!isNotification()) {
        MessageViewerBasePage::showMessageEditor(m_event, MessagingUI::Forward);
    }
}

QList<Chronel::MessagePart> MmsViewerPage::saveableParts() const
{
    return MmsAttachmentsSaver::saveableParts(m_event.messageParts());
}

void MmsViewerPage::saveAllAttachments()
{
    const QList<Chronel::MessagePart> parts = saveableParts();
    auto* dialog = new TkSaveAsDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFolderMode(true);
    const QString subject = m_event.subject().simplified().remove(QLatin1Char('/'));
    dialog->setDefaultFileName(subject.isEmpty() || subject.startsWith(QLatin1Char('.'))
                                   ? qtTrId("qtn_mms_default_mms")
                                   : subject);
    dialog->setDestinationFolder(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    connect(dialog, &QDialog::finished, this, [this, dialog, parts](int result) {
        if (result != TkSaveAsDialog::Saved) {
            return;
        }
        const QString folder =
            dialog->destinationFolder() + QLatin1Char('/') + dialog->resultFileName();
        showBanner(
            qtTrId("qtn_mms_info_attachments_saved", MmsAttachmentsSaver::saveInto(parts, folder)));
    });
    dialog->open();
}

void MmsViewerPage::showBanner(const QString& text)
{
    auto* banner = new TkBanner(this);
    tk::setStyleName(banner, QStringLiteral("InformationBanner"));
    banner->setTitle(text);
    connect(banner, &TkBanner::disappeared, banner, &QObject::deleteLater);
    banner->appear();
}

// 4. Download

void MmsViewerPage::setDownloadState(uint state)
{
    m_downloadState = state;
    if (state == Downloading || state == Cancelling) {
        m_downloadButton->setText(qtTrId("qtn_mms_download_cancel"));
    } else if (state == Stopped || state == Failed) {
        m_downloadButton->setText(qtTrId("qtn_mms_download_reload"));
    }
}

void MmsViewerPage::ensureDownloader()
{
    if (m_downloader) {
        return;
    }
    qCDebug(lcMmsView) << "[MMS-VIEW] Creating new downloader";
    // It outlives the page: a download goes on when the page closes.
    m_downloader = new MMSDownloader(m_event.remoteUid(), MMSDownloader::mmsAccountPath(),
                                     QCoreApplication::instance());
    connect(m_downloader, &MMSDownloader::ready, this, &MmsViewerPage::onDownloaderReady);
    connect(m_downloader, &MMSDownloader::downloadStarted, this,
            &MmsViewerPage::onDownloadingStarted);
    connect(m_downloader, &MMSDownloader::downloadCompleted, this,
            &MmsViewerPage::onDownloadingCompleted);
    connect(m_downloader, &MMSDownloader::progress, this, &MmsViewerPage::onProgress);
    m_downloader->init();
}

void MmsViewerPage::showBodyText(const QString& text)
{
    m_body->setText(text);
}

void MmsViewerPage::startDownload()
{
    if (!mmsui::utils::freeSpaceAvailable()) {
        qCWarning(lcMmsView) << "[MMS-VIEW] No enough space to download MMS";
        showBanner(qtTrId("qtn_mms_info_memory_low_download"));
        downloadFailed();
        return;
    }
    // A retry after a downloader that failed to get ready needs a new one.
    ensureDownloader();
    showBodyText(qtTrId("qtn_mms_downloading"));
    setDownloadState(Downloading);
    if (!m_downloader->isReady()) {
        // onDownloaderReady() starts it.
        return;
    }
    qCDebug(lcMmsView) << "Start downloading from " << m_event.contentLocation();
    m_downloader->download(m_event.messageToken(), m_event.contentLocation());
    m_progress->setValue(0);
    m_progress->show();
}

void MmsViewerPage::onDownloaderReady(bool ok)
{
    if (!ok) {
        qCCritical(lcMmsUi) << "[MMS-UI] Failed to configure downloader";
        // A failed downloader stays failed; the next attempt makes a new one.
        m_downloader->deleteLater();
        m_downloader.clear();
        if (m_downloadState == Downloading) {
            downloadFailed();
        }
        return;
    }
    if (m_downloadState == Downloading) {
        qCDebug(lcMmsView) << "[MMS_VIEW] Downloader is ready. Start downloading";
        startDownload();
    } else if (m_downloadState == ReadReportWaiting) {
        qCDebug(lcMmsView) << "[MMS_VIEW] Downloader is ready. Sending read report";
        setDownloadState(Idle);
        m_downloader->sendReadReport(m_event.mmsId(), m_event.remoteUid(), true);
    }
}

void MmsViewerPage::downloadButtonClicked()
{
    if (m_downloadState == Downloading) {
        cancelDownload();
    } else if (m_downloadState == Stopped || m_downloadState == Failed) {
        startDownload();
    }
}

void MmsViewerPage::cancelDownload()
{
    setDownloadState(Cancelling);
    if (!m_downloader || !m_downloader->isReady()) {
        qCWarning(lcMmsView) << "Trying to cancel when downloader is not ready";
        // Nothing was asked of the connection manager, so no completion will come.
        downloadStopped();
        return;
    }
    qCDebug(lcMmsView) << "Cancel downloading from " << m_event.messageToken();
    if (m_downloader->cancel(m_event.messageToken()) != 0) {
        // The connection manager has no such download: it completes no more.
        downloadStopped();
    }
}

void MmsViewerPage::onProgress(uint, uint value, QString id)
{
    if (id == m_event.messageToken()) {
        m_progress->setValue(int(value));
    }
}

void MmsViewerPage::onDownloadingStarted(QString) {}

void MmsViewerPage::onDownloadingCompleted(QString id, uint status)
{
    qCDebug(lcMmsView) << "[MMS-VIEW] Downloading completed, state:" << m_downloadState << "status"
                       << status;
    if (id != m_event.messageToken()) {
        return;
    }
    m_progress->hide();
    if (status == 0 && (m_downloadState == Downloading || m_downloadState == Cancelling)) {
        // Also when the cancel came too late: the message is here.
        setDownloadState(Idle);
    } else if (m_downloadState == Cancelling) {
        downloadStopped();
    } else if (m_downloadState == Downloading) {
        downloadFailed();
    }
}

void MmsViewerPage::downloadStopped()
{
    showBodyText(qtTrId("qtn_mms_download_stopped"));
    setDownloadState(Stopped);
    // The conversation shows the download as stopped.
    markEvent([](Chronel::Event& event) { event.setStatus(Chronel::Event::DeliveredStatus); },
              "[MMS-VIEW] Updated event: set status: delivered");
}

void MmsViewerPage::downloadFailed()
{
    setDownloadState(Failed);
    showBodyText(qtTrId("qtn_mms_download_failed"));
}

// A partial update: the record identifier and the one property set.
bool MmsViewerPage::markEvent(const std::function<void(Chronel::Event&)>& set, const char* success)
{
    if (!model()) {
        qCCritical(lcMmsView) << "[MMS-VIEW] Failed to update event: Event Model is NULL";
        return false;
    }
    Chronel::Event update = m_event;
    update.resetModifiedProperties();
    update.setValidProperties({Chronel::Event::Id});
    set(update);
    if (!model()->modifyEvent(update)) {
        qCCritical(lcMmsView) << "[MMS-VIEW] Failed to update event: modifyEvent() returns false";
        return false;
    }
    qCDebug(lcMmsView) << success;
    return true;
}

// 5. Following the store

void MmsViewerPage::modelReadySlot(bool ready)
{
    qCDebug(lcMmsView) << "[MMS-VIEW] Model is ready" << ready;
    if (!model() || model()->rowCount() == 0) {
        qCWarning(lcMmsView) << "[MMS-VIEW] Can't fetch event from single event model";
        return;
    }
    const Chronel::Event fetched = model()->event(model()->index(0));
    if (fetched.id() != m_event.id()) {
        qCWarning(lcMmsView) << "[MMS-VIEW] Wrong event fetched from single event model";
        return;
    }
    qCDebug(lcMmsView) << "[MMS-VIEW] Event is fetched, update view" << fetched.id();
    const bool content =
        contentDiffers(m_event, fetched) || fetched.messageToken() != m_event.messageToken() ||
        fetched.bccList() != m_event.bccList() || fetched.ccList() != m_event.ccList() ||
        fetched.toList() != m_event.toList();
    followEvent(fetched, content, headerDiffers(m_event, fetched));
}

void MmsViewerPage::slotDataChanged(const QModelIndex& topLeft, const QModelIndex&)
{
    if (!model()) {
        qCWarning(lcMmsView) << "[MMS-VIEW] slotDataChanged: no event model";
        return;
    }
    if (!topLeft.isValid()) {
        return;
    }
    const Chronel::Event changed = model()->event(topLeft);
    qCDebug(lcMmsView).noquote() << QStringLiteral("[MMS-VIEW] slotDataChanged event is %1 == %2")
                                        .arg(changed.id())
                                        .arg(m_event.id());
    if (changed.id() != m_event.id()) {
        return;
    }
    followEvent(changed, contentDiffers(m_event, changed), headerDiffers(m_event, changed));
}

bool MmsViewerPage::contentDiffers(const Chronel::Event& a, const Chronel::Event& b)
{
    return a.messageParts() != b.messageParts() || a.contentLocation() != b.contentLocation();
}

bool MmsViewerPage::headerDiffers(const Chronel::Event& a, const Chronel::Event& b)
{
    return a.status() != b.status() || a.readStatus() != b.readStatus() ||
           a.contacts() != b.contacts() || a.bytesReceived() != b.bytesReceived();
}

void MmsViewerPage::followEvent(const Chronel::Event& newer, bool contentChanged,
                                bool headerChanged)
{
    if (contentChanged || headerChanged) {
        QTimer::singleShot(0, this, &MmsViewerPage::updateHeaderData);
    }
    if (contentChanged) {
        QTimer::singleShot(0, this, &MmsViewerPage::setupModel);
    }
    m_event = newer;
    refreshActions();
}

void MmsViewerPage::slotViewerBackButtonClicked()
{
    if (m_buildingSlides) {
        QTimer::singleShot(0, this, &MmsViewerPage::slotViewerBackButtonClicked);
        return;
    }
    if (model()) {
        disconnect(model(), &QAbstractItemModel::dataChanged, this,
                   &MessageViewerBasePage::slotDataChanged);
    }
    MessageViewerBasePage::slotOnBackButtonClicked();
}

// 6. Read reports

void MmsViewerPage::sendReadReport()
{
    const bool incoming = m_event.direction() == Chronel::Event::Inbound;
    if (!incoming || !m_event.reportReadRequested() || m_event.reportRead()) {
        qCDebug(lcMmsView).noquote()
            << QStringLiteral("[MMS-VIEW] Read Report is not needed: is incoming %1 read report "
                              "requested: %2 read report is sent: %3")
                   .arg(trueFalse(incoming), trueFalse(m_event.reportReadRequested()),
                        trueFalse(m_event.reportRead()));
        return;
    }
    qCDebug(lcMmsView) << "[MMS-VIEW] Check if read report need to be sent";
    switch (MmsMainConfig().readReportMode) {
    case MmsMainConfig::READ_REPORT_PROMPT: {
        qCDebug(lcMmsView) << "[MMS-VIEW] Read Report mode: ask user";
        if (m_readReportDialogShown) {
            qCDebug(lcMmsView) << "[MMS-VIEW] Read Report dialog is already displayed";
            return;
        }
        m_readReportDialogShown = true;
        auto* dialog = new TkQueryDialog(qtTrId("qtn_mms_allow_read_receipt"), QString(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::finished, this, &MmsViewerPage::slotReadReportDialogFinished);
        dialog->open();
        break;
    }
    case MmsMainConfig::READ_REPORT_ALWAYS_SEND:
        qCDebug(lcMmsView) << "[MMS-VIEW] Read Report mode: always send";
        markReportRead();
        sendReadReportNow();
        break;
    default:
        qCDebug(lcMmsView) << "[MMS-VIEW] Read Report mode: do not send";
        break;
    }
}

void MmsViewerPage::slotReadReportDialogFinished(int result)
{
    m_readReportDialogShown = false;
    markReportRead();
    if (result == TkQueryDialog::Yes) {
        sendReadReportNow();
    }
}

// Asked or sent once: reopening the message asks no more.
void MmsViewerPage::markReportRead()
{
    if (markEvent([](Chronel::Event& event) { event.setReportRead(true); },
                  "[MMS-VIEW] Updated event: set readReport(true)")) {
        m_event.setReportRead(true);
    }
}

void MmsViewerPage::sendReadReportNow()
{
    ensureDownloader();
    if (!m_downloader->isReady()) {
        qCDebug(lcMmsView) << "[MMS_VIEW] Download is not ready yet. Pospone read report sending";
        setDownloadState(ReadReportWaiting);
        return;
    }
    qCDebug(lcMmsView) << "[MMS_VIEW] Download is ready. Send read report immedeatelly";
    m_downloader->sendReadReport(m_event.mmsId(), m_event.remoteUid(), true);
}

// Slides (the placement itself is MMSSmlilPutAwayAlgorithm's)

QList<Chronel::MessagePart> MmsViewerPage::attachments() const
{
    return m_event.messageParts();
}

void MmsViewerPage::own(QWidget* widget)
{
    m_contentWidgets.append(QSharedPointer<QWidget>(widget));
}

void MmsViewerPage::setupSlidesModel()
{
    if (m_buildingSlides) {
        // The content changed during the build: build again once it ends.
        m_rebuildPending = true;
        return;
    }
    if (!m_slideList) {
        return;
    }
    const bool showsSpinner = m_event.messageParts().size() > spinnerPartCount;
    if (showsSpinner) {
        showSpinner(true);
    }
    tk::setStyleName(m_slidesContainer, QStringLiteral("MMSSlidesContainer"));
    m_buildingSlides = true;
    m_rebuildPending = false;
    releaseSlides();
    letEventsRun();
    addAttachmentsWithSmil();
    if (m_event.direction() == Chronel::Event::Inbound &&
        !QMetaObject::invokeMethod(this, "sendReadReport", Qt::QueuedConnection)) {
        qCWarning(lcMmsView) << "[MMS-VIEW] Failed to invoke sendReadReport()";
    }
    letEventsRun();
    updateCcLabels();
    m_buildingSlides = false;
    if (showsSpinner) {
        showSpinner(false);
    }
    if (m_rebuildPending) {
        QTimer::singleShot(0, this, &MmsViewerPage::setupModel);
    }
}

// A busy indicator over the page while the slides of a large message are
// built; they appear beneath it one by one.
void MmsViewerPage::showSpinner(bool shown)
{
    if (!m_spinner) {
        m_spinner = new TkSpinner(this);
        m_spinner->setObjectName(QStringLiteral("mmsViewerSpinner"));
    }
    if (shown) {
        m_spinner->adjustSize();
        m_spinner->move(rect().center() - m_spinner->rect().center());
        m_spinner->raise();
    }
    m_spinner->setVisible(shown);
}

// Takes the slides, the address rows and the download view away.
void MmsViewerPage::releaseSlides()
{
    for (const QSharedPointer<QWidget>& widget : qAsConst(m_contentWidgets)) {
        m_detailsPolicy->removeItem(widget.data());
    }
    m_downloadView->hide();
    m_slideList->clear();
    // From the start: the slides go before it.
    m_slideList->addItem(m_trailingArea);
    m_contentWidgets.clear();
    m_slideListPart = nullptr;
    m_slidesInPart = 0;
    m_shownParts.clear();
    m_repeatedSlides = 0;
}

void MmsViewerPage::addSlide(const Chronel::MessagePart* part, const QString& text)
{
    if (!part || isRepeatBeyondLimit(*part)) {
        return;
    }
    letEventsRun();
    TkLinearLayoutPolicy* list = slideListPart();
    auto* spacer = new TkSpacer(QStringLiteral("CommonSpacer"));
    own(spacer);
    list->addItem(spacer);

    auto* slide = new QWidget;
    own(slide);
    // Its content's height: capped at its unwrapped height, wrapped text
    // would be cut.
    slide->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* layout = new TkLayout(slide);
    layout->setAnimate(true);
    auto* portrait = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    auto* landscape = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
    layout->setPortraitPolicy(portrait);
    layout->setLandscapePolicy(landscape);
    qCDebug(lcMmsView) << "[MMS-VIEW] Add slide" << part->contentType() << part->contentLocation();
    if (text.isEmpty() && !part->contentType().startsWith(QLatin1String("text/plain"))) {
        landscape->addStretch(1);
    }
    if (!text.isEmpty()) {
        auto* label = new CustomSelectableLabel(text, slide);
        label->setObjectName(QStringLiteral("mmsViewerSlideText"));
        label->setStyleName(QStringLiteral("CommonBodyText"));
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
        portrait->addItem(label, Qt::AlignLeft);
        landscape->addItem(label, Qt::AlignTop);
    }
    letEventsRun();
    addSlideContent(*part, portrait, landscape, slide);
    // Styled now, between two event runs, rather than all at once when the
    // slides show.
    slide->ensurePolished();
    list->addItem(slide, Qt::AlignCenter);
    TkSeparator* divider = separator(QStringLiteral("CommonGroupHeaderDivider"));
    own(divider);
    list->addItem(divider);
    letEventsRun();
}

// Slides go into the slide list in parts of a few, each with a layout of its
// own: a slide added then lays out its part and the list of parts, not every
// slide before it, so that a message of many slides builds in linear time.
TkLinearLayoutPolicy* MmsViewerPage::slideListPart()
{
    if (!m_slideListPart || m_slidesInPart == slidesPerListPart) {
        auto* part = new QWidget;
        part->setObjectName(QStringLiteral("mmsViewerSlideListPart"));
        own(part);
        auto* layout = new TkLayout(part);
        m_slideListPart = new TkLinearLayoutPolicy(layout, Qt::Vertical);
        layout->setPolicy(m_slideListPart);
        m_slideList->insertItem(m_slideList->indexOf(m_trailingArea), part);
        m_slidesInPart = 0;
    }
    ++m_slidesInPart;
    return m_slideListPart;
}

// A stranger's presentation may name one part thousands of times; each
// repeat would cost a picture's memory. Repeats beyond one per part of the
// message are left out.
bool MmsViewerPage::isRepeatBeyondLimit(const Chronel::MessagePart& part)
{
    const QString key = part.contentId() + QLatin1Char('\n') + part.contentLocation();
    if (!m_shownParts.contains(key)) {
        m_shownParts.insert(key);
        return false;
    }
    if (++m_repeatedSlides <= m_event.messageParts().size()) {
        return false;
    }
    if (m_repeatedSlides == m_event.messageParts().size() + 1) {
        qCWarning(lcMmsView) << "[MMS-VIEW] The presentation repeats its parts too often; "
                                "further repeats are not shown";
    }
    return true;
}

void MmsViewerPage::addSlideContent(const Chronel::MessagePart& part,
                                    TkLinearLayoutPolicy* portrait, TkLinearLayoutPolicy* landscape,
                                    QWidget* slide)
{
    const QString type = part.contentType();
    QWidget* content = nullptr;
    if (type.startsWith(QLatin1String("text/plain"))) {
        const QString text = part.plainTextContent();
        if (!text.isEmpty() && text.size() < inlineTextLimit) {
            QLabel* label = textLabel(text, slide);
            portrait->addItem(label, Qt::AlignLeft);
            landscape->addItem(label, Qt::AlignLeft);
            return;
        }
        if (part.contentLocation().isEmpty()) {
            return;
        }
        landscape->addStretch(1);
        content = attachmentWidget(part, 0, slide);
    } else if (mmsui::utils::isContactCard(type)) {
        content = new MmsContactCard(part.contentLocation(), slide);
    } else {
        content =
            attachmentWidget(part, MmsImageMetadata(part.contentLocation()).rotation(), slide);
    }
    portrait->addItem(content, Qt::AlignCenter);
    landscape->addItem(content, Qt::AlignTop);
}

QLabel* MmsViewerPage::textLabel(const QString& text, QWidget* slide)
{
    QLabel* label = createLabel(QStringLiteral("mmsViewerTextAttachmnet"),
                                QStringLiteral("CommonBodyText"), slide);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    EmoticonUtils::setLabelText(label, mmsui::utils::escapedText(text));
    TkContentHighlighter::highlight(label);
    return label;
}

MMSAttachmentWidget* MmsViewerPage::attachmentWidget(const Chronel::MessagePart& part, int rotation,
                                                     QWidget* slide)
{
    auto* widget =
        new MMSAttachmentWidget(part.contentLocation(), part.contentType(), rotation, true, slide);
    widget->enableSaveAsAction(true);
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    widget->setObjectName(QStringLiteral("mmsViewerAttachmentThumbnail"));
    widget->setStyleName(QStringLiteral("MMSViewerImageThumbnail"));
    if (!part.contentType().startsWith(QLatin1String("image/"))) {
        widget->updateIcon();
    }
    return widget;
}
