#include "mmssimpleeditorwidget.h"

#include "abstractpagemanager.h"
#include "connsettingshelper.h"
#include "messagingtextedit.h"
#include "mmsbubbleicon.h"
#include "mmseditorattachment.h"
#include "mmssender.h"
#include "mmsspinneroverlaywidget.h"
#include "mmstimedbanner.h"
#include "sender_debug.h"
#include "tklayout.h"
#include "tklinearlayoutpolicy.h"
#include "tkstyle.h"
#include "trackerhelper.h"

#include <QAction>
#include <QFileInfo>
#include <QImageReader>
#include <QToolButton>

MmsSimpleEditorWidget::MmsSimpleEditorWidget(AbstractPageManager* pageManager,
                                             const QString& recipient, MessagingTextEdit* textEdit,
                                             const QString& fileName, const QString& mimeType)
    : m_recipient(recipient)
    , m_fileName(fileName)
    , m_mimeType(mimeType)
    , m_icon(new MMSBubbleIcon(fileName, mimeType, this))
    , m_textEdit(textEdit)
    , m_pageManager(pageManager)
    , m_banner(new MmsTimedBanner(pageManager ? pageManager->applicationWindow() : nullptr, this))
    , m_connSettings(new ConnSettingsHelper(this))
{
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Creating Simple editor";
    tk::setStyleName(this, QStringLiteral("MmsSimpleEditorWidget"));
    createLayout();
    wireTextEdit();
    QMetaObject::invokeMethod(this, &MmsSimpleEditorWidget::tryReadImageAttachment,
                              Qt::QueuedConnection);
}

// A running sender goes on alone and deletes itself when it has reported.
MmsSimpleEditorWidget::~MmsSimpleEditorWidget()
{
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Destroying Simple editor";
}

void MmsSimpleEditorWidget::createLayout()
{
    m_icon->setObjectName(QStringLiteral("mmsConversationAttachment"));
    tk::setStyleName(m_icon, QStringLiteral("MMSConversationThumbnail"));
    m_icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QMetaObject::invokeMethod(m_icon, "updateIcon", Qt::QueuedConnection);
    auto* remove = new QAction(qtTrId("qtn_comm_delete"), m_icon);
    connect(remove, &QAction::triggered, this, &MessageAttachmentWidget::attachmentRemoved);
    m_icon->addAction(remove);
    m_icon->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Borderless: the thumbnail alone, no margins around it.
    auto* layout = new TkLayout(this);
    auto* policy = new TkLinearLayoutPolicy(layout, Qt::Horizontal);
    policy->setContentsMargins(QMargins());
    policy->setSpacing(0);
    policy->addItem(m_icon);
    policy->addStretch();
    layout->setPolicy(policy);
}

void MmsSimpleEditorWidget::wireTextEdit()
{
    if (!m_textEdit)
        return;
    m_textEdit->setAllowEmptySend(true);
    setFocusProxy(m_textEdit);
    connect(m_textEdit, &MessagingTextEdit::sendButtonClicked, this,
            &MmsSimpleEditorWidget::slotOnSendButtonClicked);
    m_textEdit->setCharacterCounter(false);
    m_textEdit->setToolbarAttribute(QStringLiteral("/toolbar"), QStringLiteral("counter"),
                                    QStringLiteral("text"), qtTrId("qtn_mms_default_mms"));
}

QString MmsSimpleEditorWidget::contentUri(const QString& reference)
{
    if (reference.startsWith(QLatin1String("file:")))
        return TrackerHelper::instance()->uriByFilename(QUrl(reference).toLocalFile());
    if (reference.startsWith(QLatin1String("urn:")))
        return reference;
    return QString();
}

QStringList MmsSimpleEditorWidget::attachments() const
{
    return m_sending ? QStringList() : MessageAttachmentWidget::attachments();
}

QString MmsSimpleEditorWidget::plainText() const
{
    return m_sending || !m_textEdit ? QString() : m_textEdit->plainText();
}

void MmsSimpleEditorWidget::tryReadImageAttachment()
{
    if (!m_mimeType.startsWith(QLatin1String("image/"))) {
        qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Skip image read test for" << m_mimeType;
        return;
    }
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Try to read" << m_mimeType << m_fileName;
    QImageReader reader(m_fileName);
    // Scaled while decoding: a camera picture is never decoded at full size here.
    reader.setScaledSize(QSize(100, 100));
    if (reader.read().isNull()) {
        qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Failed to read image" << m_mimeType << m_fileName;
        m_banner->showBanner(qtTrId("qtn_mms_info_attch_nsupp"));
        cancel();
        return;
    }
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Image look fine:" << m_mimeType << m_fileName;
}

void MmsSimpleEditorWidget::cancel()
{
    emit attachmentRemoved();
}

void MmsSimpleEditorWidget::slotOnSendButtonClicked()
{
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Send Message";
    if (m_sending) {
        qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] A message is being sent, ignored";
        return;
    }
    if (!QFileInfo::exists(m_fileName)) {
        qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Attachment is not available anymore. Aborting."
                                << m_fileName;
        m_banner->showBanner(qtTrId("qtn_comm_attachment_lost"));
        emit attachmentRemoved();
        return;
    }
    m_sending = true;
    showSpinner(true);
    enableInput(false);
    if (m_sender) {
        m_sender->disconnect(this);
        m_sender = nullptr;
    }
    const QString text = m_textEdit ? m_textEdit->plainText() : QString();
    m_sender = new MmsSender(true, {m_recipient}, {}, {}, QString(), text, QString());
    m_sender->addAttachment(m_fileName, m_mimeType, text, false);
    connect(m_sender, &MmsSender::failed, this, &MmsSimpleEditorWidget::slotOnSendCompleted);
    connect(m_sender, &MmsSender::configurationMissed, this,
            &MmsSimpleEditorWidget::slotOnConfigurationMissed);
    connect(m_sender, &MmsSender::sent, this, &MmsSimpleEditorWidget::slotOnSendCompleted);
    connect(m_sender, &MmsSender::sent, this, &MessageAttachmentWidget::messageSent);
    m_sender->send();
}

void MmsSimpleEditorWidget::slotOnSendCompleted()
{
    m_sending = false;
    enableInput(true);
    showSpinner(false);
}

void MmsSimpleEditorWidget::enableInput(bool enabled)
{
    if (!m_textEdit)
        return;
    m_textEdit->setSendButtonEnabled(enabled, true, false);
    m_textEdit->setAttachmentButtonEnabled(enabled);
    m_textEdit->setEnabled(enabled);
}

void MmsSimpleEditorWidget::slotOnConfigurationMissed()
{
    m_connSettings->showConnSettingsConfirmation(qtTrId("qtn_mms_error_sending_failed_title"));
}

void MmsSimpleEditorWidget::showSpinner(bool visible)
{
    if (!m_spinner) {
        m_spinner = new MmsSpinnerOverlayWidget(m_icon);
        tk::setStyleName(m_spinner, QStringLiteral("MmsSpinnerOverlayWidget"));
        m_spinner->setGeometry(m_icon->rect());
    }
    m_spinner->setVisible(visible);
}

void MmsSimpleEditorWidget::addAttachment(const QString& reference)
{
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Adding attachment" << reference;
    const QString uri = contentUri(reference);
    if (uri.isEmpty()) {
        qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Failed to add attachment:" << reference
                                << "is not URN";
        return;
    }
    QString fileName;
    QString mimeType;
    if (!TrackerHelper::instance()->filenameFromUri(QUrl(uri), fileName, mimeType)) {
        openFullEditor(reference);
        return;
    }
    qCDebug(lcSimpleEditor) << "[MMS-SIMPLED] Adding attachment" << uri << reference << fileName
                            << mimeType;
    if (!mimeType.startsWith(QLatin1String("image/")))
        m_banner->showBanner(qtTrId("qtn_mms_info_sound_video"));
    else if (fileName == m_fileName)
        return;
    else if (!MmsEditorAttachment::checkFileSize(fileName, mimeType))
        m_banner->showBanner(qtTrId("qtn_mms_info_resize_filed"));
    else
        openFullEditor(reference);
}

void MmsSimpleEditorWidget::openFullEditor(const QString& reference)
{
    const QStringList references = MessageAttachmentWidget::attachments() << reference;
    setAttachments(references);
    if (m_pageManager) {
        m_pageManager->openNewEditorPage(Chronel::Event::MMSEvent, {m_recipient}, QString(),
                                         plainText(), references);
    }
    if (m_textEdit) {
        m_textEdit->setSendButtonEnabled(true, true, false);
        m_textEdit->setAttachmentButtonEnabled(true);
    }
    emit messageSent();
}
