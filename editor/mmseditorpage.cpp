#include "mmseditorpage.h"

#include "abstractpagemanager.h"
#include "calendarstore.h"
#include "connsettingshelper.h"
#include "contactlocalid.h"
#include "contactmanagers.h"
#include "coredomain.h"
#include "editor_debug.h"
#include "groupmodel.h"
#include "messagingattachmentpicker.h"
#include "messagingtextedit.h"
#include "mmsbasecontainer.h"
#include "mmseditorattachment.h"
#include "mmsgeneratedfile.h"
#include "mmshandover.h"
#include "mmsheadermap.h"
#include "mmsmainconfig.h"
#include "mmsmessagelayout.h"
#include "mmsmessagesize.h"
#include "mmspipelineflavour.h"
#include "mmsrecipientcleaner.h"
#include "mmsrecipientsedit.h"
#include "mmsresizethread.h"
#include "mmsspinneroverlayview.h"
#include "mmstimedbanner.h"
#include "recipientaddresses.h"
#include "sendvalidator.h"
#include "singleeventmodel.h"
#include "storage.h"
#include "stylableinputfield.h"
#include "subjectvalidator.h"
#include "tkapplicationwindow.h"
#include "tkbanner.h"
#include "tkelidedlabel.h"
#include "tkinputmethodstate.h"
#include "tklayout.h"
#include "tkpannableviewport.h"
#include "tkquerydialog.h"
#include "tkscenewindow.h"
#include "tkspacer.h"
#include "tkstyle.h"
#include "tktheme.h"
#include "trackerhelper.h"
#include "utils_debug.h"
#include "vcalendarwriter.h"

#include <QAction>
#include <QContactDetailFilter>
#include <QContactDisplayLabel>
#include <QContactGuid>
#include <QContactIdFilter>
#include <QContactName>
#include <QContactNickname>
#include <QContactUnionFilter>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVersitContactExporter>

namespace {

const QString textServiceName = QStringLiteral("/org/freedesktop/Telepathy/Account/ring/tel/ring");
const int subjectMaxLength = 40;
const int restrictedPictureLimit = 3;
const int pictureLimit = 6;
const int smallMessageSize = 102400;
const int maxRecipients = 10;
// A resize that ends sooner never flashes the spinner.
const int spinnerDelay = 300;
// The network refuses the recipient: fixed dialling is in force.
const int fixedDialingError = 14;

Tollis::RecipientList toRecipients(const QStringList& addresses)
{
    Tollis::RecipientList list;
    for (const QString& address : addresses)
        list << Tollis::RecipientsEdit::recipient(address);
    return list;
}

QString plainTextOf(const MessagingTextEdit* edit, const QString& fallback)
{
    return edit ? edit->plainText() : fallback;
}

void setText(MessagingTextEdit* edit, const QString& text)
{
    if (!edit)
        return;
    edit->setText(text);
    edit->completeEmoticonReplacement();
}

TkLinearLayoutPolicy* verticalPolicy(QWidget* host, bool animated)
{
    auto* layout = new TkLayout(host);
    auto* policy = new TkLinearLayoutPolicy(layout, Qt::Vertical);
    layout->setPolicy(policy);
    layout->setAnimate(animated);
    return policy;
}

// A card must carry a name: one known only by its display label gets it as a nickname.
void giveCardAName(QtContacts::QContact& contact)
{
    const auto name = contact.detail<QtContacts::QContactName>();
    const QString label = contact.detail<QtContacts::QContactDisplayLabel>().label();
    if (!name.firstName().isEmpty() || !name.lastName().isEmpty() ||
        !contact.detail<QtContacts::QContactNickname>().nickname().isEmpty() || label.isEmpty())
        return;
    QtContacts::QContactNickname nickname;
    nickname.setNickname(label);
    contact.saveDetail(&nickname);
}

// The version the contacts application is set to share cards in.
QtVersit::QVersitDocument::VersitType vcardVersion()
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quenda"),
                             QStringLiteral("Contacts"));
    return settings.value(QStringLiteral("vcardType"), QStringLiteral("3.0")).toString() ==
                   QLatin1String("2.1")
               ? QtVersit::QVersitDocument::VCard21Type
               : QtVersit::QVersitDocument::VCard30Type;
}

// The contact of that local id, or the one the content index links by its guid.
QtContacts::QContactFilter contactFilter(const QString& managerUri, const QString& guid,
                                         quint32 localId)
{
    QtContacts::QContactIdFilter byId;
    byId.setIds({ContactLocalId::toContactId(managerUri, localId)});
    QtContacts::QContactDetailFilter byGuid;
    byGuid.setDetailType(QtContacts::QContactGuid::Type, QtContacts::QContactGuid::FieldGuid);
    byGuid.setValue(guid);
    byGuid.setMatchFlags(QtContacts::QContactFilter::MatchExactly);
    QtContacts::QContactUnionFilter either;
    either << byId << byGuid;
    return either;
}

quint32 kiloBytes(quint32 bytes)
{
    return (quint64(bytes) + 1023) / 1024;
}

} // namespace

MmsEditorPage::MmsEditorPage(AbstractPageManager* pageManager,
                             const Tollis::RecipientList& recipients, const QString& subject,
                             const QString& body, const QString& messageToken,
                             const QStringList& files)
    : MessageEditorBasePage(pageManager)
    , recipients(recipients)
    , subject(subject)
    , body(body)
    , messageToken(messageToken)
    , files(files)
{
    initState(pageManager);
    ensureToken();
    initPage();
    prepareMessageFolder();
}

MmsEditorPage::MmsEditorPage(AbstractPageManager* pageManager, const Chronel::Event& event)
    : MessageEditorBasePage(pageManager)
    , fromEvent(true)
    , event(event)
{
    initState(pageManager);
    initPage();
    qCDebug(lcEditor) << "[MMS-EDITOR] Creating editor based on Chronel event.";
    recipients = toRecipients(event.toList());
    subject = event.subject();
    messageToken = event.messageToken();
    ccList = event.ccList();
    bccList = event.bccList();
    isNewMessage = messageToken.isEmpty();
    ensureToken();
    prepareMessageFolder();
}

MmsEditorPage::~MmsEditorPage()
{
    resizeThread->quit();
    resizeThread->wait();
    dismissSpinner();
    delete vcardWriter;
    delete contactFetchRequest;
    delete vcardFile;
    clearAttachmentsList();
    if (recipientsToolbarId >= 0)
        TkInputMethodState::instance()->unregisterAttributeExtension(recipientsToolbarId);
    if (isNewMessage && !sendStarted)
        removeMessageFolder();
}

void MmsEditorPage::initState(AbstractPageManager* pageManager)
{
    banner = new MmsTimedBanner(pageManager ? pageManager->applicationWindow() : nullptr, this);
    resizeThread = new MmsResizeThread(this);
    connectionSettings = new ConnSettingsHelper(this);
}

void MmsEditorPage::ensureToken()
{
    m_folder.reset(new MmsMessageFolder(messageToken, MmsPipelineFlavour::editor()));
    messageToken = m_folder->token();
}

void MmsEditorPage::initPage()
{
    sendValidator = new SendValidator(MmsHandOver::accountPath, true, this);
    connect(sendValidator, &SendValidator::validationFailed, this,
            &MmsEditorPage::slotSendValidationFailed);
    groupModel = new Chronel::GroupModel(this);
    groupModel->getGroups(QString(), QString());
    singleEventModel = new Chronel::SingleEventModel(this);
    resizeThread->start(QThread::InheritPriority);
}

bool MmsEditorPage::isEqual(const BasePage& other) const
{
    if (other.pageType() != pageType())
        return false;
    const auto* editor = qobject_cast<const MmsEditorPage*>(&other);
    return editor && subject == editor->subject && body == editor->body &&
           recipients == editor->recipients && messageToken == editor->messageToken &&
           files == editor->files;
}

QMap<QString, QVariant> MmsEditorPage::propertyValueMap() const
{
    QMap<QString, QVariant> content{{QStringLiteral("messageText"), body},
                                    {QStringLiteral("messageSubject"), subject}};
    for (int i = 0; i < files.size(); ++i)
        content.insert(QStringLiteral("messageAttachmnet%1%").arg(i), files.at(i));
    QMap<QString, QVariant> map = MessageEditorBasePage::propertyValueMap();
    map.insert(QStringLiteral("messageContent"), content);
    return map;
}

bool MmsEditorPage::isEmpty() const
{
    if (sender)
        return true;
    const Tollis::RecipientList to = recipientsEdit ? recipientsEdit->to() : recipients;
    return fromRecipients(to, false, false).isEmpty() &&
           plainTextOf(subjectEdit, subject).isEmpty() && plainTextOf(bodyEdit, body).isEmpty() &&
           attachmentList.isEmpty();
}

QList<Chronel::MessagePart> MmsEditorPage::attachments() const
{
    return event.messageParts();
}

QStringList MmsEditorPage::fromRecipients(const Tollis::RecipientList& recipients,
                                          bool resolvedOnly, bool phoneOnly) const
{
    return mmsui::utils::fromRecipients(recipients, resolvedOnly, phoneOnly);
}

// Layout --------------------------------------------------------------------

void MmsEditorPage::createContent()
{
    auto* container = new MmsBaseContainer;
    setCentralWidget(container);
    createToolbar();
    createViewMenu();
    setNavigationBarVisible(false);
    setPannable(false);
    pannableViewport()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTitle(qtTrId("qtn_mms_view_title_editor"));
    mainPolicy = verticalPolicy(container, true);
    createHeader(container);

    auto* viewport = new TkPannableViewport(container);
    viewport->setWidgetResizable(true);
    auto* slides = new MmsBaseContainer;
    slidePolicy = verticalPolicy(slides, true);
    viewport->setWidget(slides);
    mainPolicy->addItem(viewport);

    const MmsMainConfig config;
    infoPanel = new QWidget(slides);
    infoPanel->setObjectName(QStringLiteral("mmsEditorInfoPanel"));
    TkLinearLayoutPolicy* infoPolicy = verticalPolicy(infoPanel, true);
    infoPolicy->addItem(new TkSpacer(QStringLiteral("CommonSpacer")));
    createRecipientsEditor(infoPolicy, config.ccBccEnabled, config.emailRecipientsAllowed);
    createSubjectField(infoPolicy, config.subjectEnabled);
    slidePolicy->addItem(infoPanel);
    createCcBccPanel(slides, config.ccBccEnabled);
    createBodyContainer(slides);
    fillContent();
    connect(TkInputMethodState::instance(), &TkInputMethodState::inputMethodAreaChanged, this,
            &MmsEditorPage::slotInputAreaChanged, Qt::QueuedConnection);
    updateSizeMeter();
}

void MmsEditorPage::createHeader(QWidget* parent)
{
    headerPanel = new QWidget(parent);
    tk::setStyleName(headerPanel, QStringLiteral("CommonLargeViewHeaderPanel"));
    auto* row = new QHBoxLayout(headerPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* cancel = new QPushButton(qtTrId("qtn_comm_cancel"), headerPanel);
    tk::setStyleName(cancel, QStringLiteral("CommonSheetHeaderButton"));
    connect(cancel, &QPushButton::clicked, this, &BasePage::slotOnCloseButtonClicked);
    row->addWidget(cancel, 0, Qt::AlignCenter);
    row->addStretch();
    sizeMeter = new QLabel(headerPanel);
    sizeMeter->setObjectName(QStringLiteral("mmsEditorSizeMeter"));
    tk::setStyleName(sizeMeter, QStringLiteral("MMSEditorSizeMeter"));
    row->addWidget(sizeMeter, 0, Qt::AlignCenter);
    auto* title = new TkElidedLabel(headerPanel);
    title->setText(qtTrId("qtn_mms_view_title_editor"));
    tk::setStyleName(title, QStringLiteral("MMSEditorTitle"));
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    title->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    row->addWidget(title);
    mainPolicy->addItem(headerPanel);
}

void MmsEditorPage::createRecipientsEditor(TkLinearLayoutPolicy* infoPolicy, bool ccBccEnabled,
                                           bool emailAllowed)
{
    recipientsEdit = new MmsRecipientsEdit(mmsui::utils::getContactManager().data(),
                                           emailAllowed ? Tollis::RecipientsEdit::AnyAddress
                                                        : Tollis::RecipientsEdit::PhoneNumber,
                                           true, infoPanel);
    recipientsToolbarId = TkInputMethodState::instance()->registerAttributeExtension(
        MmsRecipientsEdit::toolbarDescription());
    recipientsEdit->attachToolbar(recipientsToolbarId);
    if (ccBccEnabled) {
        recipientsEdit->setTo(recipients);
        recipientsEdit->showCcBcc(!(ccList + bccList).isEmpty());
        recipientsEdit->setCc(toRecipients(ccList));
        recipientsEdit->setBcc(toRecipients(bccList));
    } else {
        recipientsEdit->setTo(recipients + toRecipients(ccList) + toRecipients(bccList));
    }
    recipientsEdit->setObjectName(QStringLiteral("mmsRecipientsEditor"));
    tk::setStyleName(recipientsEdit, QStringLiteral("MMSRecipientsEditor"));
    recipientsEdit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    connect(recipientsEdit, &MmsRecipientsEdit::attachmentButtonClicked, this,
            &MmsEditorPage::slotOnAttach, Qt::QueuedConnection);
    connect(recipientsEdit, &MmsRecipientsEdit::sendButtonClicked, this,
            &MmsEditorPage::slotOnSend);
    for (auto field : {Tollis::RecipientsEdit::ToField, Tollis::RecipientsEdit::CcField,
                       Tollis::RecipientsEdit::BccField})
        connect(recipientsEdit->field(field), &QLineEdit::textChanged, this,
                &MmsEditorPage::updateSizeMeter);
    infoPolicy->addItem(recipientsEdit);
}

MessagingTextEdit* MmsEditorPage::createTextField(const QString& objectName, QWidget* parent)
{
    auto* edit = new MessagingTextEdit(QString(), parent);
    edit->setToolbar(MessagingTextEdit::AttachmentAndSendToolbar);
    edit->setObjectName(objectName);
    edit->setServiceName(textServiceName);
    wireButtons(edit);
    watchForSizeChanges(edit);
    return edit;
}

void MmsEditorPage::wireButtons(MessagingTextEdit* edit)
{
    connect(edit, &MessagingTextEdit::attachmentButtonClicked, this, &MmsEditorPage::slotOnAttach,
            Qt::QueuedConnection);
    connect(edit, &MessagingTextEdit::sendButtonClicked, this, &MmsEditorPage::slotOnSend);
}

void MmsEditorPage::watchForSizeChanges(MessagingTextEdit* edit)
{
    connect(edit, &QTextEdit::textChanged, this, &MmsEditorPage::updateSizeMeter);
}

void MmsEditorPage::createSubjectField(TkLinearLayoutPolicy* infoPolicy, bool subjectEnabled)
{
    subjectEdit = createTextField(QStringLiteral("mmsSubjectEditor"), infoPanel);
    subjectEdit->setMaxLength(subjectMaxLength);
    auto* validator = new SubjectValidator(subjectEdit, subjectEdit);
    subjectEdit->setValidator(validator);
    subjectEdit->installEventFilter(validator);
    connect(validator, &SubjectValidator::actioneKeyPressed, this,
            &MmsEditorPage::activateMessageBodyEditor);
    subjectEdit->setPrompt(qtTrId("qtn_comm_subject_tooltip"));
    setText(subjectEdit, subject);
    const QString keys = QStringLiteral("/keys");
    const QString actionKey = QStringLiteral("actionKey");
    subjectEdit->setToolbarAttribute(keys, actionKey, QStringLiteral("highlighted"), true);
    subjectEdit->setToolbarAttribute(keys, actionKey, QStringLiteral("label"),
                                     qtTrId("qtn_comm_next"));
    auto* field = new StylableInputField(qtTrId("qtn_mms_subject"), subjectEdit, infoPanel);
    field->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    if (subjectEnabled)
        infoPolicy->addItem(field);
    else
        field->hide();
}

void MmsEditorPage::createCcBccPanel(QWidget* parent, bool ccBccEnabled)
{
    auto* panel = new QWidget(parent);
    tk::setStyleName(panel, QStringLiteral("CommonEditorNoteAreaExpandButtonPanel"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    if (ccBccEnabled) {
        row->addStretch();
        ccBccButton = new QToolButton(panel);
        tk::setStyleName(ccBccButton, QStringLiteral("CommonEditorExpandButton"));
        ccBccButton->setCheckable(true);
        QIcon icon;
        icon.addPixmap(TkTheme::pixmap(QStringLiteral("icon-s-common-expand")), QIcon::Normal,
                       QIcon::Off);
        icon.addPixmap(TkTheme::pixmap(QStringLiteral("icon-s-common-collapse")), QIcon::Normal,
                       QIcon::On);
        ccBccButton->setIcon(icon);
        ccBccButton->setChecked(recipientsEdit->isCcBccShown());
        connect(ccBccButton, &QToolButton::toggled, recipientsEdit,
                &Tollis::RecipientsEdit::showCcBcc);
        row->addWidget(ccBccButton, 0, Qt::AlignRight);
    }
    slidePolicy->addItem(panel);
}

void MmsEditorPage::createBodyContainer(QWidget* parent)
{
    bodyContainer = new QWidget(parent);
    tk::setStyleName(bodyContainer, QStringLiteral("MMSSlidesContainer"));
    auto* column = new QVBoxLayout(bodyContainer);
    column->setContentsMargins(0, 0, 0, 0);
    bodyEdit = createTextField(QStringLiteral("mmsBodyEditor"), bodyContainer);
    tk::setStyleName(bodyEdit, QStringLiteral("MMSBodyField"));
    bodyEdit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    bodyEdit->setPrompt(qtTrId("qtn_mms_general_type_here"));
    column->addWidget(bodyEdit);
    slidePolicy->addItem(bodyContainer);
}

void MmsEditorPage::fillContent()
{
    if (fromEvent) {
        const QList<Chronel::MessagePart> parts = event.messageParts();
        if (parts.size() == 1 && parts.first().contentType().contains(QLatin1String("text/plain")))
            setText(bodyEdit, parts.first().plainTextContent());
        else
            addAttachmentsWithSmil();
        return;
    }
    setText(bodyEdit, body);
    if (!QMetaObject::invokeMethod(this, "createAttachments", Qt::QueuedConnection,
                                   Q_ARG(QStringList, files)))
        qCWarning(lcEditor)
            << "[MMS-EDITOR] Couldn't invoke method MmsEditorPage::createAttachments()";
}

void MmsEditorPage::createToolbar()
{
    addToolbarAction(QString(), QString());
    sendAction = addToolbarAction(qtTrId("qtn_comm_send"), QString());
    connect(sendAction, &QAction::triggered, this, &MmsEditorPage::slotOnSend);
    attachAction = addToolbarAction(QString(), QStringLiteral("icon-m-toolbar-attachment"),
                                    QStringLiteral("mmsEditorAttachActionToolbar"));
    connect(attachAction, &QAction::triggered, this, &MmsEditorPage::slotOnAttach,
            Qt::QueuedConnection);
}

void MmsEditorPage::createViewMenu() {}

bool MmsEditorPage::isPortrait() const
{
    const QWidget* top = window();
    return top->height() > top->width();
}

void MmsEditorPage::slotInputAreaChanged(const QRect& vkbRect)
{
    if (!headerPanel)
        return;
    const bool inLayout = mainPolicy->contains(headerPanel);
    if (isPortrait() && vkbRect.height() > 0) {
        if (inLayout) {
            mainPolicy->removeItem(headerPanel);
            headerPanel->hide();
        }
    } else if (!inLayout) {
        mainPolicy->insertItem(0, headerPanel);
        headerPanel->show();
    }
}

void MmsEditorPage::activateMessageBodyEditor()
{
    if (!attachmentList.isEmpty() && attachmentList.first()->textEdit)
        attachmentList.first()->textEdit->setFocus();
    else if (bodyEdit)
        bodyEdit->setFocus();
}

void MmsEditorPage::showSendButtons(bool show)
{
    qCDebug(lcMmsUi) << "[MMS-UI] Show send button:" << show;
    emit showSendButton(show);
    TkInputMethodState* inputMethod = TkInputMethodState::instance();
    const QString toolbar = QStringLiteral("/toolbar");
    const QString enabled = QStringLiteral("enabled");
    inputMethod->setExtendedAttribute(recipientsToolbarId, toolbar, QStringLiteral("send"), enabled,
                                      show);
    inputMethod->setExtendedAttribute(recipientsToolbarId, toolbar, QStringLiteral("attach"),
                                      enabled, show);
    if (sendAction)
        sendAction->setEnabled(show);
    if (attachAction)
        attachAction->setEnabled(show);
    for (MessagingTextEdit* edit : {subjectEdit.data(), bodyEdit.data()}) {
        if (!edit)
            continue;
        edit->setAttachmentButtonEnabled(show);
        edit->setSendButtonEnabled(show, show, !show);
    }
}

void MmsEditorPage::slotOnAttach()
{
    if (!attachmentPicker) {
        attachmentPicker = new MessagingAttachmentPicker(this);
        connect(attachmentPicker, &MessagingAttachmentPicker::attachmentSelected, this,
                &MmsEditorPage::slotOnAttachmentSelected, Qt::QueuedConnection);
        connect(attachmentPicker, &MessagingAttachmentPicker::backButtonClicked, attachmentPicker,
                &QWidget::close, Qt::QueuedConnection);
    }
    attachmentPicker->show();
}

void MmsEditorPage::slotShowSpinner()
{
    if (!spinner)
        return;
    qCDebug(lcEditor) << "[MMS-EDITOR] Show spinner overlay";
    spinner->appear(TkSceneWindow::DestroyWhenDismissed);
}

// The window goes also when the resize ended before it appeared.
void MmsEditorPage::dismissSpinner()
{
    if (!spinner)
        return;
    spinner->disappear();
    spinner->deleteLater();
    spinner = nullptr;
}

void MmsEditorPage::clear()
{
    setText(subjectEdit, QString());
    const QList<MmsEditorAttachment*> slides = attachmentList;
    for (MmsEditorAttachment* slide : slides)
        removeAttachment(slide->fileName, false);
    setText(bodyEdit, QString());
    if (recipientsEdit) {
        recipientsEdit->setTo({});
        recipientsEdit->setCc({});
        recipientsEdit->setBcc({});
    }
    if (ccBccButton) {
        recipientsEdit->showCcBcc(false);
        ccBccButton->setChecked(false);
    }
}

// Message folder --------------------------------------------------------------

bool MmsEditorPage::prepareMessageFolder()
{
    messageFolder = m_folder->path();
    return m_folder->prepareMessageFolder();
}

void MmsEditorPage::protectMessageFolder()
{
    m_folder->protectMessageFolder();
}

void MmsEditorPage::removeMessageFolder()
{
    if (!messageFolder.isEmpty())
        m_folder->removeMessageFolder();
}

void MmsEditorPage::deleteDirWithContent(const QString& path)
{
    m_folder->deleteDirWithContent(path);
}

// Size ----------------------------------------------------------------------------

MmsOutgoingMessage MmsEditorPage::outgoingMessage() const
{
    MmsOutgoingMessage message;
    if (recipientsEdit) {
        message.to = fromRecipients(recipientsEdit->to(), true, false);
        message.cc = fromRecipients(recipientsEdit->cc(), true, false);
        message.bcc = fromRecipients(recipientsEdit->bcc(), true, false);
    }
    message.subject = plainTextOf(subjectEdit, subject);
    message.body = plainTextOf(bodyEdit, body);
    for (const MmsEditorAttachment* slide : attachmentList) {
        MmsOutgoingAttachment attachment;
        attachment.fileName = slide->fileName;
        attachment.mimeType = slide->mimeType;
        attachment.contentType = slide->contentType;
        attachment.slideText = plainTextOf(slide->textEdit, QString());
        attachment.durationSeconds = slide->durationSeconds;
        attachment.carriesBodyText = slide->carriesBodyText;
        message.attachments << attachment;
    }
    return message;
}

quint32 MmsEditorPage::getMessageSize(MmsContentTypes::CONTENT_TYPE excluded) const
{
    return MmsMessageSize::getMessageSize(MmsPipelineFlavour::editor(), outgoingMessage(),
                                          excluded);
}

void MmsEditorPage::updateSizeMeter()
{
    if (!sizeMeter)
        return;
    const quint32 limit = quint32(qMax(0, MmsMainConfig().maxMessageSize));
    sizeMeter->setText(qtTrId("qtn_mms_editor_size_meter")
                           .arg(kiloBytes(getMessageSize(MmsContentTypes::UNKNOWN)))
                           .arg(limit / 1024));
}

// Sending -------------------------------------------------------------------------

// Checks in order; the first that fails ends the attempt. The first four leave the
// send buttons as they are.
void MmsEditorPage::slotOnSend()
{
    if (MmsMessageFolder::isStorageLocked()) {
        qCDebug(lcEditor) << "[MMS-EDITOR] Storage is locked by Backup/Restore";
        showBanner(QStringLiteral("qtn_comm_send_restore"));
        return;
    }
    if (sendStarted) {
        qCDebug(lcEditor) << "[MMS-EDITOR] Got multiple Send request. Ignore";
        return;
    }
    if (conversionCount > 0) {
        qCDebug(lcEditor) << "[MMS-EDITOR] Video encoding is in progress, ignore sending";
        return;
    }
    if (sender) {
        qCDebug(lcEditor) << "[MMS-EDITOR] The message sending is already in progress;";
        return;
    }
    showSendButtons(false);
    if (!checkRecipients())
        return;
    if (plainTextOf(bodyEdit, body).isEmpty() && attachmentList.isEmpty()) {
        qCDebug(lcEditor) << "[MMS-EDITOR] The message body and attachments list is empty!";
        auto* dialog = new TkQueryDialog(qtTrId("qtn_mms_error_message_empty_title"),
                                         qtTrId("qtn_mms_error_message_empty"), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::finished, this, &MmsEditorPage::slotOnEmptyDialogFinished,
                Qt::QueuedConnection);
        dialog->open();
        return;
    }
    slotOnEmptyDialogFinished(TkQueryDialog::Yes);
}

// Steps 5 to 11 of a send press: false when the attempt ends here (the buttons are
// back unless the recipients are still being validated).
bool MmsEditorPage::checkRecipients()
{
    if (!recipientsEdit)
        return false;
    recipientsEdit->validate();
    if (recipientsEdit->validating()) {
        qCDebug(lcEditor) << "[MMS-EDITOR] The recipients validation is in progress;";
        connect(recipientsEdit.data(), &Tollis::RecipientsEdit::validated, this,
                &MmsEditorPage::slotOnSend, Qt::UniqueConnection);
        return false;
    }
    disconnect(recipientsEdit.data(), &Tollis::RecipientsEdit::validated, this,
               &MmsEditorPage::slotOnSend);
    recipientsEdit->resolveAmbiguous();
    const QStringList invalid = validateRecipients();
    if (!invalid.isEmpty()) {
        qCWarning(lcEditor) << "[MMS-EDITOR] This recipients are invalid:" << invalid;
        if (!recipientBannerShown) {
            recipientBannerShown = true;
            connect(showInformationBanner(invalid.first()), &TkBanner::disappeared, this,
                    &MmsEditorPage::slotRecipientBannerDisappeared);
        }
        showSendButtons(true);
        return false;
    }
    if (!mmsui::utils::freeSpaceAvailable()) {
        qCWarning(lcEditor) << "[MMS-EDITOR] No enough space to send MMS";
        showInformationBanner(qtTrId("qtn_mms_info_memory_low_send"));
        showSendButtons(true);
        return false;
    }
    const MmsOutgoingMessage message = outgoingMessage();
    const QStringList addresses =
        MmsRecipientCleaner::countedAddresses(message.to, message.cc, message.bcc);
    if (addresses.isEmpty()) {
        qCDebug(lcEditor) << "[MMS-EDITOR] The recipients list is empty!";
        recipientsEdit->launchContactPickerTo();
        showSendButtons(true);
        return false;
    }
    if (addresses.size() > maxRecipients) {
        qCDebug(lcEditor)
            << "[MMS-EDITOR] Recipients count is more than 10, need to remove some recipinets";
        banner->showBanner(qtTrId("qtn_mms_too_many_recipients").arg(maxRecipients));
        showSendButtons(true);
        return false;
    }
    return true;
}

QStringList MmsEditorPage::validateRecipients() const
{
    QStringList invalid;
    if (!recipientsEdit)
        return invalid;
    for (const Tollis::RecipientList& list :
         {recipientsEdit->to(), recipientsEdit->cc(), recipientsEdit->bcc()}) {
        for (const Tollis::Recipient& recipient : list) {
            if (recipient.value(Tollis::RecipientValidity).toInt() != Tollis::RecipientsEdit::Valid)
                invalid << recipient.value(Tollis::RecipientDisplayText).toString();
        }
    }
    return invalid;
}

void MmsEditorPage::cleanPhoneNumbers(QStringList& list)
{
    MmsRecipientCleaner::cleanPhoneNumbers(list);
}

void MmsEditorPage::smartDuplicatesRemoval(QStringList& seen, QStringList& list)
{
    MmsRecipientCleaner::smartDuplicatesRemoval(seen, list);
}

void MmsEditorPage::slotRecipientBannerDisappeared()
{
    recipientBannerShown = false;
}

TkBanner* MmsEditorPage::showInformationBanner(const QString& title)
{
    auto* informationBanner = new TkBanner(this);
    tk::setStyleName(informationBanner, QStringLiteral("InformationBanner"));
    informationBanner->setTitle(title);
    connect(informationBanner, &TkBanner::disappeared, informationBanner, &QObject::deleteLater);
    informationBanner->appear();
    return informationBanner;
}

void MmsEditorPage::slotOnEmptyDialogFinished(int result)
{
    if (result != TkQueryDialog::Yes || removeLostAttachments()) {
        showSendButtons(true);
        return;
    }
    if (!resizeAll())
        slotOnPictureResizeFinished(QStringList(), true);
}

// True when an attachment's file had gone: the user sees what is left.
bool MmsEditorPage::removeLostAttachments()
{
    bool lost = false;
    const QList<MmsEditorAttachment*> slides = attachmentList;
    for (MmsEditorAttachment* slide : slides) {
        const QString fileName = slide->fileName;
        if (fileName.isEmpty() || QFileInfo::exists(fileName))
            continue;
        qCDebug(lcEditor) << "[MMS-EDITOR] Warning: The attachment " << fileName
                          << "doesn't exists";
        showBanner(QStringLiteral("qtn_comm_attachment_lost"));
        removeAttachment(fileName, false);
        lost = true;
    }
    return lost;
}

bool MmsEditorPage::validateMessageSize() const
{
    return MmsMessageSize::validateMessageSize(MmsPipelineFlavour::editor(), outgoingMessage());
}

bool MmsEditorPage::resizeAll()
{
    if (attachmentList.isEmpty() || imageCount == 0) {
        qCDebug(lcEditor) << "[MMS-EDITOR] There are no attachments, nothing to do;";
        return false;
    }
    const MmsOutgoingMessage message = outgoingMessage();
    const int budget = MmsMessageSize::pictureBudget(MmsPipelineFlavour::editor(), message);
    const QStringList paths = MmsMessageSize::picturePaths(message);
    m_folder->makeTempFolder();
    if (paths.isEmpty())
        return false;
    qCDebug(lcEditor) << "[MMS-EDITOR] Start image resizing";
    emit startPictureResize(paths, budget, m_folder->tempPath());
    if (!spinner) {
        spinner = new TkSceneWindow(this);
        spinner->setView(new MmsSpinnerOverlayView);
    }
    QTimer::singleShot(spinnerDelay, this, &MmsEditorPage::slotShowSpinner);
    return true;
}

void MmsEditorPage::startSendPreparation()
{
    sendStarted = true;
    MmsOutgoingMessage message = outgoingMessage();
    MmsRecipientCleaner::removeDuplicates(MmsPipelineFlavour::editor(), message.to, message.cc,
                                          message.bcc, true);
    recipientList = message.to + message.cc + message.bcc;
    propertyMaps.clear();
    propertyMaps << MmsHeaderMap::build(message, messageToken,
                                        getMessageSize(MmsContentTypes::UNKNOWN));
    disconnect(sendValidator, &SendValidator::validationCompleted, this,
               &MmsEditorPage::slotSendMessage);
    connect(sendValidator, &SendValidator::validationCompleted, this,
            &MmsEditorPage::slotSendMessage, Qt::QueuedConnection);
    sendValidator->validate();
}

bool MmsEditorPage::processAttachments()
{
    MmsMessageLayout layout;
    connect(&layout, &MmsMessageLayout::attachmentLost, this,
            [this] { showBanner(QStringLiteral("qtn_comm_attachment_lost")); });
    connect(&layout, &MmsMessageLayout::bodyTextCarried, this,
            [this](const QString& text) { setText(bodyEdit, text); });
    return layout.processAttachments(*m_folder, outgoingMessage(), propertyMaps);
}

void MmsEditorPage::slotSendMessage()
{
    disconnect(sendValidator, &SendValidator::validationCompleted, this,
               &MmsEditorPage::slotSendMessage);
    if (!processAttachments()) {
        qCCritical(lcEditor) << "[MMS-EDITOR] Failed to process attachments!";
        sendStarted = false;
        showSendButtons(true);
        return;
    }
    if (!MmsHandOver::connectionSettingsComplete()) {
        connectionSettings->showConnSettingsConfirmation(
            qtTrId("qtn_mms_error_sending_failed_title"));
        prepareMessageFolder();
        sendStarted = false;
        showSendButtons(true);
        return;
    }
    doSendMessage();
    QCoreApplication::processEvents();
    switchAfterSend();
    recipientList.clear();
    QMetaObject::invokeMethod(this, &MmsEditorPage::slotOnMessageSent, Qt::QueuedConnection);
}

void MmsEditorPage::switchAfterSend()
{
    if (recipientList.size() == 1) {
        switchToConversation(pageManager() ? pageManager()->applicationWindow() : nullptr,
                             recipientList.first());
    } else {
        switchToInbox(-1);
    }
}

void MmsEditorPage::doSendMessage()
{
    sender = MmsHandOver::send(MmsPipelineFlavour::editor(), propertyMaps, recipientList);
}

void MmsEditorPage::slotOnMessageSent()
{
    slotOnCloseButtonClicked();
    sender = nullptr;
}

void MmsEditorPage::slotOnMessageStatusChanged(const QString& token, int status)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Sending error for message" << token << "error" << status;
    if (status == fixedDialingError) {
        qCDebug(lcEditor) << "[MMS-EDITOR] FDN error";
        showInformationBanner(qtTrId("qtn_msg_error_fixed_dialing_active"));
    } else {
        clear();
        slotOnCloseButtonClicked();
    }
    sender = nullptr;
}

void MmsEditorPage::slotSendValidationFailed(int error)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Send Validation failed. Error" << error;
    sendStarted = false;
    showSendButtons(true);
}

void MmsEditorPage::slotOnResizeStarted()
{
    ++conversionCount;
    qCDebug(lcMmsUi) << "[MMS-UI] Hide send button";
    showSendButtons(false);
}

void MmsEditorPage::slotOnResizeFinished()
{
    qCDebug(lcMmsUi) << "[MMS-UI] Slot resize finished" << conversionCount;
    if (conversionCount != 1)
        return;
    conversionCount = 0;
    qCDebug(lcMmsUi) << "[MMS-UI] Show send button";
    showSendButtons(true);
}

void MmsEditorPage::slotOnResizeCancelled(const QString& fileName)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] resize cancelled, removing attachment";
    removeAttachment(fileName, true);
}

void MmsEditorPage::showBanner(const QString& textId)
{
    banner->showBanner(qtTrId(textId.toLatin1().constData()));
}

void MmsEditorPage::slotOnPictureResizeFinished(QStringList newFileNames, bool status)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] all pictues resized" << status;
    dismissSpinner();
    for (MmsEditorAttachment* slide : qAsConst(attachmentList)) {
        if (slide->contentType == MmsContentTypes::IMAGE && !newFileNames.isEmpty())
            slide->setResizedFileName(newFileNames.takeFirst());
    }
    updateSizeMeter();
    if (!validateMessageSize()) {
        qCDebug(lcEditor)
            << "[MMS-EDITOR] The message is so big, you need remove some attachments;";
        showBanner(QStringLiteral("qtn_mms_info_resize_filed"));
        showSendButtons(true);
        return;
    }
    startSendPreparation();
}

// Intake ----------------------------------------------------------------------------

int MmsEditorPage::updateContentPolicy(bool adding, const QString& mimeType, bool showBanner,
                                       const QString& fileName)
{
    qCDebug(lcMmsUi) << "[MMS-UI] Updating content policy, mode:" << adding << ", type:" << mimeType
                     << "show banner" << showBanner;
    qCDebug(lcMmsUi) << "[MMS-UI] Image counter:" << imageCount
                     << ", video flag:" << hasSoundOrVideo;
    const MmsMainConfig config;
    const auto refuse = [&](const char* textId, int result) {
        qCDebug(lcMmsUi) << "[MMS-UI] NO Image counter:" << imageCount
                         << ", video flag:" << hasSoundOrVideo;
        if (showBanner)
            this->showBanner(QLatin1String(textId));
        return result;
    };
    if (config.restrictedMode && !mmsui::utils::isContentTypeInCoreDomain(mimeType)) {
        qCDebug(lcMmsUi) << "[MMS-UI] Restricted mode, content is not in core domain, rejected";
        if (showBanner)
            this->showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return 1;
    }
    if (mimeType.startsWith(QLatin1String("image"))) {
        const int limit =
            config.maxMessageSize == smallMessageSize ? restrictedPictureLimit : pictureLimit;
        if (!adding)
            --imageCount;
        else if (!hasSoundOrVideo && imageCount < limit)
            ++imageCount;
        else
            return refuse("qtn_mms_info_image_sound_video", 0);
    } else if (mimeType.startsWith(QLatin1String("video")) ||
               mimeType.startsWith(QLatin1String("audio"))) {
        if (adding && hasSoundOrVideo)
            return refuse("qtn_mms_info_image_sound_video", 0);
        if (adding && imageCount > 0)
            return refuse("qtn_mms_info_sound_video", 1);
        if (adding && mimeType.startsWith(QLatin1String("audio")) &&
            QFileInfo(fileName).size() > config.maxMessageSize) {
            qCDebug(lcMmsUi) << "[MMS-UI] Size check failed for file:" << fileName;
            if (showBanner)
                this->showBanner(QStringLiteral("qtn_mms_info_resize_filed"));
            return 1;
        }
        hasSoundOrVideo = adding;
    }
    qCDebug(lcMmsUi) << "[MMS-UI] YES Image counter:" << imageCount
                     << ", video flag:" << hasSoundOrVideo;
    return 2;
}

void MmsEditorPage::createAttachments(const QStringList& files)
{
    QStringList fileUris;
    QStringList calendarUris;
    QStringList contactUris;
    bool failed = false;
    TrackerHelper* index = TrackerHelper::instance();
    for (const QString& entry : files) {
        if (entry.startsWith(QLatin1String("file://"))) {
            const QString uri = index->uriByFilename(QUrl(entry).toLocalFile());
            if (uri.isEmpty()) {
                qCWarning(lcEditor) << "[MMS-EDITROR] Faield to get Tracjer URN for file" << entry;
                failed = true;
            } else {
                fileUris << uri;
            }
            continue;
        }
        const int type = index->typeByUri(entry);
        if (type == TrackerHelper::TypeFile) {
            fileUris << entry;
        } else if (type == TrackerHelper::TypeContact) {
            contactUris << entry;
        } else if (type == TrackerHelper::TypeCalendar) {
            calendarUris << entry;
        } else if (type == TrackerHelper::TypeNone || type == TrackerHelper::TypeOther) {
            qCWarning(lcEditor) << "[MMS-EDITROR] Attachment type" << type
                                << "is not supported yet";
            failed = true;
        }
    }
    if (failed)
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
    if (!fileUris.isEmpty())
        addFileAttachmentsFromUri(fileUris);
    if (!calendarUris.isEmpty())
        addCalendarItemAttachmentsFromUri(calendarUris);
    if (!contactUris.isEmpty())
        addContactCardAttachmentsFromUri(contactUris);
}

void MmsEditorPage::slotOnAttachmentSelected(const QString& fileName, const QString&)
{
    if (attachmentPicker)
        attachmentPicker->close();
    const int type = TrackerHelper::instance()->typeByUri(fileName);
    qCDebug(lcEditor) << "[MMS-EDITOR] Selected item" << fileName << "of type" << type;
    switch (type) {
    case TrackerHelper::TypeFile:
        addFileAttachmentsFromUri({fileName});
        return;
    case TrackerHelper::TypeContact:
        addContactCardAttachmentsFromUri({fileName});
        return;
    case TrackerHelper::TypeCalendar:
        addCalendarItemAttachmentsFromUri({fileName});
        return;
    case TrackerHelper::TypeNone:
        if (fileName.startsWith(QLatin1String("file://"))) {
            createAttachments({fileName});
            return;
        }
        Q_FALLTHROUGH();
    case TrackerHelper::TypeOther:
        qCWarning(lcEditor) << "[MMS-EDITOR] Attachment type" << type << "is unsupported yet";
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    default:
        return;
    }
}

QString MmsEditorPage::firstSlideText() const
{
    return attachmentList.isEmpty() ? plainTextOf(bodyEdit, body) : QString();
}

void MmsEditorPage::addFileAttachmentsFromUri(const QStringList& uris)
{
    bool showBanner = true;
    bool sizeFailed = false;
    bool unsupported = false;
    int result = 2;
    for (const QString& uri : uris) {
        if (result == 0)
            break;
        QString fileName;
        QString mimeType;
        if (!TrackerHelper::instance()->filenameFromUri(QUrl(uri), fileName, mimeType)) {
            qCWarning(lcEditor) << "[MMS-EDITOR] Couldn't get filename/mimetype for" << uri
                                << "Skip it";
            unsupported = true;
            continue;
        }
        if (MmsContentTypes::contentTypeByMime(mimeType) == MmsContentTypes::UNKNOWN) {
            qCWarning(lcEditor) << "[MMS-EDITOR] The content type is not supported, skip it;";
            unsupported = true;
            continue;
        }
        const QFileInfo info(fileName);
        if (!info.isFile()) {
            qCWarning(lcEditor) << "[MMS-EDITOR] Select item" << uri << "is not a file, ignored;";
            unsupported = true;
            continue;
        }
        const QString path = info.canonicalFilePath();
        qCDebug(lcEditor) << "[MMS-EDITOR] Selected item" << uri << "from" << path << "MIME type is"
                          << mimeType;
        if (!MmsEditorAttachment::checkFileSize(path, mimeType)) {
            sizeFailed = true;
            continue;
        }
        if (!isAttachmentExists(uri)) {
            result = updateContentPolicy(true, mimeType, showBanner, path);
            if (result != 2) {
                showBanner = false;
            } else if (!addAttachment(path, mimeType, uri, firstSlideText(), false)) {
                updateContentPolicy(false, mimeType, false, path);
                unsupported = true;
            } else if (mimeType.startsWith(QLatin1String("video/"))) {
                disableToolbarActions();
            }
        }
        if (attachmentList.size() == 1)
            takeBodyContainerOut();
    }
    if (sizeFailed)
        this->showBanner(QStringLiteral("qtn_mms_info_resize_filed"));
    if (unsupported)
        this->showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
}

// Until a video's encoding ends.
void MmsEditorPage::disableToolbarActions()
{
    for (QAction* action : {sendAction.data(), attachAction.data()}) {
        if (action)
            action->setEnabled(false);
    }
}

bool MmsEditorPage::addAttachment(const QString& fileName, const QString& mimeType,
                                  const QString& sourceUri, const QString& text,
                                  bool carriesBodyText)
{
    const QString tempFolder = m_folder->tempPath();
    m_folder->makeTempFolder();
    auto* slide = new MmsEditorAttachment(fileName, mimeType, slidePolicy, sourceUri, text,
                                          carriesBodyText, tempFolder, !attachmentList.isEmpty());
    if (slide->invalid()) {
        delete slide;
        return false;
    }
    const auto queued = Qt::QueuedConnection;
    connect(slide, &MmsEditorAttachment::resizeCanceled, this,
            &MmsEditorPage::slotOnResizeCancelled, queued);
    connect(slide, &MmsEditorAttachment::resizeFailed, this, &MmsEditorPage::slotOnEncodeFailed,
            queued);
    connect(slide, &MmsEditorAttachment::detachRequired, this, &MmsEditorPage::slotOnDetachRequired,
            queued);
    connect(slide, &MmsEditorAttachment::attach, this, &MmsEditorPage::slotOnAttach, queued);
    connect(slide, &MmsEditorAttachment::send, this, &MmsEditorPage::slotOnSend, queued);
    connect(slide, &MmsEditorAttachment::resizeStarted, this, &MmsEditorPage::slotOnResizeStarted,
            queued);
    for (auto finished : {&MmsEditorAttachment::resizeFailed, &MmsEditorAttachment::resizeCanceled})
        connect(slide, finished, this, &MmsEditorPage::slotOnResizeFinished, queued);
    connect(slide, &MmsEditorAttachment::resizeFinished, this, &MmsEditorPage::slotOnResizeFinished,
            queued);
    connect(slide, &MmsEditorAttachment::convertToSms, this, &MmsEditorPage::slotOnMenuConvertToSms,
            queued);
    connect(slide, &MmsEditorAttachment::clearContent, this, &MmsEditorPage::clear, queued);
    connect(this, &MmsEditorPage::showSendButton, slide, &MmsEditorAttachment::enableSendButton);
    if (slide->textEdit)
        watchForSizeChanges(slide->textEdit);
    attachmentList << slide;
    updateSizeMeter();
    return true;
}

void MmsEditorPage::takeBodyContainerOut()
{
    if (bodyContainer && slidePolicy->contains(bodyContainer))
        slidePolicy->removeItem(bodyContainer);
}

bool MmsEditorPage::isAttachmentExists(const QString& sourceUri) const
{
    return std::any_of(
        attachmentList.cbegin(), attachmentList.cend(),
        [&](const MmsEditorAttachment* slide) { return slide->sourceUri == sourceUri; });
}

MmsEditorAttachment* MmsEditorPage::attachmentByFileName(const QString& fileName) const
{
    for (MmsEditorAttachment* slide : attachmentList) {
        if (slide->fileName == fileName)
            return slide;
    }
    return nullptr;
}

void MmsEditorPage::removeAttachment(const QString& fileName, bool)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Remove attachment" << fileName;
    MmsEditorAttachment* slide = attachmentByFileName(fileName);
    if (slide) {
        if (attachmentList.size() == 1)
            setText(bodyEdit, plainTextOf(slide->textEdit, QString()));
        updateContentPolicy(false, slide->mimeType, true, QString());
        attachmentList.removeOne(slide);
        delete slide;
    }
    attachmentListIsEmpty();
    updateSizeMeter();
}

void MmsEditorPage::removeAttachment(const QString& fileName)
{
    removeAttachment(fileName, false);
}

void MmsEditorPage::attachmentListIsEmpty()
{
    if (!attachmentList.isEmpty()) {
        attachmentList.first()->hideSeparator();
        return;
    }
    qCDebug(lcEditor) << "[MMS-EDITOR] Attachment list is empty;";
    if (bodyContainer && slidePolicy && !slidePolicy->contains(bodyContainer))
        slidePolicy->addItem(bodyContainer);
}

void MmsEditorPage::clearAttachmentsList()
{
    if (attachmentList.isEmpty())
        return;
    qCDebug(lcEditor) << "[MMS-EDITOR] Clearing attachment list;";
    qDeleteAll(attachmentList);
    attachmentList.clear();
}

void MmsEditorPage::slotOnDetachRequired(MmsEditorAttachment* attachment)
{
    // Queued: the slide may have gone in between.
    if (attachmentList.contains(attachment))
        removeAttachment(attachment->fileName, false);
}

void MmsEditorPage::slotOnEncodeFailed(const QString& fileName)
{
    removeAttachment(fileName, false);
}

void MmsEditorPage::addSlide(const Chronel::MessagePart* part, const QString& text)
{
    qCDebug(lcEditor).nospace() << "[MMS-EDITOR] Adding slide from Chronel event: location = \""
                                << part->contentLocation() << "\", type = \"" << part->contentType()
                                << "\", uri = \"" << part->uri() << "\"";
    const auto type = MmsContentTypes::contentTypeByMime(part->contentType());
    if (type == MmsContentTypes::UNKNOWN || part->uri().isEmpty()) {
        qCDebug(lcEditor) << "[MMS-EDITOR] The attachment type is not supported or content is "
                             "not indexing by tracker, ignored!";
        return;
    }
    QString bodyText = text;
    QString location = part->contentLocation();
    if (type == MmsContentTypes::TEXT) {
        bodyText += part->plainTextContent();
        location.clear();
    }
    if (updateContentPolicy(true, part->contentType(), true, location) != 2)
        return;
    const bool first = attachmentList.isEmpty();
    if (first) {
        takeBodyContainerOut();
        setText(bodyEdit, bodyText);
    }
    if (!addAttachment(location, part->contentType(), part->uri(), bodyText, first))
        updateContentPolicy(false, part->contentType(), false, location);
}

// Contact cards ------------------------------------------------------------------------

void MmsEditorPage::addContactCardAttachmentsFromUri(const QStringList& uris)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Adding contact card attachments "
                      << uris.join(QStringLiteral(", "));
    if (uris.isEmpty())
        return;
    const QString id = TrackerHelper::instance()->contacTrackerId(uris.first());
    if (id.isEmpty()) {
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    handleContact(id);
}

void MmsEditorPage::handleContact(const QString& guid)
{
    const quint32 localId = ContactLocalId::fromText(guid);
    if (localId == 0) {
        qCWarning(lcEditor) << "[MMS-EDITOR] Failed to convert string" << guid
                            << "to QContactLocalId. Ignoring contact";
        return;
    }
    if (isAttachmentExists(guid)) {
        qCDebug(lcEditor) << "[MMS-EDITOR] Contact card attachment" << guid
                          << "already present, ignored;";
        return;
    }
    if (!m_contactManager)
        m_contactManager = mmsui::utils::getContactManager();
    if (!m_contactManager || (contactFetchRequest && contactFetchRequest->isActive())) {
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    pendingContactId = guid;
    if (!contactFetchRequest) {
        contactFetchRequest = new QtContacts::QContactFetchRequest(this);
        contactFetchRequest->setManager(m_contactManager.data());
        // A request that finds nothing announces no results, only its end.
        connect(contactFetchRequest, &QtContacts::QContactAbstractRequest::stateChanged, this,
                [this](QtContacts::QContactAbstractRequest::State state) {
                    if (state == QtContacts::QContactAbstractRequest::FinishedState)
                        contactsFetched();
                });
    }
    contactFetchRequest->setFilter(contactFilter(m_contactManager->managerUri(), guid, localId));
    qCDebug(lcEditor) << "[MMS-EDITOR] Start contact fetching";
    contactFetchRequest->start();
}

void MmsEditorPage::contactsFetched()
{
    const QList<QtContacts::QContact> contacts = contactFetchRequest->contacts();
    qCDebug(lcEditor) << "[MMS-EDITOR] Contacts found:" << contacts.size();
    if (contacts.isEmpty()) {
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    // The store's own number may belong to another contact than the index's link.
    const auto linked = std::find_if(contacts.cbegin(), contacts.cend(), [this](const auto& c) {
        return c.template detail<QtContacts::QContactGuid>().guid() == pendingContactId;
    });
    QtContacts::QContact contact = linked != contacts.cend() ? *linked : contacts.first();
    giveCardAName(contact);
    QtVersit::QVersitContactExporter exporter;
    if (!exporter.exportContacts({contact}, vcardVersion())) {
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    delete vcardWriter;
    delete vcardFile;
    vcardFile = makeVcardFile(contact);
    if (!vcardFile) {
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    vcardWriter = new QtVersit::QVersitWriter;
    vcardWriter->setParent(this);
    connect(vcardWriter, &QtVersit::QVersitWriter::stateChanged, this,
            &MmsEditorPage::vcardWriterStateChanged);
    vcardWriter->setDevice(vcardFile);
    if (!vcardWriter->startWriting(exporter.documents()))
        discardVcardFile();
}

void MmsEditorPage::discardVcardFile()
{
    vcardFile->close();
    vcardFile->remove();
    showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
}

void MmsEditorPage::vcardWriterStateChanged(QtVersit::QVersitWriter::State state)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] vCard writing state:" << state;
    if (state != QtVersit::QVersitWriter::FinishedState || !vcardFile)
        return;
    vcardFile->close();
    if (vcardWriter->error() != QtVersit::QVersitWriter::NoError) {
        discardVcardFile();
        return;
    }
    qCDebug(lcEditor) << "[MMS-EDITOR] vCard is saved in" << vcardFile->fileName();
    if (!addAttachment(vcardFile->fileName(), QStringLiteral("text/x-vcard"), pendingContactId,
                       firstSlideText(), true)) {
        discardVcardFile();
        return;
    }
    if (attachmentList.size() == 1)
        takeBodyContainerOut();
}

QFile* MmsEditorPage::makeVcardFile(const QtContacts::QContact& contact)
{
    const auto name = contact.detail<QtContacts::QContactName>();
    QString fileName =
        (name.firstName().trimmed() + QLatin1Char(' ') + name.lastName().trimmed()).simplified();
    if (fileName.isEmpty()) {
        fileName = contact.detail<QtContacts::QContactNickname>().nickname();
        qCDebug(lcEditor) << "[MMS-EDITOR] Contact name is empty. Use Nickname" << fileName;
    }
    if (fileName.isEmpty()) {
        fileName = contact.detail<QtContacts::QContactDisplayLabel>().label();
        qCDebug(lcEditor) << "[MMS-EDITOR] Contact name is empty. Use DisplayLabel" << fileName;
    }
    return MmsGeneratedFile::create(messageFolder, fileName, QStringLiteral("vcard"),
                                    QStringLiteral("vcf"), this);
}

// Calendar entries ---------------------------------------------------------------------

void MmsEditorPage::addCalendarItemAttachmentsFromUri(const QStringList& uris)
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Adding calendar item attachments "
                      << uris.join(QStringLiteral(", "));
    CalendarStore store;
    if (!store.open()) {
        qCWarning(lcEditor)
            << "[MMS-EDITOR] Failed to attach Calendar items: failed to open calendar";
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
        return;
    }
    bool failed = false;
    for (const QString& uri : uris)
        failed |= !addCalendarItem(uri, store);
    if (failed)
        showBanner(QStringLiteral("qtn_mms_info_attch_nsupp"));
}

bool MmsEditorPage::addCalendarItem(const QString& uri, CalendarStore& store)
{
    if (isAttachmentExists(uri)) {
        qCDebug(lcEditor) << "[MMS-EDITOR] Attachment" << uri << "already present, ignored;";
        return true;
    }
    const QString uid = TrackerHelper::instance()->ncalUid(uri);
    if (uid.isEmpty()) {
        qCWarning(lcEditor) << "[MMS-EDITOR] Faield to attach Calendar item" << uri
                            << ": failed to ged UID from tracker";
        return false;
    }
    const KCalendarCore::Incidence::Ptr entry = store.incidence(uid);
    if (!entry) {
        qCWarning(lcEditor) << "[MMS-EDITOR] Faield to loca Calendar item";
        return false;
    }
    const std::unique_ptr<QFile> file(MmsGeneratedFile::create(messageFolder, entry->summary(),
                                                               QStringLiteral("vcalendar"),
                                                               QStringLiteral("vcs"), nullptr));
    const QString fileName = file ? file->fileName() : QString();
    if (file)
        file->close();
    if (!file || !VCalendarWriter::save({entry}, fileName)) {
        qCWarning(lcEditor) << "[MMS-EDITOR] Faield to save Calendar item" << uid << "as"
                            << fileName;
        if (file)
            file->remove();
        return false;
    }
    qCDebug(lcEditor) << "[MMS-EDITOR] Saved Calendar event as" << fileName;
    if (!addAttachment(fileName, QStringLiteral("text/x-vcalendar"), uri, firstSlideText(), true)) {
        file->remove();
        return false;
    }
    if (attachmentList.size() == 1)
        takeBodyContainerOut();
    return true;
}

// Conversion to a text message ------------------------------------------------------------

void MmsEditorPage::slotOnMenuConvertToSms()
{
    if (attachmentList.isEmpty() && plainTextOf(subjectEdit, subject).isEmpty()) {
        doConvertToSms();
        return;
    }
    auto* dialog = new TkQueryDialog(qtTrId("qtn_mms_info_converting_to_sms_title"),
                                     qtTrId("qtn_mms_info_converting_to_sms"), this);
    dialog->yesButton()->setText(qtTrId("qtn_mms_query_continue"));
    dialog->noButton()->setText(qtTrId("qtn_comm_cancel"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this](int result) {
        if (result == TkQueryDialog::Yes)
            doConvertToSms();
    });
    dialog->open();
}

void MmsEditorPage::doConvertToSms()
{
    qCDebug(lcEditor) << "[MMS-EDITOR] Converting to SMS editor;";
    QString text;
    if (attachmentList.isEmpty()) {
        text = plainTextOf(bodyEdit, body);
    } else {
        for (const MmsEditorAttachment* slide : qAsConst(attachmentList))
            text += plainTextOf(slide->textEdit, QString()) + QLatin1Char(' ');
        text = text.trimmed();
    }
    changeMessageEditor(Chronel::Event::SMSEvent,
                        recipientsEdit ? recipientsEdit->to() : recipients, text, QString(),
                        QString(), 0, QStringList());
}
