#pragma once

// Shared set-up of the viewer page tests: messages in the history store, the
// page on a window of the host's page manager, and what its slides show.
#include "abstractpagemanager.h"
#include "customselectablelabel.h"
#include "historystore.h"
#include "mmscontactcard.h"
#include "mmsimagewidget.h"
#include "mmsmainconfig.h"
#include "mmsviewerpage.h"
#include "singleeventmodel.h"
#include "tkapplicationwindow.h"
#include "tklocale.h"

#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPair>
#include <QTextDocument>

// The host's navigation, recording the editors that pages ask for.
class RecordingPageManager : public AbstractPageManager
{
public:
    using AbstractPageManager::AbstractPageManager;

    bool showEditorPage(const Chronel::Event& event, MessagingUI::OperationType operation) override
    {
        editorRequests << qMakePair(event.id(), int(operation));
        return true;
    }

    QList<QPair<int, int>> editorRequests;
};

// A portrait window with the page manager that shows viewer pages on it.
struct ViewerHost
{
    ViewerHost()
    {
        window.resize(480, 854);
        window.show();
    }

    // The page of a stored event, shown the way the host shows the plug-in's page.
    MmsViewerPage* open(const Chronel::Event& event)
    {
        auto* model = new Chronel::SingleEventModel;
        auto* page = new MmsViewerPage(&manager, model, event);
        model->setParent(page);
        manager.showPage(page);
        return page;
    }

    TkApplicationWindow window;
    RecordingPageManager manager{&window};
};

inline void installCatalogue()
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    TkLocale::setDefault(locale);
}

inline void setReadReportMode(int mode, bool deliveryReports = false)
{
    MmsMainConfig config;
    config.readReportMode = mode;
    config.deliveryReport = deliveryReports;
    config.save();
}

// A multimedia message from or to `remoteUid`, stored in the history.
inline Chronel::Event storedMessage(Chronel::Event::EventDirection direction,
                                    const QList<Chronel::MessagePart>& parts,
                                    const QString& remoteUid = QStringLiteral("+358401234567"))
{
    Chronel::Event event;
    event.setType(Chronel::Event::MMSEvent);
    event.setDirection(direction);
    event.setLocalUid(QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0"));
    event.setRemoteUid(remoteUid);
    event.setMessageParts(parts);
    event.setMmsId(QStringLiteral("mms-42"));
    event.setStartTime(QDateTime(QDate(2024, 5, 17), QTime(18, 5), Qt::UTC));
    Chronel::HistoryStore::instance()->addEvent(event);
    return event;
}

inline Chronel::Event storedEvent(int id)
{
    Chronel::Event event;
    Chronel::HistoryStore::instance()->getEvent(id, event);
    return event;
}

inline QString plainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

// The slides in their order, as the slide list lays them out (none while
// the spinner shows): the file or text each shows, " + " and the text
// beside it.
inline QStringList shownSlides(const QWidget* page)
{
    QStringList slides;
    const auto* container = page->findChild<QWidget*>(QStringLiteral("mmsViewerSlidesContainer"));
    QLayout* list = container ? container->layout() : nullptr;
    for (int i = 0; list && i < list->count(); ++i) {
        const QWidget* slide = list->itemAt(i)->widget();
        if (!slide) {
            continue;
        }
        QString shown;
        if (const auto* file = slide->findChild<MMSImageWidget*>()) {
            shown = QFileInfo(file->filePath()).fileName();
        } else if (const auto* card = slide->findChild<MmsContactCard*>()) {
            shown = QFileInfo(card->fileName()).fileName();
        } else if (const auto* text =
                       slide->findChild<QLabel*>(QStringLiteral("mmsViewerTextAttachmnet"))) {
            shown = plainText(text->text());
        } else {
            continue;
        }
        if (const auto* caption =
                slide->findChild<CustomSelectableLabel*>(QStringLiteral("mmsViewerSlideText"))) {
            shown += QStringLiteral(" + ") + plainText(caption->label()->text());
        }
        slides << shown;
    }
    return slides;
}
