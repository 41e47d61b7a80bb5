#include "demojourney.h"

#include "abstractpagemanager.h"
#include "basepage.h"
#include "historystore.h"
#include "messaginguiplugininterface.h"
#include "mmscmnames.h"
#include "mmsmainconfig.h"
#include "screenshottour.h"
#include "singleeventmodel.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include "tkquerydialog.h"

namespace {

// The composer shows the photo and the card as two slides.
bool showsComposedSlides(BasePage* page)
{
    return page &&
           page->findChildren<QWidget*>(QStringLiteral("mmsEditorAttachmentContainer")).size() == 2;
}

// The conversation page shows at least `count` bubbles.
bool showsBubbles(BasePage* page, int count)
{
    if (!page || page->objectName() != QLatin1String("hostConversationPage")) {
        return false;
    }
    int shown = 0;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        shown += widget->inherits("MmsConversationBubble") && widget->isVisible();
    }
    return shown >= count;
}

bool showsDownloadProgress(BasePage* page)
{
    const auto* progress =
        page ? page->findChild<QProgressBar*>(QStringLiteral("mmsViewerDownloadProgress"))
             : nullptr;
    return progress && progress->isVisible() && progress->value() > 0;
}

bool showsSlides(BasePage* page)
{
    const auto* slide =
        page ? page->findChild<QWidget*>(QStringLiteral("mmsViewerAttachmentThumbnail")) : nullptr;
    return slide && slide->isVisible();
}

TkQueryDialog* shownQuestion()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TkQueryDialog*>(widget);
        if (dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

} // namespace

DemoJourney::DemoJourney(AbstractPageManager* pageManager, const QString& photo,
                         const QString& card)
    : m_pageManager(pageManager)
    , m_photo(photo)
    , m_card(card)
{
}

void DemoJourney::addTo(ScreenshotTour& tour, BasePage* home)
{
    tour.addStop(QStringLiteral("01-home"),
                 QStringLiteral("the MMS connection manager and the video encoding service run"),
                 [this, home] {
                     const QList<Chronel::Event> events =
                         Chronel::HistoryStore::instance()->events();
                     m_lastEarlierEvent = events.isEmpty() ? -1 : events.last().id();
                     return home;
                 });
    tour.addStop(
        QStringLiteral("02-composer"),
        QStringLiteral("a 12 MP camera photo, a contact card and text for the loopback "
                       "contact"),
        [this] { return composer(); }, showsComposedSlides);
    tour.addStep(
        QStringLiteral("03-sending"),
        QStringLiteral("the photo was resized and the message handed over: sending"),
        [this] { send(); },
        [this](BasePage* page) {
            return showsBubbles(page, 1) && newest(Chronel::Event::Outbound).isValid();
        });
    tour.addStep(QStringLiteral("04-delivered"),
                 QStringLiteral("the connection manager reported it sent, then delivered"), {},
                 [this](BasePage*) {
                     return sentMessageIs([](const Chronel::Event& event) {
                         return event.status() == Chronel::Event::DeliveredStatus;
                     });
                 });
    tour.addStep(QStringLiteral("05-notification"),
                 QStringLiteral("the loopback contact sent it back: a notification arrived"), {},
                 [this](BasePage* page) {
                     return showsBubbles(page, 2) && newest(Chronel::Event::Inbound).isValid();
                 });
    tour.addStop(
        QStringLiteral("06-downloading"), QStringLiteral("the viewer downloads it with progress"),
        [this] {
            return m_pageManager->createViewerPage(new Chronel::SingleEventModel,
                                                   newest(Chronel::Event::Inbound));
        },
        showsDownloadProgress);
    tour.addStep(QStringLiteral("07-slides"), QStringLiteral("the fetched slides show"), {},
                 showsSlides);
    tour.addStep(QStringLiteral("08-read-report-question"),
                 QStringLiteral("the viewer asks whether to send a read report"), {},
                 [](BasePage*) { return shownQuestion() != nullptr; });
    tour.addStep(
        QStringLiteral("09-read"),
        QStringLiteral("Yes: the read report turned the sent message to read"),
        [this] { answerReadReportQuestion(); },
        [this](BasePage* page) {
            return showsBubbles(page, 2) && sentMessageIs([](const Chronel::Event& event) {
                       return event.readStatus() == Chronel::Event::ReadStatusRead;
                   });
        });
}

// The recipient asks for delivery reports, and the viewer asks before a read report.
BasePage* DemoJourney::composer() const
{
    MmsMainConfig config;
    config.deliveryReport = true;
    config.readReportMode = MmsMainConfig::READ_REPORT_PROMPT;
    config.save();
    const Tollis::RecipientList to{{{Tollis::RecipientAddress, Mmscm::loopbackAddress}}};
    return m_pageManager->plugin()->createEditorPage(
        m_pageManager, to, QStringLiteral("Harbour"),
        QStringLiteral("Meet at the harbour at six :)"),
        {QUrl::fromLocalFile(m_photo).toString(), QUrl::fromLocalFile(m_card).toString()},
        QString());
}

// As the composer's send button does.
void DemoJourney::send()
{
    QMetaObject::invokeMethod(m_pageManager->currentPage(), "slotOnSend");
}

// Yes, and back to the conversation.
void DemoJourney::answerReadReportQuestion()
{
    if (TkQueryDialog* question = shownQuestion()) {
        question->yesButton()->click();
    }
    m_pageManager->closePage(m_pageManager->currentPage());
}

Chronel::Event DemoJourney::newest(Chronel::Event::EventDirection direction) const
{
    const QList<Chronel::Event> events = Chronel::HistoryStore::instance()->events();
    for (auto it = events.crbegin(); it != events.crend() && it->id() > m_lastEarlierEvent; ++it) {
        if (it->direction() == direction && it->remoteUid() == Mmscm::loopbackAddress) {
            return *it;
        }
    }
    return Chronel::Event();
}

bool DemoJourney::sentMessageIs(const std::function<bool(const Chronel::Event&)>& state) const
{
    const Chronel::Event sent = newest(Chronel::Event::Outbound);
    return sent.isValid() && state(sent);
}
