#pragma once

#include "messaginguiplugininterface.h"

#include <QObject>
#include <QPointer>

class ReadReportSender;

class MmsTimedBanner;

// The object the messaging application loads from libdravel: says which
// message types it serves and makes every MMS page and widget on request.
class MMSMessagingPlugin : public QObject, public MessagingUIPluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MessagingUIPluginInterface_iid)
    Q_INTERFACES(MessagingUIPluginInterface)
public:
    MMSMessagingPlugin();
    ~MMSMessagingPlugin() override;

    bool supportsMessageType(int type) const override;
    BasePage* createEditorPage(AbstractPageManager* pageManager,
                               const Tollis::RecipientList& recipients, const QString& subject,
                               const QString& body, const QStringList& files,
                               const QString& token) override;
    BasePage* createEditorPage(AbstractPageManager* pageManager, const Chronel::Event& event,
                               MessagingUI::OperationType operation) override;
    BasePage* createViewerPage(AbstractPageManager* pageManager, Chronel::EventModel* model,
                               const Chronel::Event& event) override;
    QWidget* createConversationBubbleItem(const Chronel::Event& event) override;
    void updateConversationBubbleItem(QWidget* widget, const Chronel::Event& event) override;
    QWidget* createSettingsWidget(QWidget* parent) override;
    void notifyDeleteGroups(const QList<int>& groupIds) override;
    MessageAttachmentWidget* createAttachmentWidget(AbstractPageManager* pageManager,
                                                    const QString& recipient,
                                                    MessagingTextEdit* textEdit,
                                                    const QString& reference,
                                                    bool& openFullEditor) override;

    // Makes the sender of deleted-unread reports on first use; true when there is one.
    bool ensureDownloader(const QString& remoteUid);

    // The stored message as the editor must open it for the operation: a
    // fresh copy from the history store (empty when it is gone), adjusted.
    static Chronel::Event eventForOperation(const Chronel::Event& event,
                                            MessagingUI::OperationType operation);
    // The stored event's state in the history store; an empty event when the
    // store no longer has it.
    static Chronel::Event fetchFreshCopy(const Chronel::Event& event);
    // "Re: Hello" from "Hello"; a subject that already starts with the
    // prefix, in any case, is kept.
    static QString prefixedSubject(const QString& subject, const QString& prefix);

public slots:
    // Sends the queued deleted-unread reports, or asks once for the whole batch.
    void sendDeleteReport();
    void slotReadReportDialogFinished(int result);

private:
    // Queues the reports of one deleted conversation (of all for -1);
    // `remoteUid` is the session's peer, the first sender found.
    void queueDeleteReports(int groupId, QString& remoteUid);

    // What the quick-send widget is made for, or why not (`errorId`, a banner text).
    MessageAttachmentWidget* attachmentWidgetFor(AbstractPageManager* pageManager,
                                                 const QString& recipient,
                                                 MessagingTextEdit* textEdit,
                                                 const QString& reference, bool& openFullEditor,
                                                 QString& errorId);
    void showBanner(AbstractPageManager* pageManager, const QString& text);

    QPointer<ReadReportSender> reportSender;
    // The quick-send decisions' banner, made on first use on the page manager's window.
    MmsTimedBanner* m_banner = nullptr;
};
