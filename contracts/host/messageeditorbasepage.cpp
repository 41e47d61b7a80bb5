#include "messageeditorbasepage.h"

#include "abstractpagemanager.h"

MessageEditorBasePage::MessageEditorBasePage(AbstractPageManager* pageManager, QWidget* parent)
    : BasePage(pageManager, parent)
{
}

void MessageEditorBasePage::changeMessageEditor(Chronel::Event::EventType type,
                                                const Tollis::RecipientList& recipients,
                                                const QString& text, const QString& vcardFileName,
                                                const QString& vcardLabel, int operation,
                                                const QStringList& files)
{
    AbstractPageManager* manager = pageManager();
    if (manager && manager->showMessageEditor(type, recipients, text, vcardFileName, vcardLabel,
                                              operation, files)) {
        manager->closePage(this);
    }
}

void MessageEditorBasePage::switchToConversation(TkApplicationWindow*, const QString& remoteUid)
{
    if (AbstractPageManager* manager = pageManager()) {
        emit manager->conversationRequested(remoteUid);
    }
}

void MessageEditorBasePage::switchToInbox(int accountId)
{
    if (AbstractPageManager* manager = pageManager()) {
        emit manager->inboxRequested(accountId);
    }
}
