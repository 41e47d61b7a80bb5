#include "abstractpagemanager.h"

#include "basepage.h"
#include "eventmodel.h"
#include "host_debug.h"
#include "messaginguiplugininterface.h"
#include "textmessageeditorpage.h"

#include <QMetaMethod>

#include "tkapplicationwindow.h"

#include <QUrl>

AbstractPageManager::AbstractPageManager(TkApplicationWindow* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
}

void AbstractPageManager::showPage(BasePage* page)
{
    if (!page || !m_window) {
        return;
    }
    page->setPageManager(this);
    m_window->showPage(page);
}

void AbstractPageManager::closePage(BasePage* page)
{
    if (m_window) {
        m_window->dismissPage(page);
    }
}

BasePage* AbstractPageManager::currentPage() const
{
    return m_window ? qobject_cast<BasePage*>(m_window->currentPage()) : nullptr;
}

BasePage* AbstractPageManager::createViewerPage(Chronel::EventModel* model,
                                                const Chronel::Event& event)
{
    BasePage* page = m_plugin ? m_plugin->createViewerPage(this, model, event) : nullptr;
    if (!page) {
        qCWarning(lcHost) << "[HOST] no viewer for event" << event.id();
        delete model;
        return nullptr;
    }
    if (model) {
        model->setParent(page);
    }
    followEditorRequests(page);
    return page;
}

bool AbstractPageManager::showViewerPage(Chronel::EventModel* model, const Chronel::Event& event,
                                         bool)
{
    BasePage* page = createViewerPage(model, event);
    showPage(page);
    return page;
}

void AbstractPageManager::followEditorRequests(BasePage* viewer)
{
    const QByteArray signal = QMetaObject::normalizedSignature(
        "showMessageEditor(Chronel::Event::EventType,Tollis::RecipientList,QString,QString,"
        "QString,QString)");
    const int index = viewer->metaObject()->indexOfSignal(signal.constData());
    if (index < 0) {
        return;
    }
    const int slot = metaObject()->indexOfSlot(QMetaObject::normalizedSignature(
        "requestMessageEditor(Chronel::Event::EventType,Tollis::RecipientList,QString,QString,"
        "QString,QString)"));
    connect(viewer, viewer->metaObject()->method(index), this, metaObject()->method(slot));
}

void AbstractPageManager::requestMessageEditor(Chronel::Event::EventType type,
                                               const Tollis::RecipientList& recipients,
                                               const QString&, const QString& body,
                                               const QString& vcardFileName,
                                               const QString& vcardLabel)
{
    emit messageEditorRequested(type, recipients, body, vcardFileName, vcardLabel,
                                MessagingUI::NoOperation, {});
}

bool AbstractPageManager::showEditorPage(const Chronel::Event& event,
                                         MessagingUI::OperationType operation)
{
    BasePage* page = m_plugin ? m_plugin->createEditorPage(this, event, operation) : nullptr;
    if (!page) {
        qCWarning(lcHost) << "[HOST] no editor for event" << event.id() << "operation"
                          << int(operation);
        return false;
    }
    showPage(page);
    return true;
}

bool AbstractPageManager::openNewEditorPage(Chronel::Event::EventType type,
                                            const QStringList& recipients, const QString& subject,
                                            const QString& text, const QStringList& references)
{
    Tollis::RecipientList entries;
    for (const QString& address : recipients) {
        entries << Tollis::Recipient{{Tollis::RecipientAddress, address}};
    }
    BasePage* page =
        type == Chronel::Event::MMSEvent && m_plugin
            ? m_plugin->createEditorPage(this, entries, subject, text, references, QString())
            : nullptr;
    if (!page) {
        qCWarning(lcHost) << "[HOST] no editor of type" << int(type) << "for" << recipients;
        return false;
    }
    showPage(page);
    return true;
}

bool AbstractPageManager::showMessageEditor(Chronel::Event::EventType type,
                                            const Tollis::RecipientList& recipients,
                                            const QString& text, const QString& vcardFileName,
                                            const QString& vcardLabel, int operation,
                                            const QStringList& files)
{
    emit messageEditorRequested(type, recipients, text, vcardFileName, vcardLabel, operation,
                                files);
    BasePage* page = nullptr;
    if (type == Chronel::Event::SMSEvent && vcardFileName.isEmpty() && files.isEmpty()) {
        page = new TextMessageEditorPage(this, recipients, text);
    } else if (type == Chronel::Event::MMSEvent && m_plugin) {
        QStringList attachments = files;
        if (!vcardFileName.isEmpty()) {
            attachments.prepend(QUrl::fromLocalFile(vcardFileName).toString());
        }
        page =
            m_plugin->createEditorPage(this, recipients, QString(), text, attachments, QString());
    }
    if (!page) {
        qCWarning(lcHost) << "[HOST] no editor for message type" << int(type);
        return false;
    }
    showPage(page);
    return true;
}
