#pragma once

#include "basepage.h"
#include "event.h"
#include "recipient.h"

class TkApplicationWindow;

// A page that composes a message.
class MessageEditorBasePage : public BasePage
{
    Q_OBJECT
public:
    explicit MessageEditorBasePage(AbstractPageManager* pageManager, QWidget* parent = nullptr);

    // Replaces this editor by the editor of another message type; this one
    // stays when that editor cannot open.
    void changeMessageEditor(Chronel::Event::EventType type,
                             const Tollis::RecipientList& recipients, const QString& text,
                             const QString& vcardFileName, const QString& vcardLabel, int operation,
                             const QStringList& files);
    // Shows the conversation with one remote party.
    void switchToConversation(TkApplicationWindow* window, const QString& remoteUid);
    // Shows the conversation list of an account (-1: all accounts).
    void switchToInbox(int accountId);
};
