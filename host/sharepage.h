#pragma once

#include "basepage.h"

class ConversationInput;

// A picture shared from the gallery to one contact: the conversation's input with the
// plug-in's quick-send widget, ready to send.
class SharePage : public BasePage
{
    Q_OBJECT
public:
    // `text` is what the user has typed already.
    SharePage(AbstractPageManager* pageManager, const QString& remoteUid, const QString& reference,
              const QString& text = QString());

    void createContent() override;

    // Null until the page first shows.
    ConversationInput* input() const { return m_input; }

private:
    QString m_remoteUid;
    QString m_reference;
    QString m_text;
    ConversationInput* m_input = nullptr;
};
