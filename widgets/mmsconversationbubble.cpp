#include "mmsconversationbubble.h"

#include "abstractpagemanager.h"
#include "avatarwidget.h"
#include "basepage.h"
#include "contactcardfactory.h"
#include "contactthumbnail.h"
#include "emoticonutils.h"
#include "messagecontent.h"
#include "mmsbubbleicon.h"
#include "mmsmainconfig.h"
#include "readreportsender.h"
#include "singleeventmodel.h"
#include "timestampcache.h"
#include "viewer_debug.h"
#include "widgets_debug.h"

#include <QAction>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QtMath>

#include "tkapplicationwindow.h"
#include "tkcontenthighlighter.h"
#include "tkpannableviewport.h"
#include "tkquerydialog.h"
#include "tkstyle.h"

namespace {

const int kPanningDelay = 200;
// Texts longer than this many characters are elided to as many average
// character widths before layout.
const int kElideLength = 250;
// Eliding measures the whole text: a huge part is cut first to what could
// possibly fit, even in the narrowest characters.
const int kElideInputLimit = kElideLength * 8;
// The toolkit offers actions of this location as the widget's action menu.
const int kObjectMenuLocation = 8;
const QString kSeparator = QStringLiteral(" | ");

QString trueFalse(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Changing a style name polishes the widget again; an update that keeps it
// costs nothing, and a widget not polished yet takes it with its first polish.
void setStyleNameIfChanged(QWidget* widget, const QString& styleName)
{
    if (tk::styleName(widget) == styleName)
        return;
    if (widget->testAttribute(Qt::WA_WState_Polished))
        tk::setStyleName(widget, styleName);
    else
        widget->setProperty("styleName", styleName);
}

bool isFailedSend(const Chronel::Event& event)
{
    return event.status() == Chronel::Event::TemporarilyFailedStatus ||
           event.status() == Chronel::Event::PermanentlyFailedStatus;
}

QString statusLine(const char* statusId, const QString& time)
{
    return QStringLiteral("%1%2%3").arg(qtTrId(statusId), kSeparator, time);
}

// The size a label takes for its text: on one line when it fits into
// `availableWidth`, laid out once and without wrapping; otherwise wrapped at
// that width.
QSizeF fittedSize(QLabel* label, qreal availableWidth)
{
    label->setWordWrap(false);
    const QSize natural = label->sizeHint();
    if (natural.width() <= availableWidth)
        return natural;
    label->setWordWrap(true);
    return QSizeF(availableWidth, label->heightForWidth(int(availableWidth)));
}

QLabel* newLabel(QWidget* parent, Qt::TextFormat format)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(format);
    label->hide();
    return label;
}

} // namespace

MmsConversationBubble::MmsConversationBubble(const Chronel::Event& event, QWidget* parent)
    : ClickableBubble(parent)
    , m_event(event)
    , m_deleteAction(new QAction(qtTrId("qtn_comm_delete"), this))
    , m_deleteAllAction(new QAction(qtTrId("qtn_msg_delete_all_messages"), this))
    , m_styleContainer(createStyleContainer())
{
    for (QAction* action : {m_deleteAction, m_deleteAllAction}) {
        action->setProperty("location", kObjectMenuLocation);
        addAction(action);
    }
    connect(m_deleteAction, &QAction::triggered, this, &MmsConversationBubble::slotOnDelete);
    connect(m_deleteAllAction, &QAction::triggered, this, &MmsConversationBubble::slotOnDeleteAll);
    m_panningTimer.setSingleShot(true);
    m_panningTimer.setInterval(kPanningDelay);
    connect(&m_panningTimer, &QTimer::timeout, this, &MmsConversationBubble::onPanningStopped);
}

// The host removes a deleted message's bubble at once; reports still waiting
// for their downloader must not go with it.
MmsConversationBubble::~MmsConversationBubble()
{
    if (m_reportSender && m_reportSender->reportsCount() > 0) {
        m_reportSender->setParent(QCoreApplication::instance());
        connect(m_reportSender, &ReadReportSender::batchFinished, m_reportSender,
                &QObject::deleteLater);
    }
    delete m_styleContainer;
}

MmsConversationBubbleStyleContainer* MmsConversationBubble::createStyleContainer()
{
    auto* container = new MmsConversationBubbleStyleContainer;
    container->setStyle(new MmsConversationBubbleStyle(this));
    return container;
}

void MmsConversationBubble::updateEvent(const Chronel::Event& event)
{
    qCDebug(lcBubble).noquote() << "D: [MMS-UI-BUBBLE] update MMS bubble " +
                                       QString::number(event.id());
    const bool directionChanged = event.direction() != m_event.direction();
    const bool contentChanged = !m_created || event != m_event;
    m_event = event;
    if (!m_created)
        createBubble();
    if (directionChanged)
        updateAlignment();
    if (contentChanged) {
        updateBubble();
    } else {
        // The same message: only its time may read differently by now.
        const QString status = statusText();
        if (m_timestampLabel->text() != status) {
            m_timestampLabel->setText(status);
            calculateSize();
        }
    }
    followPannableParent();
}

void MmsConversationBubble::followPannableParent()
{
    TkPannableViewport* viewport = nullptr;
    for (QWidget* ancestor = parentWidget(); ancestor && !viewport;
         ancestor = ancestor->parentWidget()) {
        viewport = qobject_cast<TkPannableViewport*>(ancestor);
    }
    if (!viewport) {
        qCWarning(lcBubble) << "[MMS-UI-BUBBLE] No pannable parent found for " << this;
        return;
    }
    if (m_followedViewport != viewport) {
        m_followedViewport = viewport;
        connect(viewport, &TkPannableViewport::positionChanged, this,
                &MmsConversationBubble::onPositionChanged);
    }
    if (viewport->isMoving())
        m_panningTimer.start();
    else
        QMetaObject::invokeMethod(this, &MmsConversationBubble::onPanningStopped,
                                  Qt::QueuedConnection);
}

void MmsConversationBubble::createBubble()
{
    connect(this, &ClickableBubble::clicked, this, &MmsConversationBubble::slotBubbleClicked);
    m_textLabel = newLabel(this, Qt::RichText);
    m_textLabel->setObjectName(QStringLiteral("mmsConversationTextAttachmentLabel"));
    m_textLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    m_textLabel->installEventFilter(this);
    m_timestampLabel = new QLabel(this);
    m_timestampLabel->setTextFormat(Qt::PlainText);
    m_timestampLabel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    m_icon = new MMSBubbleIcon(QString(), QString(), this);
    m_icon->setObjectName(QStringLiteral("mmsConversationAttachment"));
    setStyleNameIfChanged(m_icon, QStringLiteral("MMSConversationThumbnail"));
    m_icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_icon->hide();
    connect(this, &MmsConversationBubble::moving, m_icon, &MMSBubbleIcon::onMoving,
            Qt::QueuedConnection);

    m_innerColumnPolicy = new QVBoxLayout;
    m_innerColumnPolicy->setContentsMargins(0, 0, 0, 0);
    m_innerColumnPolicy->setSpacing(0);
    m_innerColumnPolicy->addWidget(m_timestampLabel);
    m_mainPolicy = new QHBoxLayout(this);
    m_mainPolicy->setSpacing(0);
    m_mainPolicy->addLayout(m_innerColumnPolicy);
    updateAlignment();
    m_created = true;
}

// The avatar and the two labels below serve few messages: each is made when
// a message first needs it, since every widget costs a polish by the theme.
AvatarWidget* MmsConversationBubble::avatar()
{
    if (!m_avatar) {
        m_avatar = new AvatarWidget(this);
        setStyleNameIfChanged(m_avatar, QStringLiteral("MMSConversationThumbnail"));
    }
    return m_avatar;
}

QLabel* MmsConversationBubble::defaultLabel()
{
    if (!m_defaultLabel) {
        m_defaultLabel = newLabel(this, Qt::PlainText);
        m_defaultLabel->setText(qtTrId("qtn_mms_default_mms"));
        updateAlignment();
    }
    return m_defaultLabel;
}

QLabel* MmsConversationBubble::notificationLabel()
{
    if (!m_notificationLabel) {
        m_notificationLabel = newLabel(this, Qt::RichText);
        setStyleNameIfChanged(m_notificationLabel, QStringLiteral("MMSBubbleNotification"));
        updateAlignment();
    }
    return m_notificationLabel;
}

void MmsConversationBubble::updateAlignment()
{
    m_incoming = m_event.direction() == Chronel::Event::Inbound;
    const QString side = m_incoming ? QStringLiteral("Incoming") : QStringLiteral("Outgoing");
    setStyleNameIfChanged(this, QStringLiteral("MMSConversationBubble") + side);
    setStyleNameIfChanged(m_textLabel, QStringLiteral("MMSBubbleSubject") + side);
    setStyleNameIfChanged(m_timestampLabel, QStringLiteral("MMSBubbleTimestamp") + side);
    const Qt::Alignment alignment =
        m_event.direction() == Chronel::Event::Outbound ? Qt::AlignLeft : Qt::AlignRight;
    m_textLabel->setAlignment(alignment | Qt::AlignAbsolute);
    m_timestampLabel->setAlignment(alignment);
    m_innerColumnPolicy->setAlignment(m_timestampLabel, alignment);
    if (m_notificationLabel)
        m_notificationLabel->setAlignment(alignment | Qt::AlignAbsolute);
    if (m_defaultLabel) {
        setStyleNameIfChanged(m_defaultLabel, QStringLiteral("MMSBubbleSubject") + side);
        m_defaultLabel->setAlignment(alignment);
    }
}

void MmsConversationBubble::resetContent()
{
    m_linksHighlighted = false;
    for (QWidget* widget :
         {static_cast<QWidget*>(m_icon), static_cast<QWidget*>(m_avatar),
          static_cast<QWidget*>(m_notificationLabel), static_cast<QWidget*>(m_defaultLabel),
          static_cast<QWidget*>(m_textLabel)}) {
        if (!widget)
            continue;
        widget->hide();
        m_mainPolicy->removeWidget(widget);
        m_innerColumnPolicy->removeWidget(widget);
    }
    m_iconShown = m_avatarShown = m_notificationShown = m_defaultLabelShown = false;
}

void MmsConversationBubble::updateBubble()
{
    resetContent();
    QString text;
    if (!m_event.subject().isEmpty())
        text = mmsui::utils::escapedText(m_event.subject());
    const QString status = statusText();
    if (m_timestampLabel->text() != status)
        m_timestampLabel->setText(status);
    setStyleNameIfChanged(m_timestampLabel, timestampStyle());
    if (m_event.contentLocation().isEmpty())
        showParts(text);
    else if (m_incoming)
        showNotification();
    showText(text);
    m_icon->enableSaveAsAction(m_incoming);
    calculateSize();
}

QString MmsConversationBubble::statusText() const
{
    const QString time = TimestampCache::instance()->timestamp(m_event.startTime());
    if (m_incoming)
        return time;
    const bool deliveryReport = m_event.reportDelivery();
    switch (m_event.status()) {
    case Chronel::Event::SendingStatus:
        return qtTrId("qtn_msg_general_sending");
    case Chronel::Event::SentStatus:
        return deliveryReport ? statusLine("qtn_mms_delivery_reports_pending", time) : time;
    case Chronel::Event::DeliveredStatus:
        if (m_event.readStatus() == Chronel::Event::ReadStatusRead)
            return statusLine("qtn_mms_read_report", time);
        if (m_event.readStatus() == Chronel::Event::ReadStatusDeleted)
            return statusLine("qtn_mms_deleted_wihout_reading", time);
        return deliveryReport ? statusLine("qtn_mms_delivery_reports_delivered", time) : time;
    case Chronel::Event::TemporarilyFailedStatus:
        return statusLine("qtn_msg_general_failed", time);
    case Chronel::Event::PermanentlyFailedStatus:
        return statusLine("qtn_mms_delivery_reports_failed", time);
    default:
        return time;
    }
}

QString MmsConversationBubble::timestampStyle() const
{
    if (m_incoming)
        return QStringLiteral("MMSBubbleTimestampIncoming");
    if (isFailedSend(m_event))
        return QStringLiteral("MMSBubbleTimestampOutgoingFailed");
    return QStringLiteral("MMSBubbleTimestampOutgoing");
}

// The first text and the first attachment of a fetched or sent message.
void MmsConversationBubble::showParts(QString& text)
{
    bool textFound = !text.isEmpty();
    QWidget* attachment = nullptr;
    const QList<Chronel::MessagePart> parts = m_event.messageParts();
    for (auto part = parts.cbegin(); part != parts.cend() && !(textFound && attachment); ++part) {
        const QString type = part->contentType();
        if (type == QLatin1String("application/smil"))
            continue;
        if (type.startsWith(QLatin1String("text/plain"))) {
            if (!textFound && !part->plainTextContent().trimmed().isEmpty()) {
                text = elidedText(part->plainTextContent());
                textFound = true;
            }
        } else if (!attachment && mmsui::utils::isContactCard(type)) {
            showContactCard(part->contentLocation());
            attachment = avatar();
        } else if (!attachment) {
            m_icon->setFileName(part->contentLocation());
            m_icon->setMimeType(type);
            attachment = m_icon;
        }
    }
    if (!attachment) {
        m_icon->setFileName(QString());
        m_icon->setMimeType(QString());
        attachment = m_icon;
    }
    placeAttachment(attachment);
}

QString MmsConversationBubble::elidedText(const QString& text) const
{
    QString shown = text;
    if (shown.size() > kElideLength) {
        const QFontMetricsF metrics(m_textLabel->font());
        shown = metrics.elidedText(shown.left(kElideInputLimit), Qt::ElideRight,
                                   kElideLength * metrics.averageCharWidth());
    }
    return mmsui::utils::escapedText(shown.remove(QLatin1Char('\r')));
}

// A card that cannot be read still shows the avatar, without a picture.
void MmsConversationBubble::showContactCard(const QString& fileName)
{
    const QSharedPointer<QtContacts::QContact> card =
        ContactCardFactory::getContactCardDetails(fileName, false);
    const QImage picture = card ? ContactThumbnail::image(*card) : QImage();
    if (!picture.isNull())
        avatar()->setPixmap(QPixmap::fromImage(picture));
    else if (card)
        avatar()->setContact(*card);
    else
        avatar()->setPixmap(QPixmap());
}

void MmsConversationBubble::placeAttachment(QWidget* attachment)
{
    if (m_incoming)
        m_mainPolicy->addWidget(attachment, 0, Qt::AlignTop);
    else
        m_mainPolicy->insertWidget(0, attachment, 0, Qt::AlignTop);
    attachment->show();
    m_iconShown = attachment == m_icon;
    m_avatarShown = attachment == m_avatar;
}

void MmsConversationBubble::showNotification()
{
    m_icon->setFileName(QString());
    m_icon->setMimeType(QString());
    placeAttachment(m_icon);
    QLabel* notification = notificationLabel();
    switch (m_event.status()) {
    case Chronel::Event::UnknownStatus:
        notification->setText(qtTrId("qtn_mms_download_start"));
        break;
    case Chronel::Event::TemporarilyFailedStatus:
    case Chronel::Event::PermanentlyFailedStatus:
        notification->setText(qtTrId("qtn_mms_conv_download_fail"));
        break;
    case Chronel::Event::DeliveredStatus:
        notification->setText(qtTrId("qtn_mms_conv_download_stopped"));
        break;
    default:
        break;
    }
    // Wrapping labels take the column's width and align their text themselves.
    m_innerColumnPolicy->insertWidget(0, notification);
    notification->show();
    m_notificationShown = true;
}

// The column reads: text or default caption, notification, status line.
void MmsConversationBubble::showText(const QString& text)
{
    QLabel* shown = m_textLabel;
    if (text.isEmpty()) {
        shown = defaultLabel();
        m_defaultLabelShown = true;
        m_innerColumnPolicy->insertWidget(0, shown, 0, m_incoming ? Qt::AlignRight : Qt::AlignLeft);
    } else {
        EmoticonUtils::setLabelText(m_textLabel, text);
        m_innerColumnPolicy->insertWidget(0, shown);
    }
    shown->show();
}

void MmsConversationBubble::calculateSize()
{
    ensurePolished();
    const QSizeF icon = m_iconShown     ? QSizeF(m_icon->sizeHint())
                        : m_avatarShown ? QSizeF(m_avatar->sizeHint())
                                        : QSizeF(0, 0);
    const qreal available = maximumBubbleWidth() - icon.width() - paddingLeft() - paddingRight();
    QSizeF size;
    if (m_defaultLabelShown) {
        m_defaultLabel->setMaximumWidth(qMax(0, int(available)));
        size = m_defaultLabel->sizeHint();
    } else {
        size = fittedSize(m_textLabel, available);
    }
    if (m_notificationShown) {
        const QSizeF notification = fittedSize(m_notificationLabel, available);
        size =
            QSizeF(qMax(size.width(), notification.width()), size.height() + notification.height());
    }
    const QSizeF status = m_timestampLabel->sizeHint();
    size = QSizeF(qMax(size.width(), status.width()), size.height() + status.height());
    size.setHeight(qMax(size.height(), icon.height()));
    m_height = size.height() + marginTop() + marginBottom() + paddingTop() + paddingBottom();
    m_width =
        paddingLeft() + icon.width() + paddingRight() + marginLeft() + marginRight() + size.width();
    m_mainPolicy->setContentsMargins(marginLeft() + paddingLeft(), marginTop() + paddingTop(),
                                     marginRight() + paddingRight(),
                                     marginBottom() + paddingBottom());
    updateGeometry();
    resize(sizeHint());
}

QSize MmsConversationBubble::sizeHint() const
{
    return QSize(qCeil(m_width), qCeil(m_height));
}

bool MmsConversationBubble::isContentForwardLocked() const
{
    return mmsui::utils::isContentForwardLocked(m_event.messageParts());
}

void MmsConversationBubble::onPositionChanged(QPointF)
{
    if (!m_moving) {
        m_moving = true;
        emit moving(true);
    }
    m_panningTimer.start();
}

void MmsConversationBubble::onPanningStopped()
{
    m_panningTimer.stop();
    m_moving = false;
    emit moving(false);
    if (!m_linksHighlighted && m_created && !m_defaultLabelShown) {
        TkContentHighlighter::highlight(m_textLabel);
        m_linksHighlighted = true;
    }
}

void MmsConversationBubble::slotBubbleClicked()
{
    qCDebug(lcBubble) << "[MMS-UI-BUBBLE] Bubble clicked" << m_event.id();
    if (m_event.direction() == Chronel::Event::Outbound && isFailedSend(m_event)) {
        emit resendMessage(m_event);
        return;
    }
    const auto* applicationWindow = qobject_cast<TkApplicationWindow*>(window());
    const auto* page =
        applicationWindow ? qobject_cast<BasePage*>(applicationWindow->currentPage()) : nullptr;
    if (page && page->pageManager())
        page->pageManager()->showViewerPage(new Chronel::SingleEventModel, m_event, true);
}

void MmsConversationBubble::slotOnDelete()
{
    m_idToDelete = m_event.id();
    showQuestion(qtTrId("qtn_comm_command_delete_dialog"), QString(),
                 SLOT(slotOnDeleteDialogFinished(int)));
}

void MmsConversationBubble::showQuestion(const QString& title, const QString& text,
                                         const char* finishedSlot)
{
    auto* question = new TkQueryDialog(title, text, this);
    question->setAttribute(Qt::WA_DeleteOnClose);
    connect(question, SIGNAL(finished(int)), this, finishedSlot, Qt::QueuedConnection);
    question->open();
}

void MmsConversationBubble::slotOnDeleteDialogFinished(int result)
{
    if (result != TkQueryDialog::Yes) {
        qCDebug(lcMms) << "[MMS] Message deletion rejected";
        m_idToDelete = 0;
        return;
    }
    // Deleting removes the bubble, and with it the question: the message
    // goes once the question is answered.
    if (!askOrSendDeletedUnreadReport())
        deleteRememberedEvent();
}

void MmsConversationBubble::deleteRememberedEvent()
{
    qCDebug(lcMms) << "[MMS] Delete message";
    if (!m_model)
        m_model = new Chronel::SingleEventModel(this);
    const int id = m_idToDelete;
    m_idToDelete = 0;
    if (id >= 1)
        m_model->deleteEvent(id);
}

bool MmsConversationBubble::askOrSendDeletedUnreadReport()
{
    const bool incoming = m_event.direction() == Chronel::Event::Inbound;
    if (!incoming || !m_event.reportReadRequested() || m_event.reportRead()) {
        qCDebug(lcMms).noquote() << "[MMS] Read report is not needed: " + trueFalse(incoming)
                                 << trueFalse(m_event.reportReadRequested())
                                 << trueFalse(m_event.reportRead());
        return false;
    }
    switch (MmsMainConfig().readReportMode) {
    case MmsMainConfig::READ_REPORT_PROMPT:
        m_reportRemoteUid = m_event.remoteUid();
        m_reportMmsId = m_event.mmsId();
        showQuestion(qtTrId("qtn_mms_allow_deleted_receipt"),
                     qtTrId("qtn_mms_allow_deleted_receipt_single"),
                     SLOT(slotReadReportDialogFinished(int)));
        return true;
    case MmsMainConfig::READ_REPORT_ALWAYS_SEND:
        qCDebug(lcMms) << "[MMS] Sending read report";
        sendDeletedUnreadReport(m_event.mmsId(), m_event.remoteUid());
        return false;
    default:
        qCDebug(lcMmsView) << "[MMS-VIEW] Read Report mode: do not send";
        qCDebug(lcMms) << "[MMS] Read report is not sent";
        return false;
    }
}

void MmsConversationBubble::sendDeletedUnreadReport(const QString& mmsId, const QString& remoteUid)
{
    if (!m_reportSender) {
        qCDebug(lcMms) << "[MMS] Creating readreporter";
        m_reportSender = new ReadReportSender(remoteUid, this);
    }
    m_reportSender->queueReport(mmsId, remoteUid, false);
    m_reportSender->sendReports();
}

void MmsConversationBubble::slotReadReportDialogFinished(int result)
{
    if (result == TkQueryDialog::Yes) {
        qCDebug(lcMms) << "[MMS] Sending read report";
        sendDeletedUnreadReport(m_reportMmsId, m_reportRemoteUid);
    } else {
        qCDebug(lcMms) << "[MMS] Read report is not sent";
    }
    m_reportRemoteUid.clear();
    m_reportMmsId.clear();
    deleteRememberedEvent();
}

void MmsConversationBubble::slotOnDeleteAll()
{
    emit deleteAllMessages();
}
