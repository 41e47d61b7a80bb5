// The demo host: a messaging application that loads the dravel plug-in and
// shows its pages.
#include "abstractpagemanager.h"
#include "contactgallerypage.h"
#include "conversationpage.h"
#include "democontent.h"
#include "democonversation.h"
#include "demoinbox.h"
#include "demojourney.h"
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
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "tkapplicationwindow.h"

namespace {

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

// The demo stops at a step it cannot take, saying which.
int stopAt(const QString& step, const QString& why)
{
    QTextStream(stderr) << "dravel-host: step " << step << " failed: " << why << '\n';
    return 1;
}

// The video encoding service, started by the session bus from its service file.
QString startVideoEncoder()
{
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (!bus) {
        return QDBusConnection::sessionBus().lastError().message();
    }
    const QDBusReply<void> started = bus->startService(QStringLiteral("com.quenda.VideoEncoding"));
    return started.isValid() ? QString() : started.error().message();
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
        QStringLiteral("Run the journey and show the other pages offscreen, saving a picture of "
                       "each step into the folder, then exit."),
        QStringLiteral("folder"));
    const QCommandLineOption interactiveOption(
        QStringLiteral("interactive"),
        QStringLiteral("Skip the journey: the pages are there to use from the start."));
    const QCommandLineOption mmscmOption(
        QStringLiteral("mmscm-program"),
        QStringLiteral("The MMS connection manager program to run (dravel-mmscm)."),
        QStringLiteral("file"), MmscmProcess::defaultProgram());
    options.addOption(pluginOption);
    options.addOption(screenshotOption);
    options.addOption(mmscmOption);
    options.addOption(interactiveOption);
    options.process(app);

    PluginHost host(options.value(pluginOption));
    if (!host.load()) {
        QTextStream(stderr) << "dravel-host: " << host.errorString() << '\n';
        return 1;
    }
    MessagingUIPluginInterface* plugin = host.plugin();
    const QStringList indexed = DemoContent::create();
    QTextStream(stdout) << "indexed " << indexed.size() << " demo files in the content index\n";
    const QString firstStep = QStringLiteral("01-home");
    if (!QDBusConnection::sessionBus().isConnected()) {
        return stopAt(firstStep, QStringLiteral("the session bus cannot be reached: ") +
                                     QDBusConnection::sessionBus().lastError().message());
    }
    MmscmProcess connectionManager(options.value(mmscmOption));
    // Slow enough to see the sent message go through its statuses.
    connectionManager.setStepInterval(700);
    if (!connectionManager.start()) {
        return stopAt(firstStep,
                      QStringLiteral("MMS connection manager: ") + connectionManager.errorString());
    }
    const QString encoderError = startVideoEncoder();
    if (!encoderError.isEmpty()) {
        return stopAt(firstStep, QStringLiteral("video encoding service: ") + encoderError);
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
    // The composer asks for the conversation of the message it sent.
    QObject::connect(&pageManager, &AbstractPageManager::conversationRequested, &pageManager,
                     [&](const QString& remoteUid) {
                         pageManager.showPage(new ConversationPage(
                             &pageManager, ConversationPage::groupOf(remoteUid)));
                     });
    // The received demo message in the plug-in's viewer, as the conversation opens it.
    const auto receivedMessage = [&] {
        return pageManager.createViewerPage(new Chronel::SingleEventModel, DemoInbox::message());
    };
    // The friend who sent the received message.
    const QString friendNumber = QStringLiteral("+358401234567");
    const auto newMessage = [&] {
        return plugin->createEditorPage(&pageManager, {}, QString(), QString(), {}, QString());
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

    if (options.isSet(interactiveOption)) {
        return app.exec();
    }
    ScreenshotTour tour(&pageManager, options.value(screenshotOption));
    DemoJourney journey(&pageManager, indexed.filter(QStringLiteral("camera")).value(0),
                        indexed.filter(QStringLiteral(".vcf")).value(0));
    journey.addTo(tour, home);
    tour.addStop(QStringLiteral("10-settings"), QStringLiteral("the MMS settings"), settingsPage);
    tour.addStop(QStringLiteral("11-image-widgets"), QStringLiteral("the image widgets"),
                 imageGallery);
    tour.addStop(QStringLiteral("12-contact-widgets"), QStringLiteral("the contact widgets"),
                 contactGallery);
    tour.addStop(
        QStringLiteral("13-conversation"),
        QStringLiteral("a conversation with a friend, oldest first"),
        [&] { return new ConversationPage(&pageManager, conversation, ConversationPage::Oldest); });
    tour.addStop(QStringLiteral("14-quick-send"), QStringLiteral("a photo shared to the friend"),
                 sharePhoto, showsQuickSend);
    tour.addStop(QStringLiteral("15-quick-send-sent"),
                 QStringLiteral("the quick-send widget sent it"), sendSharedPhoto, quickSendDone);
    const int failed = tour.run();
    // Offscreen the pictures are the outcome; on a display the person takes over.
    if (failed || options.isSet(screenshotOption)) {
        return failed;
    }
    return app.exec();
}
