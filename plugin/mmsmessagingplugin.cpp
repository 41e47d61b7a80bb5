#include "mmsmessagingplugin.h"

#include "mmseditorpage.h"
#include "mmssettingswidget.h"
#include "mmsviewerpage.h"
#include "plugin_debug.h"
#include "singleeventmodel.h"
#include "utils_debug.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "tklocale.h"
#include "tkseparator.h"
#include "tkstyle.h"
#include "tktheme.h"

namespace {

const char* const kVerificationData = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                                      "version=4.7.4\n"
                                      "debug=false\n"
                                      "buildkey=armv6 linux g++-4 full-config";

const QString kLibraryName = QStringLiteral("libdravel");

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

void logNotBuilt(const char* what)
{
    qCWarning(lcPlugin) << "[MMS-PLUGIN]" << what << "is not part of this build";
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

QWidget* MMSMessagingPlugin::createConversationBubbleItem(const Chronel::Event&)
{
    logNotBuilt("the conversation bubble");
    return nullptr;
}

void MMSMessagingPlugin::updateConversationBubbleItem(QWidget*, const Chronel::Event&)
{
    // Only MMS bubbles are updated, and this build makes none.
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

void MMSMessagingPlugin::notifyDeleteGroups(const QList<int>&)
{
    logNotBuilt("deleted-unread reporting");
}

MessageAttachmentWidget*
MMSMessagingPlugin::createAttachmentWidget(AbstractPageManager*, const QString&, MessagingTextEdit*,
                                           const QString& reference, bool& openFullEditor)
{
    qCDebug(lcPlugin) << "[MMS-PLUGIN] Creating simple editor widget" << reference;
    // Without the quick-send widget the full editor is the way to send it.
    openFullEditor = true;
    logNotBuilt("the quick-send widget");
    return nullptr;
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
