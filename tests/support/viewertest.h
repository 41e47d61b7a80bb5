#pragma once

// Shared set-up of the viewer page tests: messages in the history store, the
// page on a window of the host's page manager, and what its slides show.
#include "abstractpagemanager.h"
#include "catalogue.h"
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
#include <QTextDocument>

// The host's navigation, recording the editors and viewers asked for.
class RecordingPageManager : public AbstractPageManager
{
public:
    using AbstractPageManager::AbstractPageManager;

    bool showEditorPage(const Chronel::Event& event, MessagingUI::OperationType operation) override
    {
        editorRequests << qMakePair(event.id(), int(operation));
        return true;
    }

    // A viewer asked for from outside a viewer page (a conversation bubble).
    bool showViewerPage(Chronel::EventModel* model, const Chronel::Event& event, bool) override
    {
        delete model;
        viewerRequests << event.id();
        return true;
    }

    QList<QPair<int, int>> editorRequests;
    QList<int> viewerRequests;
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

// What one slide shows: the file or text, " + " and the text beside it;
// empty for what is no slide (separators, the download view).
inline QString slideShown(const QWidget* slide)
{
    QString shown;
    if (const auto* file = slide->findChild<MMSImageWidget*>())
        shown = QFileInfo(file->filePath()).fileName();
    else if (const auto* card = slide->findChild<MmsContactCard*>())
        shown = QFileInfo(card->fileName()).fileName();
    else if (const auto* text = slide->findChild<QLabel*>("mmsViewerTextAttachmnet"))
        shown = plainText(text->text());
    const auto* caption = slide->findChild<CustomSelectableLabel*>("mmsViewerSlideText");
    return shown.isEmpty() || !caption ? shown
                                       : shown + " + " + plainText(caption->label()->text());
}

// The slides of a list in their laid-out order; the list holds them in parts.
inline QStringList slidesOf(const QWidget* list)
{
    QStringList slides;
    QLayout* layout = list->layout();
    for (int i = 0; layout && i < layout->count(); ++i) {
        const QWidget* item = layout->itemAt(i)->widget();
        if (item && item->objectName() == QLatin1String("mmsViewerSlideListPart")) {
            slides += slidesOf(item);
        } else if (item && !slideShown(item).isEmpty()) {
            slides << slideShown(item);
        }
    }
    return slides;
}

// The page's slides in their order.
inline QStringList shownSlides(const QWidget* page)
{
    const auto* list =
        page ? page->findChild<QWidget*>(QStringLiteral("mmsViewerSlidesContainer")) : nullptr;
    return list ? slidesOf(list) : QStringList();
}
