#include "mmsmessagingplugin.h"

#include "abstractpagemanager.h"
#include "coredomain.h"
#include "mmsconversationbubble.h"
#include "mmseditorattachment.h"
#include "mmseditorpage.h"
#include "mmsmainconfig.h"
#include "mmssettingswidget.h"
#include "mmssimpleeditorwidget.h"
#include "mmstimedbanner.h"
#include "mmsviewerpage.h"
#include "plugin_debug.h"
#include "readreportsender.h"
#include "sender_debug.h"
#include "singleeventmodel.h"
#include "trackerhelper.h"
#include "utils_debug.h"
#include "viewer_debug.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "tklocale.h"
#include "tkquerydialog.h"
#include "tkseparator.h"
#include "tkstyle.h"
#include "tktheme.h"

namespace {

const char* const kVerificationData = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                                      "version=4.7.4\n"
                                      "debug=false\n"
                                      "buildkey=armv6 linux g++-4 full-config";

const QString kLibraryName = QStringLiteral("libdravel");
// Reports of a deletion wait this long, so that the host's deletion is over.
const int kDeleteReportDelay = 600;
const QString kTelPrefix = QStringLiteral("tel:");

// A report goes to the number, not to the URI that names it.
QString withoutTelPrefix(const QString& address)
{
    return address.startsWith(kTelPrefix) ? address.mid(kTelPrefix.size()) : address;
}

// Every mode but asking and always sending means never.
bool readReportsDisabled(int mode)
{
    if (mode == MmsMainConfig::READ_REPORT_PROMPT || mode == MmsMainConfig::READ_REPORT_ALWAYS_SEND)
        return false;
    qCDebug(lcPlugin) << "[MMS-PLUGIN] Read Report sinding is disabled";
    return true;
}

// The library announces itself to the toolkit as it is loaded, so that the
// theme styles every widget declared under its name.
void registerLibrary()
{
    TkTheme::registerLibrary(kLibraryName);
}
Q_CONSTRUCTOR_FUNCTION(registerLibrary)

void adjustForForward(Chronel::Event& event)
{
    event.setSubject(MMSMessagingPlugin::prefixedSubject(event.subject(), QStringLiteral("Fw:")));
    event.setRemoteUid(QString());
    event.setToList({});
    event.setCcList({});
    event.setBccList({});
    event.setMessageToken(QString());
}

void adjustForReply(Chronel::Event& event)
{
    event.setSubject(MMSMessagingPlugin::prefixedSubject(event.subject(), QStringLiteral("Re:")));
    event.setToList({event.remoteUid()});
    event.setCcList({});
    event.setBccList({});
    event.setMessageToken(QString());
    event.setMessageParts({});
}

void adjustForReplyToAll(Chronel::Event& event)
{
    event.setSubject(MMSMessagingPlugin::prefixedSubject(event.subject(), QStringLiteral("Re:")));
    if (event.direction() == Chronel::Event::Inbound && !event.remoteUid().isEmpty()) {
        const int storedAddresses =
            event.toList().size() + event.ccList().size() + event.bccList().size();
        QStringList to{event.remoteUid()};
        if (storedAddresses >= 2) {
            to += event.toList();
        }
        event.setToList(to);
    }
    event.setMessageToken(QString());
    event.setMessageParts({});
}

QWidget* createSettingsHeader(QWidget* parent)
{
    auto* divider = new TkSeparator;
    divider->setObjectName(QStringLiteral("mmsSettingsGroupHeaderDivider"));
    tk::setStyleName(divider, QStringLiteral("CommonGroupHeaderDividerInverted"));
    divider->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    divider->setContentsMargins(0, 0, 0, 0);

    auto* title = new QLabel(qtTrId("qtn_mms_settings_divider_mms"));
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    title->setObjectName(QStringLiteral("mmsSettingsTitleLabel"));
    tk::setStyleName(title, QStringLiteral("CommonGroupHeaderInverted"));

    auto* header = new QWidget(parent);
    header->setObjectName(QStringLiteral("mmsSettingsHeader"));
    tk::setStyleName(header, QStringLiteral("CommonGroupHeaderPanelInverted"));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(divider);
    row->addWidget(title);
    return header;
}

} // namespace

extern "C" Q_DECL_EXPORT const char* qt_plugin_query_verification_data()
{
    return kVerificationData;
}

MMSMessagingPlugin::MMSMessagingPlugin()
    : QObject(nullptr)
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    TkLocale::setDefault(locale);
}

MMSMessagingPlugin::~MMSMessagingPlugin() = default;

bool MMSMessagingPlugin::supportsMessageType(int type) const
{
    return type == Chronel::Event::MMSEvent;
}

BasePage* MMSMessagingPlugin::createEditorPage(AbstractPageManager* pageManager,
                                               const Tollis::RecipientList& recipients,
                                               const QString& subject, const QString& body,
                                               const QStringList& files, const QString& token)
{
    return new MmsEditorPage(pageManager, recipients, subject, body, token, files);
}

BasePage* MMSMessagingPlugin::createEditorPage(AbstractPageManager* pageManager,
                                               const Chronel::Event& event,
                                               MessagingUI::OperationType operation)
{
    qCDebug(lcMmsUi) << "[MMS-UI] creating editor page for event, operation" << int(operation);
    return new MmsEditorPage(pageManager, eventForOperation(event, operation));
}

BasePage* MMSMessagingPlugin::createViewerPage(AbstractPageManager* pageManager,
                                               Chronel::EventModel* model,
                                               const Chronel::Event& event)
{
    auto* single = qobject_cast<Chronel::SingleEventModel*>(model);
    return single ? new MmsViewerPage(pageManager, single, event) : nullptr;
}

QWidget* MMSMessagingPlugin::createConversationBubbleItem(const Chronel::Event& event)
{
    return new MmsConversationBubble(event);
}

void MMSMessagingPlugin::updateConversationBubbleItem(QWidget* widget, const Chronel::Event& event)
{
    if (auto* bubble = qobject_cast<MmsConversationBubble*>(widget))
        bubble->updateEvent(event);
}

QWidget* MMSMessagingPlugin::createSettingsWidget(QWidget* parent)
{
    auto* container = new QWidget(parent);
    container->setObjectName(QStringLiteral("multimediaMessageSettingsContainer"));
    tk::setStyleName(container, QStringLiteral("CommonLargePanelInverted"));
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(createSettingsHeader(container));
    column->addWidget(new MmsSettingsWidget(container));
    return container;
}

void MMSMessagingPlugin::notifyDeleteGroups(const QList<int>& groupIds)
{
    if (readReportsDisabled(MmsMainConfig().readReportMode))
        return;
    // No id stands for every conversation.
    const QList<int> groups = groupIds.isEmpty() ? QList<int>{-1} : groupIds;
    QString remoteUid;
    for (int groupId : groups)
        queueDeleteReports(groupId, remoteUid);
    if (reportSender && reportSender->reportsCount() > 0)
        QTimer::singleShot(kDeleteReportDelay, this, &MMSMessagingPlugin::sendDeleteReport);
    else
        qCDebug(lcPlugin) << "[MMS-PLUGIN] Needn't to send Delete Reports";
}

// Each report goes to its message's own sender: the conversations may be
// several, or one with several people in it.
void MMSMessagingPlugin::queueDeleteReports(int groupId, QString& remoteUid)
{
    const QList<TrackerHelper::UnreadMessage> messages =
        TrackerHelper::instance()->unreadMessagesWithSenders(groupId);
    // The first sender found stands in for a message that names none.
    QString firstSender;
    for (const TrackerHelper::UnreadMessage& message : messages) {
        if (firstSender.isEmpty())
            firstSender = message.from;
    }
    qCDebug(lcPlugin).noquote() << QStringLiteral(
                                       "[MMS-PLUGIN] Deleting group %1: got %2 messages to report")
                                       .arg(groupId)
                                       .arg(messages.size());
    for (const TrackerHelper::UnreadMessage& message : messages) {
        const QString from = withoutTelPrefix(message.from.isEmpty() ? firstSender : message.from);
        if (remoteUid.isEmpty())
            remoteUid = from;
        if (!ensureDownloader(remoteUid))
            continue;
        qCDebug(lcPlugin) << "[MMS-PLUGIN] Queue Delete Report" << message.mmsId << from;
        reportSender->queueReport(message.mmsId, from, false);
    }
}

bool MMSMessagingPlugin::ensureDownloader(const QString& remoteUid)
{
    if (reportSender)
        return true;
    qCDebug(lcMmsView) << "[MMS-VIEW] Creating new report sender for " << remoteUid;
    reportSender = new ReadReportSender(remoteUid, this);
    return !reportSender.isNull();
}

void MMSMessagingPlugin::sendDeleteReport()
{
    const int mode = MmsMainConfig().readReportMode;
    if (readReportsDisabled(mode))
        return;
    if (!reportSender) {
        qCWarning(lcPlugin) << "[MMS-PLUGIN] Failed to send pending reports: No reportSender";
        return;
    }
    if (mode == MmsMainConfig::READ_REPORT_ALWAYS_SEND) {
        reportSender->sendReports();
        return;
    }
    const char* text = reportSender->reportsCount() < 2 ? "qtn_mms_allow_deleted_receipt_single"
                                                        : "qtn_mms_allow_read_receipt_multiple";
    auto* question = new TkQueryDialog(qtTrId("qtn_mms_allow_deleted_receipt"), qtTrId(text));
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, &QDialog::finished, this, &MMSMessagingPlugin::slotReadReportDialogFinished);
    question->open();
}

// A refusal drops the batch with its sender; the next deletion makes a new one.
void MMSMessagingPlugin::slotReadReportDialogFinished(int result)
{
    if (!reportSender)
        return;
    if (result == TkQueryDialog::Yes)
        reportSender->sendReports();
    else
        delete reportSender;
}

MessageAttachmentWidget*
MMSMessagingPlugin::createAttachmentWidget(AbstractPageManager* pageManager,
                                           const QString& recipient, MessagingTextEdit* textEdit,
                                           const QString& reference, bool& openFullEditor)
{
    openFullEditor = true;
    qCDebug(lcPlugin) << "[MMS-PLUGIN] Creating simple editor widget" << reference;
    QString errorId;
    MessageAttachmentWidget* widget =
        attachmentWidgetFor(pageManager, recipient, textEdit, reference, openFullEditor, errorId);
    if (!errorId.isEmpty())
        showBanner(pageManager, qtTrId(errorId.toUtf8().constData()));
    return widget;
}

MessageAttachmentWidget*
MMSMessagingPlugin::attachmentWidgetFor(AbstractPageManager* pageManager, const QString& recipient,
                                        MessagingTextEdit* textEdit, const QString& reference,
                                        bool& openFullEditor, QString& errorId)
{
    const QString uri = MmsSimpleEditorWidget::contentUri(reference);
    if (uri.isEmpty()) {
        qCCritical(lcSimpleEditor)
            << "[MMS-SIMPLED] Failed to add icon." << reference << "is not URN or file";
        openFullEditor = false;
        return nullptr;
    }
    TrackerHelper* index = TrackerHelper::instance();
    const int kind = index->typeByUri(uri);
    if (kind == TrackerHelper::TypeContact || kind == TrackerHelper::TypeCalendar) {
        qCDebug(lcPlugin) << "[MMS-PLUGIN] Want full editor for Contact/calendar item" << uri;
        return nullptr;
    }
    QString file;
    QString mime;
    if (!index->filenameFromUri(QUrl(uri), file, mime)) {
        qCDebug(lcPlugin) << "[MMS-PLUGIN] Can't create SMF editor: no tracker info" << reference;
        openFullEditor = false;
        return nullptr;
    }
    if (!QFileInfo::exists(file)) {
        qCWarning(lcPlugin) << "[MMS-PLUGIN] Can't create SMF editor: file does not exists" << file;
        openFullEditor = false;
        return nullptr;
    }
    const MmsMainConfig config;
    if (config.restrictedMode && !mmsui::utils::isContentTypeInCoreDomain(mime)) {
        qCWarning(lcPlugin) << "[MMS-PLUGIN] File type is not supported in restricted mode" << file
                            << mime;
        openFullEditor = false;
        errorId = QStringLiteral("qtn_mms_info_attch_nsupp");
        return nullptr;
    }
    if (mime.startsWith(QLatin1String("image/"))) {
        openFullEditor = false;
        if (!MmsEditorAttachment::checkFileSize(file, mime)) {
            errorId = QStringLiteral("qtn_mms_info_resize_filed");
            return nullptr;
        }
        auto* widget = new MmsSimpleEditorWidget(pageManager, recipient, textEdit, file, mime);
        widget->setAttachments({reference});
        return widget;
    }
    if (mime.startsWith(QLatin1String("audio/")) &&
        QFileInfo(file).size() >= config.maxMessageSize) {
        qCWarning(lcPlugin) << "[MMS-PLUGIN] Can't create SMF editor: audio file too big" << file;
        openFullEditor = false;
        errorId = QStringLiteral("qtn_mms_info_resize_filed");
    }
    return nullptr;
}

void MMSMessagingPlugin::showBanner(AbstractPageManager* pageManager, const QString& text)
{
    if (!m_banner) {
        m_banner =
            new MmsTimedBanner(pageManager ? pageManager->applicationWindow() : nullptr, this);
    }
    m_banner->showBanner(text);
}

Chronel::Event MMSMessagingPlugin::fetchFreshCopy(const Chronel::Event& event)
{
    Chronel::Event copy;
    auto* model = new Chronel::EventModel;
    model->trackerIO().getEventByUri(Chronel::Event::idToUrl(event.id()), copy);
    delete model;
    return copy;
}

Chronel::Event MMSMessagingPlugin::eventForOperation(const Chronel::Event& event,
                                                     MessagingUI::OperationType operation)
{
    Chronel::Event copy = fetchFreshCopy(event);
    switch (operation) {
    case MessagingUI::Forward:
        adjustForForward(copy);
        break;
    case MessagingUI::Reply:
        adjustForReply(copy);
        break;
    case MessagingUI::ReplyToAll:
        adjustForReplyToAll(copy);
        break;
    default:
        break;
    }
    return copy;
}

QString MMSMessagingPlugin::prefixedSubject(const QString& subject, const QString& prefix)
{
    if (subject.startsWith(prefix, Qt::CaseInsensitive)) {
        return subject;
    }
    return prefix + QLatin1Char(' ') + subject;
}
