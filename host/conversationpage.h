#pragma once

#include "basepage.h"
#include "event.h"

#include <QHash>

class MessagingUIPluginInterface;
class QVBoxLayout;

// The host's conversation view: the messages of one conversation, oldest
// first, as the plug-in's bubbles in the page's pannable viewport. It follows
// the history store: added, changed and deleted messages show at once.
class ConversationPage : public BasePage
{
    Q_OBJECT
public:
    enum Position { Newest, Oldest };

    // Opens at the newest message, as conversations do, or at the oldest.
    ConversationPage(AbstractPageManager* pageManager, int groupId, Position position = Newest);

    // Deletes every message of the conversation and tells the plug-in, so
    // that unread messages get their reports.
    static void deleteConversation(AbstractPageManager* pageManager, int groupId);
    // The conversation with this remote party; -1 when there is none.
    static int groupOf(const QString& remoteUid);

    void createContent() override;

private slots:
    void deleteThisConversation();

private:
    MessagingUIPluginInterface* plugin() const;
    void addBubble(const Chronel::Event& event);
    void updateBubbles(const QList<Chronel::Event>& events);
    void removeBubble(int eventId);

    int m_groupId;
    Position m_position;
    QVBoxLayout* m_column = nullptr;
    QHash<int, QWidget*> m_bubbles;
};
