// The demo host: a messaging application that loads the dravel plug-in and
// shows its pages.
#include "abstractpagemanager.h"
#include "contactgallerypage.h"
#include "conversationpage.h"
#include "democontent.h"
#include "democonversation.h"
#include "demoinbox.h"
#include "gallerypage.h"
#include "homepage.h"
#include "messaginguiplugininterface.h"
#include "mmscmprocess.h"
#include "pluginhost.h"
#include "screenshottour.h"
#include "settingspage.h"
#include "sharepage.h"

#include "conversationinput.h"
#include "messagingtextedit.h"
#include "singleeventmodel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "tkapplicationwindow.h"

namespace {

// The viewer shows the download running.
bool showsDownloadProgress(BasePage* page)
{
    const auto* progress =
        page->findChild<QProgressBar*>(QStringLiteral("mmsViewerDownloadProgress"));
    return progress && progress->isVisible() && progress->value() > 0;
}

// The composer shows the two slides it was handed.
bool showsComposedSlides(BasePage* page)
{
    return page->findChildren<QWidget*>(QStringLiteral("mmsEditorAttachmentContainer")).size() == 2;
}

// The viewer shows the fetched message's slides.
bool showsSlides(BasePage* page)
{
    const auto* slide = page->findChild<QWidget*>(QStringLiteral("mmsViewerAttachmentThumbnail"));
    return slide && slide->isVisible();
}

// The quick-send widget shows the shared picture.
bool showsQuickSend(BasePage* page)
{
    const auto* thumbnail = page->findChild<QWidget*>(QStringLiteral("mmsConversationAttachment"));
    return thumbnail && thumbnail->isVisible();
}

// The quick-send widget has sent its message and is gone.
bool quickSendDone(BasePage* page)
{
    return !static_cast<SharePage*>(page)->input()->attachmentWidget();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("dravel-host"));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Loads the dravel plug-in and shows its pages."));
    options.addHelpOption();
    const QCommandLineOption pluginOption(QStringLiteral("plugin-file"),
                                          QStringLiteral("The plug-in file (libdravel.so)."),
                                          QStringLiteral("file"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshots"),
        QStringLiteral("Save a picture of every page into the folder, then exit."),
        QStringLiteral("folder"));
    const QCommandLineOption mmscmOption(
        QStringLiteral("mmscm-program"),
        QStringLiteral("The MMS connection manager program to run (dravel-mmscm)."),
        QStringLiteral("file"), MmscmProcess::defaultProgram());
    options.addOption(pluginOption);
    options.addOption(screenshotOption);
    options.addOption(mmscmOption);
    options.process(app);

    PluginHost host(options.value(pluginOption));
    if (!host.load()) {
        QTextStream(stderr) << "dravel-host: " << host.errorString() << '\n';
        return 1;
    }
    MessagingUIPluginInterface* plugin = host.plugin();
    const QStringList indexed = DemoContent::create();
    QTextStream(stdout) << "indexed " << indexed.size() << " demo files in the content index\n";
    MmscmProcess connectionManager(options.value(mmscmOption));
    if (!connectionManager.start()) {
        QTextStream(stderr) << "dravel-host: MMS connection manager: "
                            << connectionManager.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << DemoInbox::queue() << '\n';
    const int conversation = DemoConversation::create();

    TkApplicationWindow window;
    window.resize(480, 854);
    AbstractPageManager pageManager(&window);
    pageManager.setPlugin(plugin);

    const auto settingsPage = [&] { return new SettingsPage(&pageManager, plugin); };
    const auto imageGallery = [&] { return new GalleryPage(&pageManager); };
    const auto contactGallery = [&] { return new ContactGalleryPage(&pageManager); };
    // The received demo message in the plug-in's viewer, as the conversation opens it.
    const auto receivedMessage = [&] {
        return pageManager.createViewerPage(new Chronel::SingleEventModel, DemoInbox::message());
    };
    // The friend who sent the received message.
    const QString friendNumber = QStringLiteral("+358401234567");
    const auto newMessage = [&] {
        return plugin->createEditorPage(&pageManager, {}, QString(), QString(), {}, QString());
    };
    // A message being written: a picture, a contact card and text.
    const auto composedMessage = [&] {
        QStringList files;
        for (const QString& file :
             indexed.filter(QRegularExpression(QStringLiteral("\\.(jpg|vcf)$"))))
            files << QUrl::fromLocalFile(file).toString();
        const Tollis::RecipientList to{{{Tollis::RecipientAddress, friendNumber}}};
        return plugin->createEditorPage(&pageManager, to, QStringLiteral("Harbour"),
                                        QStringLiteral("Meet at the harbour at six :)"), files,
                                        QString());
    };
    // The demo photo shared to the friend who sent the received message.
    const QString sharedPhoto =
        QUrl::fromLocalFile(indexed.filter(QStringLiteral(".jpg")).value(0)).toString();
    const auto sharePhoto = [&] {
        return new SharePage(&pageManager, friendNumber, sharedPhoto, QStringLiteral("Hi"));
    };
    // The same, sent as soon as it shows.
    const auto sendSharedPhoto = [&] {
        SharePage* page = sharePhoto();
        QTimer::singleShot(0, page, [page] { page->input()->textEdit()->sendButton()->click(); });
        return page;
    };
    auto* home = new HomePage(&pageManager);
    home->addEntry(QStringLiteral("New message"), QStringLiteral("hostOpenNewMessage"), newMessage);
    home->addEntry(QStringLiteral("MMS settings"), QStringLiteral("hostOpenSettings"),
                   settingsPage);
    home->addEntry(QStringLiteral("Image widgets"), QStringLiteral("hostOpenGallery"),
                   imageGallery);
    home->addEntry(QStringLiteral("Contact widgets"), QStringLiteral("hostOpenContactGallery"),
                   contactGallery);
    home->addEntry(QStringLiteral("Received message"), QStringLiteral("hostOpenReceivedMessage"),
                   receivedMessage);
    home->addEntry(QStringLiteral("Share a picture"), QStringLiteral("hostOpenShare"), sharePhoto);

    window.show();
    pageManager.showPage(home);

    if (options.isSet(screenshotOption)) {
        ScreenshotTour tour(&pageManager, options.value(screenshotOption));
        tour.addStop(QStringLiteral("01-home"), [home] { return home; });
        tour.addStop(QStringLiteral("02-settings"), settingsPage);
        tour.addStop(QStringLiteral("03-image-widgets"), imageGallery);
        tour.addStop(QStringLiteral("04-contact-widgets"), contactGallery);
        tour.addStop(QStringLiteral("05-viewer-downloading"), receivedMessage,
                     showsDownloadProgress);
        tour.addStop(QStringLiteral("06-viewer-slides"), receivedMessage, showsSlides);
        tour.addStop(QStringLiteral("07-editor"), composedMessage, showsComposedSlides);
        tour.addStop(QStringLiteral("08-conversation-received"), [&] {
            return new ConversationPage(&pageManager, conversation, ConversationPage::Oldest);
        });
        tour.addStop(QStringLiteral("09-conversation-sent"),
                     [&] { return new ConversationPage(&pageManager, conversation); });
        tour.addStop(QStringLiteral("10-quick-send"), sharePhoto, showsQuickSend);
        tour.addStop(QStringLiteral("11-quick-send-sent"), sendSharedPhoto, quickSendDone);
        return tour.run() == 0 ? 0 : 1;
    }
    return app.exec();
}
