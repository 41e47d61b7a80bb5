#pragma once

// Shared set-up of the editor page tests: the page on a window of the host's
// page manager, content in the content index, and what the page showed.
#include "abstractpagemanager.h"
#include "catalogue.h"
#include "contentindexer.h"
#include "freshdatafolder.h"
#include "mmseditorattachment.h"
#include "mmseditorpage.h"
#include "mmsmainconfig.h"
#include "qsparqlconnection.h"
#include "recipientsedit.h"
#include "tkapplicationwindow.h"
#include "tkbanner.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QUrl>

// The host's navigation, recording the text editors that pages ask for.
class EditorPageManager : public AbstractPageManager
{
public:
    using AbstractPageManager::AbstractPageManager;

    bool showMessageEditor(Chronel::Event::EventType type, const Tollis::RecipientList&,
                           const QString& text, const QString&, const QString&, int,
                           const QStringList&) override
    {
        textEditors << qMakePair(int(type), text);
        return false;
    }

    QList<QPair<int, QString>> textEditors;
};

// A portrait window on which editor pages are shown as the host shows them.
struct EditorHost
{
    EditorHost()
    {
        window.resize(480, 854);
        window.show();
    }

    MmsEditorPage* open(MmsEditorPage* page)
    {
        manager.showPage(page);
        return page;
    }

    MmsEditorPage* newMessage(const QString& body = QString(),
                              const Tollis::RecipientList& recipients = {})
    {
        return open(new MmsEditorPage(&manager, recipients, QString(), body, QString(), {}));
    }

    // The titles of the banners shown so far and still on screen.
    QStringList banners() const
    {
        QStringList titles;
        for (const TkBanner* banner : window.findChildren<TkBanner*>())
            titles << banner->title();
        return titles;
    }

    TkApplicationWindow window;
    EditorPageManager manager{&window};
};

// Recipients from addresses joined with ';'.
inline Tollis::RecipientList recipientsOf(const QString& addresses)
{
    Tollis::RecipientList list;
    for (const QString& address : addresses.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list << Tollis::RecipientsEdit::recipient(address);
    return list;
}

inline void setEditorConfig(int maxMessageSize, bool restrictedMode = false, bool ccBcc = true)
{
    MmsMainConfig config;
    config.maxMessageSize = maxMessageSize;
    config.restrictedMode = restrictedMode;
    config.ccBccEnabled = ccBcc;
    config.save();
}

// Files of every kind the picker offers, in the content index of this run.
class IndexedContent
{
public:
    IndexedContent()
        : m_connection(QStringLiteral("QTRACKER_DIRECT"))
        , m_folder(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
    {
        QDir().mkpath(m_folder);
    }

    ContentIndexer indexer() { return ContentIndexer(m_connection); }

    // A small picture of that colour; returns its content-index URI.
    QString addPicture(const QString& name, Qt::GlobalColor colour = Qt::blue)
    {
        QImage picture(32, 24, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = m_folder + QLatin1Char('/') + name;
        const QString mimeType = path.endsWith(".png") ? "image/png" : "image/jpeg";
        return picture.save(path) ? addFile(path, mimeType) : QString();
    }

    // A file that is not looked into (sound, video).
    QString addClip(const QString& name, const QString& mimeType)
    {
        const QString path = m_folder + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(2048, 'c')) != 2048)
            return QString();
        return addFile(path, mimeType);
    }

    QString addFile(const QString& path, const QString& mimeType)
    {
        return indexer().addFile(QUrl::fromLocalFile(path), mimeType,
                                 ContentIndexer::classesForMimeType(mimeType));
    }

    QString folder() const { return m_folder; }

private:
    QSparqlConnection m_connection;
    QString m_folder;
};

// The content-index URIs of the page's slides, in page order.
inline QStringList slideSources(const MmsEditorPage* page)
{
    QStringList sources;
    for (const MmsEditorAttachment* slide : page->attachmentList)
        sources << slide->sourceUri;
    return sources;
}
