#pragma once

#include "event.h"
#include "messagingui.h"
#include "recipient.h"

#include <QObject>
#include <QPointer>

class BasePage;
class MessagingUIPluginInterface;
#include "tkapplicationwindow.h"

namespace Chronel {
class EventModel;
}

// The host's navigation: stacks pages on the application window and asks the
// message-type plug-in for the pages it makes. What lies outside the pages
// (conversation view, inbox, the plain-text editor) is announced by signals.
class AbstractPageManager : public QObject
{
    Q_OBJECT
public:
    explicit AbstractPageManager(TkApplicationWindow* window, QObject* parent = nullptr);

    TkApplicationWindow* applicationWindow() const { return m_window; }

    // The plug-in asked for viewer and editor pages; not owned.
    void setPlugin(MessagingUIPluginInterface* plugin) { m_plugin = plugin; }
    MessagingUIPluginInterface* plugin() const { return m_plugin; }

    // Puts the page on top of the window; the window owns it from now on.
    void showPage(BasePage* page);
    // Takes the page off the window and deletes it.
    void closePage(BasePage* page);
    BasePage* currentPage() const;

    // The plug-in's viewer for an event, not shown yet; it owns the model
    // (deleted here when there is no page).
    BasePage* createViewerPage(Chronel::EventModel* model, const Chronel::Event& event);
    // The viewer for an event; the page manager takes the model. `flag`: the
    // page was opened from the conversation view.
    virtual bool showViewerPage(Chronel::EventModel* model, const Chronel::Event& event, bool flag);
    virtual bool showEditorPage(const Chronel::Event& event, MessagingUI::OperationType operation);
    // A new editor page of a message type (the plug-in's for multimedia messages) for
    // recipients, subject, text and attachment references.
    virtual bool openNewEditorPage(Chronel::Event::EventType type, const QStringList& recipients,
                                   const QString& subject, const QString& text,
                                   const QStringList& references);
    // The editor of a message type with what the user wrote so far: the
    // host's own for text messages, the plug-in's for multimedia messages.
    // A vCard goes only into a multimedia message.
    virtual bool showMessageEditor(Chronel::Event::EventType type,
                                   const Tollis::RecipientList& recipients, const QString& text,
                                   const QString& vcardFileName, const QString& vcardLabel,
                                   int operation, const QStringList& files);

public slots:
    // A viewer's request for the host's editor of another message type
    // (its showMessageEditor signal): announced as messageEditorRequested.
    void requestMessageEditor(Chronel::Event::EventType type,
                              const Tollis::RecipientList& recipients, const QString& subject,
                              const QString& body, const QString& vcardFileName,
                              const QString& vcardLabel);

signals:
    // Announced before showMessageEditor() opens the editor.
    void messageEditorRequested(Chronel::Event::EventType type,
                                const Tollis::RecipientList& recipients, const QString& text,
                                const QString& vcardFileName, const QString& vcardLabel,
                                int operation, const QStringList& files);
    void conversationRequested(const QString& remoteUid);
    void inboxRequested(int accountId);

private:
    void followEditorRequests(BasePage* viewer);

    QPointer<TkApplicationWindow> m_window;
    MessagingUIPluginInterface* m_plugin = nullptr;
};
