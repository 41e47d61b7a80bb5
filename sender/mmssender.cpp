#include "mmssender.h"

#include "mmsattachment.h"
#include "mmshandover.h"
#include "mmsheadermap.h"
#include "mmsmessagelayout.h"
#include "mmsmessagesize.h"
#include "mmsrecipientcleaner.h"
#include "mmsresizethread.h"
#include "mmstimedbanner.h"
#include "sender_debug.h"
#include "sendvalidator.h"
#include "storage.h"
#include "tkapplicationwindow.h"
#include "tkquerydialog.h"

namespace {

const char* const tag = "[MMS-SENDER]";
const int maxRecipients = 10;

MmsPipelineFlavour flavour()
{
    return MmsPipelineFlavour::headless(lcSender, tag);
}

} // namespace

MmsSender::MmsSender(bool autoDelete, const QStringList& to, const QStringList& cc,
                     const QStringList& bcc, const QString& subject, const QString& text,
                     const QString& token)
    : m_to(to)
    , m_cc(cc)
    , m_bcc(bcc)
    , m_subject(subject)
    , m_text(text)
    , m_folder(token, flavour())
    , m_banner(new MmsTimedBanner(TkApplicationWindow::active(), this))
    , m_sendValidator(new SendValidator(MmsHandOver::accountPath, true, this))
    , m_resizeThread(new MmsResizeThread(this))
{
    connect(m_sendValidator, &SendValidator::validationFailed, this,
            &MmsSender::slotSendValidationFailed);
    connect(m_resizeThread, &MmsResizeThread::resizeFinished, this,
            &MmsSender::slotOnPictureResizeFinished);
    m_resizeThread->start(QThread::InheritPriority);
    m_folder.prepareMessageFolder();
    if (autoDelete) {
        qCDebug(lcSender) << tag << "Autodeletion is enabled";
        connect(this, &MmsSender::sent, this, &QObject::deleteLater, Qt::QueuedConnection);
        connect(this, &MmsSender::failed, this, &QObject::deleteLater, Qt::QueuedConnection);
    }
}

// The thread stops before the folder goes, so that no resize writes into a removed folder.
MmsSender::~MmsSender()
{
    qCDebug(lcSender) << tag << "Destroying";
    m_resizeThread->quit();
    m_resizeThread->wait();
    qDeleteAll(m_attachments);
    if (!m_sendStarted)
        m_folder.removeMessageFolder();
}

bool MmsSender::addAttachment(const QString& path, const QString& mime, const QString& text,
                              bool carriesBodyText)
{
    qCDebug(lcSender) << tag << "Adding attachment" << path << mime;
    m_folder.makeTempFolder();
    m_attachments << new MmsAttachment(path, mime, text, carriesBodyText);
    return true;
}

void MmsSender::send()
{
    qCDebug(lcSender) << tag << "Send message";
    slotOnSend();
}

void MmsSender::slotOnSend()
{
    // A request while one is under way is only ignored: that one still reports.
    if (m_sendStarted || m_resizing) {
        qCDebug(lcSender) << tag << "Got multiple Send request. Ignore";
        return;
    }
    if (m_sender) {
        qCDebug(lcSender) << tag << "The message sending is already in progress;";
        return;
    }
    if (!passesChecks())
        return;
    if (m_text.isEmpty() && m_attachments.isEmpty()) {
        qCDebug(lcSender) << tag << "The message body and attachments list is empty!";
        auto* dialog = new TkQueryDialog(qtTrId("qtn_mms_error_message_empty_title"),
                                         qtTrId("qtn_mms_error_message_empty"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::finished, this, &MmsSender::slotOnEmptyDialogFinished,
                Qt::QueuedConnection);
        dialog->open();
        return;
    }
    slotOnEmptyDialogFinished(TkQueryDialog::Yes);
}

bool MmsSender::passesChecks()
{
    if (MmsMessageFolder::isStorageLocked()) {
        qCDebug(lcSender) << tag << "Storage is locked by Backup/Restore";
        fail(QStringLiteral("qtn_comm_send_restore"));
        return false;
    }
    if (!mmsui::utils::freeSpaceAvailable()) {
        qCWarning(lcSender) << tag << "No enough space to send MMS";
        fail(QStringLiteral("qtn_mms_info_memory_low_send"));
        return false;
    }
    return passesRecipientChecks();
}

bool MmsSender::passesRecipientChecks()
{
    MmsRecipientCleaner::removeDuplicates(flavour(), m_to, m_cc, m_bcc, true);
    const int count = recipients().size();
    if (count == 0) {
        qCDebug(lcSender) << tag << "The recipients list is empty!";
        fail();
        return false;
    }
    if (count > maxRecipients) {
        qCDebug(lcSender) << tag
                          << "Recipients count is more than 10, need to remove some recipinets";
        m_banner->showBanner(qtTrId("qtn_mms_too_many_recipients").arg(maxRecipients));
        emit failed();
        return false;
    }
    return true;
}

void MmsSender::fail(const QString& bannerId)
{
    if (!bannerId.isEmpty())
        m_banner->showBanner(qtTrId(bannerId.toUtf8().constData()));
    emit failed();
}

void MmsSender::slotOnEmptyDialogFinished(int result)
{
    if (result != TkQueryDialog::Yes) {
        emit failed();
        return;
    }
    if (!resizeAll())
        slotOnPictureResizeFinished(QStringList(), true);
}

bool MmsSender::resizeAll()
{
    if (m_attachments.isEmpty()) {
        qCDebug(lcSender) << tag << "There are no attachments. Nothing to resize";
        return false;
    }
    const MmsOutgoingMessage outgoing = message();
    const int budget = MmsMessageSize::pictureBudget(flavour(), outgoing);
    const QStringList paths = MmsMessageSize::picturePaths(outgoing);
    m_folder.makeTempFolder();
    if (paths.isEmpty())
        return false;
    qCDebug(lcSender) << tag << "Start image resizing";
    m_resizing = true;
    m_resizeThread->startResize(paths, budget, m_folder.tempPath());
    return true;
}

void MmsSender::slotOnPictureResizeFinished(QStringList newFileNames, bool status)
{
    qCDebug(lcSender) << tag << "all pictues resized" << status;
    m_resizing = false;
    for (MmsAttachment* attachment : qAsConst(m_attachments)) {
        if (attachment->contentType == MmsAttachment::IMAGE && !newFileNames.isEmpty())
            attachment->setResizedFileName(newFileNames.takeFirst());
    }
    const MmsOutgoingMessage outgoing = message();
    if (!MmsMessageSize::validateMessageSize(flavour(), outgoing)) {
        qCDebug(lcSender) << tag << "The message is so big, you need remove some attachments;";
        fail(QStringLiteral("qtn_mms_info_resize_filed"));
        return;
    }
    m_sendStarted = true;
    m_sendList = {MmsHeaderMap::build(
        outgoing, m_folder.token(),
        MmsMessageSize::getMessageSize(flavour(), outgoing, MmsContentTypes::UNKNOWN))};
    disconnect(m_sendValidator, &SendValidator::validationCompleted, this,
               &MmsSender::slotSendMessage);
    connect(m_sendValidator, &SendValidator::validationCompleted, this, &MmsSender::slotSendMessage,
            Qt::QueuedConnection);
    m_sendValidator->validate();
}

void MmsSender::slotSendValidationFailed(int error)
{
    qCDebug(lcSender) << tag << "Send Validation failed. Error" << error;
    m_sendStarted = false;
    emit failed();
}

void MmsSender::slotSendMessage()
{
    disconnect(m_sendValidator, &SendValidator::validationCompleted, this,
               &MmsSender::slotSendMessage);
    if (!MmsMessageLayout().processAttachments(m_folder, message(), m_sendList)) {
        qCCritical(lcSender) << tag << "Failed to process attachments!";
        m_sendStarted = false;
        emit failed();
        return;
    }
    if (!MmsHandOver::connectionSettingsComplete()) {
        qCDebug(lcSender) << tag << "Some of the MMS setings are empty!";
        emit configurationMissed();
        m_folder.prepareMessageFolder();
        m_sendStarted = false;
        emit failed();
        return;
    }
    doSendMessage();
    m_sender = nullptr;
}

void MmsSender::doSendMessage()
{
    m_sender = MmsHandOver::send(flavour(), m_sendList, recipients());
    emit sent();
}

MmsOutgoingMessage MmsSender::message() const
{
    MmsOutgoingMessage outgoing{m_to, m_cc, m_bcc, m_subject, m_text, {}};
    for (const MmsAttachment* attachment : m_attachments)
        outgoing.attachments << attachment->outgoing();
    return outgoing;
}

QStringList MmsSender::recipients() const
{
    return m_to + m_cc + m_bcc;
}
