#include "conversationpage.h"

#include "abstractpagemanager.h"
#include "historystore.h"
#include "messaginguiplugininterface.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include "tkpannableviewport.h"

ConversationPage::ConversationPage(AbstractPageManager* pageManager, int groupId, Position position)
    : BasePage(pageManager)
    , m_groupId(groupId)
    , m_position(position)
{
    setObjectName(QStringLiteral("hostConversationPage"));
    const QList<Chronel::Group> groups = Chronel::HistoryStore::instance()->groups();
    for (const Chronel::Group& group : groups) {
        if (group.id == groupId)
            setTitle(group.remoteUids.join(QStringLiteral(", ")));
    }
}

void ConversationPage::deleteConversation(AbstractPageManager* pageManager, int groupId)
{
    Chronel::HistoryStore* history = Chronel::HistoryStore::instance();
    for (const Chronel::Event& event : history->events(groupId))
        history->deleteEvent(event.id());
    if (pageManager && pageManager->plugin())
        pageManager->plugin()->notifyDeleteGroups({groupId});
}

int ConversationPage::groupOf(const QString& remoteUid)
{
    for (const Chronel::Group& group : Chronel::HistoryStore::instance()->groups()) {
        if (group.remoteUids.contains(remoteUid))
            return group.id;
    }
    return -1;
}

MessagingUIPluginInterface* ConversationPage::plugin() const
{
    return pageManager() ? pageManager()->plugin() : nullptr;
}

void ConversationPage::createContent()
{
    auto* content = new QWidget;
    m_column = new QVBoxLayout(content);
    m_column->setSpacing(12);
    m_column->addStretch(1);
    setCentralWidget(content);
    Chronel::HistoryStore* history = Chronel::HistoryStore::instance();
    for (const Chronel::Event& event : history->events(m_groupId))
        addBubble(event);
    connect(history, &Chronel::HistoryStore::eventsAdded, this,
            [this](const Chronel::EventList& events) {
                for (const Chronel::Event& event : events) {
                    if (event.groupId() == m_groupId)
                        addBubble(event);
                }
            });
    connect(history, &Chronel::HistoryStore::eventsUpdated, this, &ConversationPage::updateBubbles);
    connect(history, &Chronel::HistoryStore::eventDeleted, this, &ConversationPage::removeBubble);
    // The range grows as the bubbles are laid out and as messages arrive.
    if (m_position == Newest) {
        QScrollBar* bar = pannableViewport()->verticalScrollBar();
        connect(bar, &QScrollBar::rangeChanged, bar,
                [bar](int, int maximum) { bar->setValue(maximum); });
    }
}

// The bubble is updated once it is in the viewport, so that it follows the panning.
void ConversationPage::addBubble(const Chronel::Event& event)
{
    if (!plugin() || !plugin()->supportsMessageType(event.type()) || m_bubbles.contains(event.id()))
        return;
    QWidget* bubble = plugin()->createConversationBubbleItem(event);
    if (!bubble)
        return;
    // A sent message keeps to the left, a received one to the right.
    const Qt::Alignment side =
        event.direction() == Chronel::Event::Outbound ? Qt::AlignLeft : Qt::AlignRight;
    m_column->addWidget(bubble, 0, side);
    m_bubbles.insert(event.id(), bubble);
    connect(bubble, SIGNAL(deleteAllMessages()), this, SLOT(deleteThisConversation()));
    plugin()->updateConversationBubbleItem(bubble, event);
}

void ConversationPage::updateBubbles(const QList<Chronel::Event>& events)
{
    for (const Chronel::Event& event : events) {
        QWidget* bubble = m_bubbles.value(event.id());
        if (bubble && plugin())
            plugin()->updateConversationBubbleItem(bubble, event);
    }
}

void ConversationPage::removeBubble(int eventId)
{
    if (QWidget* bubble = m_bubbles.take(eventId))
        bubble->deleteLater();
}

void ConversationPage::deleteThisConversation()
{
    deleteConversation(pageManager(), m_groupId);
    if (pageManager())
        pageManager()->closePage(this);
}
