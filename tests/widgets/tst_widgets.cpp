#include "avatarwidget.h"
#include "basepage.h"
#include "busserviceprocess.h"
#include "chatsessionmanager.h"
#include "clickablebubble.h"
#include "contactcardfiles.h"
#include "contactlistlabel.h"
#include "contactlocalid.h"
#include "contactmanagers.h"
#include "contactsgui.h"
#include "customedit.h"
#include "customselectablelabel.h"
#include "imagemedia.h"
#include "mmsattachmentwidget.h"
#include "mmsbubbleicon.h"
#include "mmscmprocess.h"
#include "mmscmtest.h"
#include "mmscontactcard.h"
#include "mmsconversationbubble.h"
#include "mmsimagewidget.h"
#include "testcontacts.h"
#include "thumbnailcreator.h"
#include "thumbnailer.h"
#include "timestampcache.h"
#include "tkbanner.h"
#include "tkcontentaction.h"
#include "tkquerydialog.h"
#include "tksaveasdialog.h"
#include "tkstyle.h"
#include "tktheme.h"
#include "viewertest.h"
#include "visiblewindow.h"
#include "widgettest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContactExtendedDetail>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTapAndHoldGesture>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

using Chronel::Event;
using Chronel::MessagePart;
Q_DECLARE_METATYPE(QList<Chronel::MessagePart>)
using namespace QtContacts;
namespace files = contactcardfiles;

namespace {

// Opens the widget's state to the test.
class AttachmentProbe : public MMSAttachmentWidget
{
public:
    using MMSAttachmentWidget::contentSize;
    using MMSAttachmentWidget::hasThumbnail;
    using MMSAttachmentWidget::MMSAttachmentWidget;
    using MMSAttachmentWidget::movie;
    using MMSAttachmentWidget::pixmap;
    using MMSAttachmentWidget::pressed;
    using MMSAttachmentWidget::previousPixmap;
    using MMSAttachmentWidget::savedFileName;
    using MMSAttachmentWidget::transition;
    using MMSAttachmentWidget::usesThumbnail;
};

// Whether the colour is near the expected one (smooth scaling blurs edges).
bool isNear(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) < 40 &&
           qAbs(actual.green() - expected.green()) < 40 &&
           qAbs(actual.blue() - expected.blue()) < 40 && actual.alpha() == 255;
}

// A style of the given preferred width and margins.
void applyStyle(MMSAttachmentWidget* widget, int preferredWidth, int margin = 0)
{
    widget->setPreferredSize(QSize(preferredWidth, preferredWidth));
    widget->setMarginLeft(margin);
    widget->setMarginRight(margin);
    widget->setMarginTop(margin);
    widget->setMarginBottom(margin);
    widget->ensurePolished();
}

// The save-as dialog the widget opens from its action.
TkSaveAsDialog* openSaveAs(MMSImageWidget* widget)
{
    widget->enableSaveAsAction(true);
    widget->findChild<QAction*>(QStringLiteral("mmsSaveAsAction"))->trigger();
    return widget->findChild<TkSaveAsDialog*>();
}

class BubbleProbe : public MMSBubbleIcon
{
public:
    using MMSBubbleIcon::contentSize;
    using MMSBubbleIcon::hasThumbnail;
    using MMSBubbleIcon::MMSBubbleIcon;
    using MMSBubbleIcon::pixmap;
};

// Collects the image widgets' "[MMS-UI]" lines about thumbnail requests.
QStringList& requestLines()
{
    static QStringList lines;
    return lines;
}

QtMessageHandler previousHandler = nullptr;

void recordRequests(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("[MMS-UI] Requesting icon") ||
        message.startsWith("[MMS-UI] Icon for file already exists")) {
        requestLines() << message;
    }
    previousHandler(type, context, message);
}

// Counts the presses that reach a child.
class PressCounter : public QLabel
{
public:
    using QLabel::QLabel;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        QLabel::mousePressEvent(event);
    }
};

void setNameOrder(const QVariant& order)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts");
    if (order.isValid())
        settings.setValue("nameOrder", order);
    else
        settings.remove("nameOrder");
}

QString shownName(const MmsContactCard& card)
{
    return card.findChild<QLabel*>("mmsContactCardName")->text();
}

QList<ContactsGui*> openCardViews()
{
    QList<ContactsGui*> views;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<ContactsGui*>(widget))
            views << view;
    }
    return views;
}

// The middle of the word in the label's coordinates, as laid out by the
// editor that the label turns into.
QPoint wordPosition(CustomSelectableLabel* label, const QString& word)
{
    label->switchToEdit();
    QTextCursor cursor(label->editor()->document());
    cursor.setPosition(label->editor()->toPlainText().indexOf(word) + word.size() / 2);
    const QPoint position =
        label->editor()->viewport()->mapTo(label, label->editor()->cursorRect(cursor).center());
    label->switchToLabel();
    return position;
}

// A long press, not an ordinary tap, on the given point of the label.
void longPress(CustomSelectableLabel* label, const QPoint& at)
{
    QWidget* target = label->childAt(at);
    QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(label, at));
}

const QString kRemote = QStringLiteral("+358401234567");
const QDateTime kTime(QDate(2024, 5, 17), QTime(18, 5), Qt::UTC);
const int kNoQuestion = -1;

MessagePart textPart(const QString& text)
{
    return MessagePart("<t.txt>", "text/plain;charset=utf-8", QString(), text);
}

MessagePart filePart(const QString& type, const QString& path)
{
    return MessagePart("<f>", type, path);
}

Event bubbleEvent(Event::EventDirection direction, const QList<MessagePart>& parts,
                  const QString& subject = QString())
{
    Event event;
    event.setType(Event::MMSEvent);
    event.setDirection(direction);
    event.setSubject(subject);
    event.setMessageParts(parts);
    event.setStartTime(kTime);
    return event;
}

QLabel* label(const QWidget* bubble, const char* styleName)
{
    for (QLabel* candidate : bubble->findChildren<QLabel*>()) {
        if (candidate->isVisibleTo(bubble) && tk::styleName(candidate) == styleName)
            return candidate;
    }
    return nullptr;
}

// The bubble's visible text in its column order, " / " between the lines.
QString shownText(const QWidget* bubble)
{
    QStringList lines;
    for (const char* style :
         {"MMSBubbleSubjectIncoming", "MMSBubbleSubjectOutgoing", "MMSBubbleNotification"}) {
        if (const QLabel* line = label(bubble, style))
            lines << plainText(line->text());
    }
    return lines.join(QStringLiteral(" / "));
}

// "icon:<file name>", "avatar:picture" or "avatar:none".
QString shownAttachment(const QWidget* bubble)
{
    const auto* icon = bubble->findChild<MMSBubbleIcon*>();
    if (icon->isVisibleTo(bubble))
        return QStringLiteral("icon:") + QFileInfo(icon->filePath()).fileName();
    const auto* avatar = bubble->findChild<AvatarWidget*>();
    return avatar->pixmap().isNull() ? QStringLiteral("avatar:none")
                                     : QStringLiteral("avatar:picture");
}

// The question on screen; answered ones linger until deleted.
const auto openQuestion = &visibleWindow<TkQueryDialog>;

// Shows the event as the conversation does, outside any scrolling view.
void update(MmsConversationBubble* bubble, const Event& event)
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No pannable parent found for"));
    bubble->updateEvent(event);
}

class ConversationPage : public BasePage
{
public:
    using BasePage::BasePage;
    void createContent() override {}
};

} // namespace

// The image, contact and conversation bubble widgets; contacts in the
// process-wide "memory" store, read reports recorded by the connection manager.
class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_picture = imagemedia::writePicture(m_dir.filePath("p.png"), 40, 40, Qt::red);
        TkContentAction::setLauncher([this](const QUrl& file) {
            m_opened.append(file);
            return true;
        });
        // Only the tests about private storage say otherwise.
        MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
        QTapAndHoldGesture::setTimeout(100);
        // The test's own configuration folder, never the user's.
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").endsWith(".home/.config"));
        m_manager = mmsui::utils::getContactManager();
        // Each contact's link as a resolved address shows it.
        const QList<std::tuple<QString, QContact, QString>> contacts{
            {"anna", testContact("Anna", "Berg", "+358401111111", "anna@example.com"), "Anna Berg"},
            {"carl", testContact("Carl", "Dahl", "+358402222222", "carl@example.com"), "Carl Dahl"},
            {"twin1", testContact("Ed", "Twin", "+358403333333"), ""},
            {"twin2", testContact("Ida", "Twin", "+358403333333"), ""},
            {"percent", testContact("50%1", "%2 off", "+358404444444"), "50%1 %2 off"},
            {"markup", testContact("<b>Eve", "&Co", "+358405555555"), "&lt;b&gt;Eve &amp;Co"},
        };
        for (auto [key, contact, shown] : contacts) {
            QVERIFY(m_manager->saveContact(&contact));
            m_links.insert(key, QString("<a href=\"%1\">%2</a>")
                                    .arg(ContactLocalId::fromContactId(contact.id()))
                                    .arg(shown));
        }
        forgetUserData();
        installCatalogue();
        m_control = newControl(this);
        QVERIFY((new MmscmProcess(QStringLiteral(MMSCM_PROGRAM), this))->start());
    }
    void cleanup()
    {
        m_opened.clear();
        setNameOrder(QVariant());
        qDeleteAll(openCardViews());
    }
    void cleanupTestCase()
    {
        if (previousHandler)
            qInstallMessageHandler(previousHandler);
    }

    void contentIsFourThirdsOfTheWidthInsideTheMargins()
    {
        AttachmentProbe widget(m_picture, "image/png", 0, false);
        applyStyle(&widget, 330, 15);
        QCOMPARE(QList<QSize>({widget.contentSize, widget.pixmap.size(), widget.sizeHint(),
                               widget.minimumSizeHint()}),
                 QList<QSize>({{300, 225}, {300, 225}, {330, 255}, {330, 255}}));
        QCOMPARE(colours(widget.pixmap.toImage(), {{0, 0}}), QStringList("none")); // rounded corner
    }

    void gifAnimatesOnlyWithSeveralFramesAndWhenAsked_data()
    {
        columns<int, bool, QString, bool>({"frames", "animate", "mimeType", "animated"});
        QTest::addRow("two frames") << 2 << true << "image/gif" << true;
        QTest::addRow("upper-case type") << 2 << true << "image/GIF" << true;
        QTest::addRow("not asked to animate") << 2 << false << "image/gif" << false;
        QTest::addRow("one frame") << 1 << true << "image/gif" << false;
        QTest::addRow("not said to be a GIF") << 2 << true << "image/png" << false;
    }
    void gifAnimatesOnlyWithSeveralFramesAndWhenAsked()
    {
        QFETCH(int, frames);
        QFETCH(bool, animate);
        QFETCH(QString, mimeType);
        QFETCH(bool, animated);
        const QString file =
            imagemedia::writeGif(m_dir.filePath(QString("%1.gif").arg(frames)), frames);
        AttachmentProbe widget(file, mimeType, 0, animate);
        applyStyle(&widget, 200);
        QCOMPARE(!widget.movie.isNull(), animated);
        if (animated) {
            QVERIFY(widget.movie->state() == QMovie::Running && widget.pixmap.isNull());
            // A frame of 1 x 1 pixel sits in the middle of the 200 x 150 content.
            widget.resize(widget.sizeHint());
            const QStringList shown = colours(widget.grab().toImage(), {{99, 74}, {50, 50}});
            QVERIFY2(QStringList({"#ff0000", "#0000ff"}).contains(shown.first()) &&
                         !QStringList({"#ff0000", "#0000ff"}).contains(shown.last()),
                     qPrintable(shown.join(' ')));
        } else {
            // Shown as a still picture: the first frame's red pixel in the middle.
            QVERIFY(!widget.isLoadFailed());
            QCOMPARE(colours(widget.pixmap.toImage(), {{99, 74}, {50, 50}}),
                     QStringList({"#ff0000", "#ffffff"}));
        }
    }

    void rotatedPictureIsReadAtTheTurnedSize_data()
    {
        columns<int, QPoint, QPoint, QPoint>({"rotation", "green", "red", "blue"});
        // The content is 300 x 225; the 800 x 1200 picture is read at 225 x 337
        // when turned, so its whole green stripe (a tenth of its width) shows.
        QTest::addRow("none") << 0 << QPoint(5, 112) << QPoint(100, 112) << QPoint(250, 112);
        QTest::addRow("right") << 90 << QPoint(150, 5) << QPoint(150, 60) << QPoint(150, 180);
        QTest::addRow("left") << 270 << QPoint(150, 219) << QPoint(150, 160) << QPoint(150, 40);
        QTest::addRow("left, Exif")
            << -90 << QPoint(150, 219) << QPoint(150, 160) << QPoint(150, 40);
    }
    void rotatedPictureIsReadAtTheTurnedSize()
    {
        QFETCH(int, rotation);
        QFETCH(QPoint, green);
        QFETCH(QPoint, red);
        QFETCH(QPoint, blue);
        const QString file = imagemedia::writeStripedPicture(m_dir.filePath("tall.png"), 800, 1200);
        AttachmentProbe widget(file, "image/png", rotation, true);
        applyStyle(&widget, 300);
        QVERIFY(!widget.isLoadFailed());
        const QList<QPair<QPoint, QColor>> expected{
            {green, Qt::green}, {red, Qt::red}, {blue, Qt::blue}};
        for (const auto& [at, colour] : expected)
            QVERIFY2(isNear(widget.pixmap.toImage().pixelColor(at), colour),
                     qPrintable(colour.name()));
    }

    // The 64 x 64 type icon, centred in the 300 x 225 content, or nothing.
    void typeIconInTheFrame_data()
    {
        columns<QString, QString, bool, bool>({"name", "mimeType", "defaultIcon", "shown"});
        QTest::addRow("unreadable picture") << QString("broken.png") << "image/png" << true << true;
        QTest::addRow("other file") << QString("clip.3gp") << "video/3gpp" << true << true;
        QTest::addRow("other file, told not to")
            << QString("clip.3gp") << "video/3gpp" << false << false;
    }
    void typeIconInTheFrame()
    {
        QFETCH(QString, name);
        QFETCH(QString, mimeType);
        QFETCH(bool, defaultIcon);
        QFETCH(bool, shown);
        const bool picture = mimeType.startsWith("image/");
        const QString file = imagemedia::writeBytes(m_dir.filePath(name), "not a picture");
        AttachmentProbe widget(file, mimeType, picture ? 90 : 0, !picture);
        widget.setDisplayDefaultIcon(defaultIcon);
        if (picture)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^\\[MMS-IMAGE\\] Failed to read image  .+"));
        applyStyle(&widget, 300);
        QCOMPARE(widget.isLoadFailed(), picture);
        const QImage icon = widget.pixmapForMime().toImage();
        QCOMPARE(icon.size(), QSize(64, 64));
        QCOMPARE(colours(widget.pixmap.toImage(), {{150, 100}, {128, 130}}),
                 shown ? colours(icon, {{32, 20}, {10, 50}}) : QStringList({"#ffffff", "#ffffff"}));
    }

    void textPreviewTakesTheFirstCharacters_data()
    {
        columns<QByteArray, QString>({"content", "preview"});
        const QString a300(300, 'a');
        const QString umlauts300(300, QChar(0xe4));
        const QString clefs300 = QString::fromUtf8("\xf0\x9d\x84\x9e").repeated(300);
        QTest::addRow("short") << QByteArray("Hello\nthere") << "Hello\nthere";
        QTest::addRow("ascii") << (a300 + "bbb").toUtf8() << a300;
        QTest::addRow("two-byte characters") << (umlauts300 + "xyz").toUtf8() << umlauts300;
        QTest::addRow("beyond 16 bits") << (clefs300 + clefs300).toUtf8() << clefs300;
        QTest::addRow("empty") << QByteArray() << "";
    }
    void textPreviewTakesTheFirstCharacters()
    {
        QFETCH(QByteArray, content);
        const QString file = imagemedia::writeBytes(m_dir.filePath("note.txt"), content);
        QTEST(MMSAttachmentWidget::textPreview(file), "preview");
        QVERIFY(!MMSAttachmentWidget::textPreview(file).isNull());
        QVERIFY(MMSAttachmentWidget::textPreview(file + ".gone").isNull());
    }

    void mimeIconsById_data()
    {
        columns<QString, QString>({"mimeType", "iconId"});
        QTest::addRow("none") << QString() << "icon-m-content-mms";
        QTest::addRow("image") << QString("image/jpeg") << "icon-m-content-image";
        // The prefix is case-sensitive.
        QTest::addRow("Image") << QString("Image/jpeg") << "icon-m-content-file-unknown";
    }
    void mimeIconsById()
    {
        QFETCH(QString, mimeType);
        QFETCH(QString, iconId);
        QVERIFY(TkTheme::hasImage(iconId));
        MMSImageWidget widget("/tmp/any", mimeType);
        QCOMPARE(widget.pixmapForMime(QSize(48, 48)).toImage(),
                 TkTheme::pixmap(iconId, QSize(48, 48)).toImage());
    }

    // Save-as is offered once, when enabled, for files outside private storage.
    void saveAsOffered_data()
    {
        columns<bool, bool, bool>({"privateStorage", "enable", "offered"});
        QTest::addRow("ordinary file") << false << true << true;
        QTest::addRow("private storage") << true << true << false;
        QTest::addRow("disabled") << false << false << false;
    }
    void saveAsOffered()
    {
        QFETCH(bool, privateStorage);
        QFETCH(bool, enable);
        QFETCH(bool, offered);
        QStringList asked;
        MMSImageWidget::setPrivateStorageCheck([&](const QString& path) {
            asked << path;
            return privateStorage;
        });
        MMSImageWidget widget(m_picture, "image/png");
        auto* action = widget.findChild<QAction*>(QStringLiteral("mmsSaveAsAction"));
        QCOMPARE(action->text(), qtTrId("qtn_comm_content_save_as"));
        QVERIFY(widget.actions().isEmpty());
        widget.enableSaveAsAction(true);
        widget.enableSaveAsAction(true);
        widget.enableSaveAsAction(enable);
        QCOMPARE(widget.actions(), offered ? QList<QAction*>{action} : QList<QAction*>());
        QCOMPARE(asked.last(), m_picture);
        MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    }

    // The dialog is filled from the file, its folder chosen by type; part files
    // of a message folder are read-only, a saved copy must not be.
    void saveAs_data()
    {
        columns<QString, int, bool>({"mimeType", "location", "accept"});
        const auto row = [](const char* tag, const char* type, QStandardPaths::StandardLocation at,
                            bool accept) { QTest::addRow("%s", tag) << type << int(at) << accept; };
        row("picture, saved", "image/png", QStandardPaths::PicturesLocation, true);
        row("video, cancelled", "video/mp4", QStandardPaths::MoviesLocation, false);
        row("sound", "audio/amr", QStandardPaths::MusicLocation, false);
        row("other", "text/plain", QStandardPaths::DocumentsLocation, false);
    }
    void saveAs()
    {
        QFETCH(QString, mimeType);
        QFETCH(int, location);
        QFETCH(bool, accept);
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::StandardLocation(location));
        const QString file = m_dir.filePath("holiday.trip.png");
        QFile::remove(file);
        imagemedia::writePicture(file, 8, 8, Qt::red);
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        AttachmentProbe widget(file, mimeType, 0, false);
        widget.savedFileName = QStringLiteral("left over");
        widget.enableSaveAsAction(true); // enabled twice, still one dialog
        QPointer<TkSaveAsDialog> dialog = openSaveAs(&widget);
        QCOMPARE(widget.findChildren<TkSaveAsDialog*>().size(), 1);
        QCOMPARE(QStringList({dialog->mimeType(), dialog->fileNameEdit()->text(),
                              dialog->defaultExtension(), dialog->sourcePath(),
                              dialog->destinationFolder(), QString::number(dialog->contentSize())}),
                 QStringList({mimeType, "holiday.trip", "png", file, folder,
                              QString::number(QFileInfo(file).size())}));
        dialog->fileNameEdit()->setText(QStringLiteral("kept"));
        (accept ? dialog->saveButton() : dialog->cancelButton())->click();
        QTRY_VERIFY(dialog.isNull());
        const QString saved = folder + "/kept.png";
        QCOMPARE(widget.savedFileName, accept ? saved : QString());
        QCOMPARE(QFile::exists(saved), accept);
        if (!accept)
            return;
        // The copy is the user's to change: 0644, whatever the part file's mode.
        const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
        QCOMPARE(QFile::permissions(saved) & ~user,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(QFile::remove(saved));
    }

    // The dialog was accepted but not yet destroyed when the page closed.
    void saveFinishesWhenTheWidgetGoesFirst()
    {
        const QString file = imagemedia::writePicture(m_dir.filePath("early.png"), 8, 8, Qt::red);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        auto* widget = new MMSImageWidget(file, "image/png");
        TkSaveAsDialog* dialog = openSaveAs(widget);
        dialog->fileNameEdit()->setText("early");
        dialog->accept();
        delete widget;
        const QString saved =
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/early.png";
        QVERIFY(QFile::permissions(saved).testFlag(QFile::WriteOwner));
        QVERIFY(QFile::remove(saved));
    }

    // A tap opens the file; a press that clicks are disabled for, or that the
    // touch cancels, opens nothing; a file nothing can view brings a banner.
    void tap_data()
    {
        columns<bool, bool, bool>({"clickable", "cancel", "viewable"});
        QTest::addRow("tap") << true << false << true;
        QTest::addRow("clicks disabled") << false << false << true;
        QTest::addRow("touch cancelled") << true << true << true;
        QTest::addRow("no viewer") << true << false << false;
    }
    void tap()
    {
        QFETCH(bool, clickable);
        QFETCH(bool, cancel);
        QFETCH(bool, viewable);
        const QString file = viewable ? m_picture : m_dir.filePath("vanished.png");
        QWidget window;
        auto* widget = new AttachmentProbe(file, "image/png", 0, false);
        widget->setParent(&window);
        widget->enableClickAction(clickable);
        widget->resize(50, 50);
        QTest::mousePress(widget, Qt::LeftButton);
        QCOMPARE(widget->pressed, clickable);
        QEvent cancelled(QEvent::TouchCancel);
        if (cancel)
            QApplication::sendEvent(widget, &cancelled);
        const bool opens = clickable && !cancel;
        if (!viewable)
            QTest::ignoreMessage(
                QtWarningMsg,
                qPrintable(
                    QString("[MMS-UI] Don't know how to view \"%1\" \"image/png\"").arg(file)));
        QTest::mouseRelease(widget, Qt::LeftButton);
        QVERIFY(!widget->pressed);
        QCOMPARE(m_opened,
                 opens && viewable ? QList<QUrl>{QUrl::fromLocalFile(file)} : QList<QUrl>());
        const auto* banner = window.findChild<TkBanner*>();
        QCOMPARE(banner ? banner->title() : QString(),
                 viewable ? QString() : qtTrId("qtn_mms_info_file_not_supported"));
    }

    // A press shows the bubble pressed; a release inside taps it, one slid away cancels.
    void bubbleTap_data()
    {
        columns<bool, QPoint, int>({"onWatchedChild", "releaseAt", "clicks"});
        QTest::addRow("inside") << false << QPoint(150, 30) << 1;
        QTest::addRow("slid away") << false << QPoint(250, 30) << 0;
        QTest::addRow("watched child") << true << QPoint(20, 20) << 1;
    }
    void bubbleTap()
    {
        QFETCH(bool, onWatchedChild);
        QFETCH(QPoint, releaseAt);
        ClickableBubble bubble;
        bubble.resize(200, 60);
        auto* child = new PressCounter(QStringLiteral("child"), &bubble);
        child->setGeometry(10, 10, 40, 40);
        if (onWatchedChild)
            child->installEventFilter(&bubble);
        QWidget* target = onWatchedChild ? static_cast<QWidget*>(child) : &bubble;
        QSignalSpy clicked(&bubble, &ClickableBubble::clicked);
        QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(&bubble, QPoint(20, 20)));
        QCOMPARE(tk::styleMode(&bubble), QStringLiteral("pressed"));
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(&bubble, releaseAt));
        QTEST(clicked.count(), "clicks");
        QCOMPARE(tk::styleMode(&bubble), QString());
        QCOMPARE(child->presses, 0);
        child->removeEventFilter(&bubble); // an unwatched child keeps its events
        QTest::mouseClick(child, Qt::LeftButton);
        QCOMPARE(child->presses, 1);
    }

    // Addresses turn into links to the one stored contact that owns them.
    void resolving_data()
    {
        columns<QString, QString>({"addresses", "expected"});
        const auto row = [](const char* tag, const char* addresses, const char* expected) {
            QTest::addRow("%s", tag) << addresses << expected;
        };
        row("every address resolved", "+358401111111; carl@example.com", "{anna}; {carl}");
        row("two contacts share the number, the next is tried", "+358403333333; anna@example.com",
            "+358403333333; {anna}");
        row("unknown address after a resolved one", "+358401111111; nobody@example.com",
            "{anna}; nobody@example.com");
        row("e-mail matches exactly only", "ANNA@example.com.org", "ANNA@example.com.org");
        row("percent signs in names stay literal", "+358404444444", "{percent}");
        row("markup in names is shown as text", "+358405555555", "{markup}");
        row("empty list", "", "");
    }
    void resolving()
    {
        QFETCH(QString, addresses);
        QFETCH(QString, expected);
        const QStringList list = addresses.isEmpty() ? QStringList() : addresses.split("; ");
        ContactListLabel label;
        label.setAddressList(list);
        QCOMPARE(label.text(), addresses);
        QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
        label.startContactResolving();
        QVERIFY(resolved.count() == 1 || (!list.isEmpty() && resolved.wait()));
        // Late answers would show up as further signals once events run.
        QCoreApplication::processEvents();
        QCOMPARE(QStringList({QString::number(resolved.count()), label.text(),
                              label.addressList().join("; ")}),
                 QStringList({"1", linked(expected), linked(expected)}));
    }

    void originalStoreIdIsTheLinkTarget()
    {
        QContact aggregate = testContact("Olga", "Ek", "+358406666666");
        QContactExtendedDetail original;
        original.setName("OriginalContactId");
        original.setData(QVariantMap{{"OriginalContactIdField", 4242}});
        aggregate.saveDetail(&original);
        QVERIFY(m_manager->saveContact(&aggregate));
        ContactListLabel label;
        label.setAddressList({"+358406666666"});
        QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
        label.startContactResolving();
        QVERIFY(resolved.count() == 1 || resolved.wait());
        QCOMPARE(label.text(), QStringLiteral("<a href=\"4242\">Olga Ek</a>"));
        QVERIFY(m_manager->removeContact(aggregate.id()));
    }

    // A new list drops the running search; labels chained on the signal resolve in turn.
    void searchesFollowOneAnother()
    {
        ContactListLabel to;
        ContactListLabel cc;
        to.setAddressList({"+358402222222"});
        to.startContactResolving();
        to.setAddressList({"+358401111111"});
        cc.setAddressList({"nobody@example.com", "carl@example.com"});
        connect(&to, &ContactListLabel::contactsResolved, &cc,
                &ContactListLabel::startContactResolving);
        QSignalSpy ccResolved(&cc, &ContactListLabel::contactsResolved);
        to.startContactResolving();
        QVERIFY(ccResolved.wait());
        QCOMPARE(to.text(), linked("{anna}"));
        QCOMPARE(cc.text(), linked("nobody@example.com; {carl}"));
    }

    // Message text shows as a label and as the read-only editor it turns into;
    // emoticons are pictures in both.
    void selectableText_data()
    {
        columns<QString, QString>({"text", "inLabel"});
        QTest::addRow("line feed") << QString("first\nsecond") << "first<br>second";
        QTest::addRow("markup") << QString("<b>bold</b> & <br>") << "&lt;b&gt;bold&lt;/b&gt; &amp;";
        QTest::addRow("emoticon") << QString("hi :-)") << "<img";
    }
    void selectableText()
    {
        QFETCH(QString, text);
        QFETCH(QString, inLabel);
        CustomSelectableLabel label(text);
        showLarge(&label);
        QVERIFY(label.label()->text().contains(inLabel));
        QTextDocument* document = label.editor()->document();
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        if (inLabel == "<img")
            QVERIFY(end.charFormat().isImageFormat());
        else
            QCOMPARE(document->toPlainText(), text);
        document->adjustSize();
        CustomEdit* editor = label.editor();
        editor->selectAll();
        editor->copy();
        editor->setTextCursor(QTextCursor(document));
        editor->copy();
        if (text.contains('\n'))
            QCOMPARE(document->firstBlock().layout()->lineCount(), 2);
        // A copy gives the text as it came, emoticons as text; one without a selection leaves
        // the clipboard alone.
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

    // A long press on a word selects it in the editor; the end of the selection
    // returns to the label.
    void longPressOnWord()
    {
        CustomSelectableLabel label(QStringLiteral("Hello wide world"));
        showLarge(&label);
        longPress(&label, wordPosition(&label, QStringLiteral("wide")));
        QTRY_COMPARE(label.editor()->textCursor().selectedText(), QStringLiteral("wide"));
        const auto shown = [&] {
            return QPair(label.label()->isVisible(), label.editor()->isVisible());
        };
        QCOMPARE(shown(), QPair(false, true));
        QTextCursor cursor = label.editor()->textCursor();
        cursor.clearSelection();
        label.editor()->setTextCursor(cursor);
        QCOMPARE(shown(), QPair(true, false));
    }

    void longPressOnEmptySpaceReturnsToLabel()
    {
        CustomSelectableLabel label(QStringLiteral("Hello wide world"));
        showLarge(&label);
        int editorShown = 0;
        struct ShowFilter : QObject
        {
            int* count;
            bool eventFilter(QObject*, QEvent* event) override
            {
                *count += event->type() == QEvent::Show;
                return false;
            }
        } filter;
        filter.count = &editorShown;
        label.editor()->installEventFilter(&filter);
        longPress(&label, QPoint(200, 280));
        QTRY_VERIFY(editorShown == 1 && !label.isEditMode());
        QVERIFY(!label.editor()->textCursor().hasSelection() && label.label()->isVisible());
    }

    // The card's name by the contacts application's name order and the fallbacks.
    void cardName_data()
    {
        columns<QVariant, QStringList, QString>({"nameOrder", "lines", "expected"});
        const QStringList anna{"N:Berg;Anna;;;", "FN:Anna B.", "NICKNAME:Annie"};
        const QVariant firstLast("first-last");
        QTest::addRow("first-last") << firstLast << anna << "Anna Berg";
        QTest::addRow("last-first") << QVariant("last-first") << anna << "Berg Anna";
        QTest::addRow("no setting: display label") << QVariant() << anna << "Anna B.";
        QTest::addRow("unknown order: display label") << QVariant("sideways") << anna << "Anna B.";
        QTest::addRow("percent signs stay literal")
            << firstLast << QStringList{"N:%2;50%1;;;"} << "50%1 %2";
        QTest::addRow("blank names: nickname")
            << firstLast << QStringList{"N: ; ;;;", "NICKNAME:Annie"} << "Annie";
        QTest::addRow("nothing: file base name")
            << firstLast << QStringList{"TEL:+358401111111"} << "card-of-anna";
    }
    void cardName()
    {
        QFETCH(QVariant, nameOrder);
        QFETCH(QStringList, lines);
        setNameOrder(nameOrder);
        MmsContactCard card(files::write(m_dir.path(), "card-of-anna.vcf", files::card(lines)));
        QTEST(shownName(card), "expected");
    }

    void unreadableCardShowsTitleOnly()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
        MmsContactCard card(m_dir.filePath("missing.vcf"));
        QCOMPARE(
            QStringList({card.findChild<QLabel*>("mmsContactCardTitle")->text(), shownName(card)}),
            QStringList({qtTrId("qtn_msg_contact_card_label"), ""}));
        QVERIFY(card.findChild<AvatarWidget*>()->pixmap().isNull());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
        QTest::mouseClick(&card, Qt::LeftButton);
        QVERIFY(openCardViews().isEmpty());
    }

    void tapOpensTheCardView_data()
    {
        QTest::addColumn<QString>("tapped");
        QTest::addRow("card") << "mmsContactCard";
        QTest::addRow("avatar") << "mmsContactCardAvatar";
    }
    void tapOpensTheCardView()
    {
        QFETCH(QString, tapped);
        MmsContactCard card(files::write(m_dir.path(), "anna.vcf",
                                         files::card({"N:Berg;Anna;;;", "TEL:+358401111111"})));
        card.resize(300, 80);
        QWidget* target = card.objectName() == tapped ? static_cast<QWidget*>(&card)
                                                      : card.findChild<QWidget*>(tapped);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
        QStringList shown;
        for (ContactsGui* view : openCardViews())
            shown << view->shownName();
        QCOMPARE(shown, QStringList("Anna Berg"));
    }

    void content_data()
    {
        namespace files = contactcardfiles;
        columns<Event, QString, QString>({"event", "text", "attachment"});
        const QString picture = m_dir.filePath("photo.jpg");
        const QString withPhoto =
            files::write(m_dir.path(), "photo.vcf",
                         files::card({"N:Berg;Anna;;;", files::photoLine({8, 8}, Qt::red)}));
        const QString broken = files::write(m_dir.path(), "broken.vcf", "BEGIN:VCARD\r\nN:");
        const auto in = Event::Inbound;
        const auto out = Event::Outbound;
        const auto row = [](const char* tag, const Event& event, const QString& text,
                            const QString& attachment = "icon:") {
            QTest::addRow("%s", tag) << event << text << attachment;
        };
        const QString mms = "Multimedia message";
        row("subject wins over text", bubbleEvent(out, {textPart("Body")}, "Subject"), "Subject");
        row("text only, empty icon", bubbleEvent(in, {textPart("Body")}), "Body");
        row("presentation and blank text skipped",
            bubbleEvent(in, {filePart("application/smil", "p.smil"), textPart(" \n"),
                             textPart("Second"), filePart("image/jpeg", picture)}),
            "Second", "icon:photo.jpg");
        row("no parts", bubbleEvent(in, {}), mms);
        row("markup shown as text",
            bubbleEvent(in, {textPart("<script>x</script> &amp;")}, "<b>bold</b>"), "<b>bold</b>");
        row("markup in the text", bubbleEvent(in, {textPart("<b>&amp;\r\nok")}), "<b>&amp;\nok");
        row("missing file", bubbleEvent(out, {filePart("image/png", m_dir.filePath("gone.png"))}),
            mms, "icon:gone.png");
        row("vCard picture", bubbleEvent(in, {filePart("text/x-vCard", withPhoto)}), mms,
            "avatar:picture");
        row("unreadable vCard", bubbleEvent(in, {filePart("text/directory", broken)}), mms,
            "avatar:none");
        Event notification = bubbleEvent(in, {}, "Harbour");
        notification.setContentLocation("http://mmsc/1");
        row("notification, status 0", notification, "Harbour / Tap to download");
        notification.setStatus(Event::DeliveredStatus);
        row("notification, status 3", notification, "Harbour / Download stopped. Tap to continue");
        notification.setStatus(Event::PermanentlyFailedStatus);
        row("notification, status 5", notification, "Harbour / Download failed. Tap to retry");
        row("1 MB text elided", bubbleEvent(in, {textPart(QString(1 << 20, QLatin1Char('<')))}),
            "elided");
    }
    void content()
    {
        QFETCH(Event, event);
        QFETCH(QString, text);
        QFETCH(QString, attachment);
        MmsConversationBubble bubble(event);
        update(&bubble, event);
        const QString shown = shownText(&bubble);
        if (text == QLatin1String("elided")) {
            const bool ellipsis = shown.endsWith(QChar(0x2026)) || shown.endsWith("...");
            QVERIFY2(ellipsis && shown.size() < 300, qPrintable(shown));
        } else {
            QCOMPARE(shown, text);
        }
        QCOMPARE(shownAttachment(&bubble), attachment);
        QVERIFY(bubble.sizeHint().width() > 0 && bubble.sizeHint().height() > 0);
    }

    // The status line of a sent message; a click sends a failed one again and
    // opens any other. A received message shows its time alone and opens.
    void statusLineAndClick_data()
    {
        columns<int, int, bool, QString>({"status", "readStatus", "deliveryReport", "expected"});
        QTest::newRow("sending") << 1 << 0 << true << "Sending";
        QTest::newRow("sent, report asked") << 2 << 0 << true << "Delivery pending | %1";
        QTest::newRow("sent") << 2 << 0 << false << "%1";
        QTest::newRow("read") << 3 << 1 << false << "Read | %1";
        QTest::newRow("deleted unread") << 3 << 2 << true << "Deleted without reading | %1";
        QTest::newRow("delivered, report asked") << 3 << 0 << true << "Delivered | %1";
        QTest::newRow("failed") << 4 << 0 << false << "Failed | %1";
        QTest::newRow("failed for good") << 5 << 0 << true << "Delivery failed | %1";
    }
    void statusLineAndClick()
    {
        QFETCH(int, status);
        QFETCH(int, readStatus);
        QFETCH(bool, deliveryReport);
        QFETCH(QString, expected);
        ViewerHost host;
        auto* conversation = new ConversationPage(&host.manager);
        host.manager.showPage(conversation);
        Event event = storedMessage(Event::Outbound, {textPart("Hi")});
        event.setStartTime(kTime);
        event.setStatus(Event::EventStatus(status));
        event.setReadStatus(Event::ReadStatus(readStatus));
        event.setReportDelivery(deliveryReport);
        auto* bubble = new MmsConversationBubble(event, conversation);
        update(bubble, event);
        const QString time = TimestampCache::instance()->timestamp(kTime);
        const char* style =
            status >= 4 ? "MMSBubbleTimestampOutgoingFailed" : "MMSBubbleTimestampOutgoing";
        QCOMPARE(label(bubble, style) ? label(bubble, style)->text() : "", expected.arg(time));
        QSignalSpy resend(bubble, &MmsConversationBubble::resendMessage);
        emit bubble->clicked();
        const bool failed = status >= 4;
        QCOMPARE(QPair(resend.size(), host.manager.viewerRequests.size()),
                 QPair(+failed, +!failed));
        event.setDirection(Event::Inbound);
        bubble->updateEvent(event);
        QCOMPARE(label(bubble, "MMSBubbleTimestampIncoming")->text(), time);
        emit bubble->clicked();
        QCOMPARE(host.manager.viewerRequests,
                 (failed ? QList<int>{event.id()} : QList<int>{event.id(), event.id()}));
    }

    void deletion_data()
    {
        columns<int, bool, int, int, bool, bool>(
            {"mode", "requested", "deleteAnswer", "reportAnswer", "deleted", "reported"});
        const int yes = TkQueryDialog::Yes;
        const int no = TkQueryDialog::No;
        QTest::newRow("deletion refused") << 1 << true << no << kNoQuestion << false << false;
        QTest::newRow("ask, yes") << 0 << true << yes << yes << true << true;
        QTest::newRow("ask, no") << 0 << true << yes << no << true << false;
        QTest::newRow("always send") << 1 << true << yes << kNoQuestion << true << true;
        QTest::newRow("never send") << 2 << true << yes << kNoQuestion << true << false;
        QTest::newRow("no report asked") << 0 << false << yes << kNoQuestion << true << false;
    }
    void deletion()
    {
        QFETCH(int, mode);
        QFETCH(bool, requested);
        QFETCH(int, deleteAnswer);
        QFETCH(int, reportAnswer);
        QFETCH(bool, deleted);
        QFETCH(bool, reported);
        setReadReportMode(mode);
        ChatSessionManager::instance()->reset();
        Event event = storedMessage(Event::Inbound, {textPart("Hi")}, kRemote);
        event.setMmsId(QStringLiteral("mms-%1").arg(event.id()));
        event.setReportReadRequested(requested);
        QPointer<MmsConversationBubble> bubble = new MmsConversationBubble(event);
        update(bubble, event);
        QSignalSpy received(m_control, &MmscmControl::ReadReportReceived);
        bubble->actions().first()->trigger();
        openQuestion()->done(deleteAnswer);
        if (reportAnswer != kNoQuestion) {
            QVERIFY(QTest::qWaitFor([&] { return openQuestion(); }));
            QCOMPARE(openQuestion()->text(), qtTrId("qtn_mms_allow_deleted_receipt_single"));
            // The message stays until the question is answered.
            QVERIFY(storedEvent(event.id()).isValid());
            openQuestion()->done(reportAnswer);
        }
        QTest::qWait(0);
        QCOMPARE(!storedEvent(event.id()).isValid(), deleted);
        // The host removes the deleted message's bubble before the report is out.
        delete bubble;
        if (reported) {
            QVERIFY(received.wait());
            QCOMPARE(m_control->ReadReports().value().last(),
                     (ReadReport{event.mmsId(), kRemote, false}));
        } else {
            QVERIFY(!received.wait(500));
        }
    }

    // The image widgets against a fake thumbnail service on the test's private bus.
    void thumbnailReplacesThePictureOnceWithAFade()
    {
        startThumbnailService();
        const QString file =
            imagemedia::writePicture(m_dir.filePath("sea.png"), 400, 300, Qt::blue);
        AttachmentProbe widget(file, "image/png", 0, false);
        applyStyle(&widget, 200);
        const QImage before = widget.pixmap.toImage();
        // The service makes its thumbnail of the file as it is then.
        imagemedia::writePicture(file, 400, 300, Qt::green);
        Thumbnailer* client = ThumbnailCreator::thumbnailer();
        widget.updateIcon();
        QCOMPARE(requestLines().size(), 0); // queued, not at once
        QTRY_COMPARE(requestLines().size(), 1);
        QVERIFY(requestLines().first().startsWith("[MMS-UI] Requesting icon for file:"));
        // Another file's thumbnail changes nothing.
        const QUrl other = QUrl::fromLocalFile(m_dir.filePath("other.png"));
        emit client->thumbnail(other, QUrl::fromLocalFile(file), QPixmap(), "normal");
        QVERIFY(!widget.hasThumbnail);
        QCOMPARE(widget.pixmap.toImage(), before);
        QTRY_VERIFY(widget.usesThumbnail);
        QCOMPARE(widget.previousPixmap.toImage(), before);
        QCOMPARE(QPair(widget.pixmap.size(), colours(widget.pixmap.toImage(), {{100, 75}})),
                 QPair(QSize(200, 150), QStringList("#00ff00")));
        QCOMPARE(widget.transition.state(), QAbstractAnimation::Running);
        QTRY_COMPARE(widget.transition.state(), QAbstractAnimation::Stopped);
        QCOMPARE(widget.transitionOpacity(), 1.0f);
        QCOMPARE(queuedByService(),
                 QStringList("Queue normal " + QUrl::fromLocalFile(file).toEncoded()));
        // Once shown, the thumbnail is not asked for again, and a late signal for
        // the same file no longer reaches the widget.
        const QImage after = widget.pixmap.toImage();
        widget.updateIcon();
        QCoreApplication::processEvents();
        emit client->thumbnail(QUrl::fromLocalFile(file), QUrl::fromLocalFile(file), QPixmap(),
                               "normal");
        QCOMPARE(requestLines().size(), 1);
        QCOMPARE(widget.pixmap.toImage(), after);
        // A style change after the thumbnail keeps it.
        widget.setPreferredSize(QSize(300, 300));
        QCoreApplication::processEvents();
        QCOMPARE(widget.pixmap.toImage(), after);
    }

    void cachedThumbnailServesWithoutRequest()
    {
        startThumbnailService();
        const QString file =
            imagemedia::writePicture(m_dir.filePath("seen.png"), 400, 300, Qt::red);
        const QString cached = Thumbnailer::thumbnailPath(QUrl::fromLocalFile(file), "normal");
        QVERIFY(QDir().mkpath(QFileInfo(cached).path()));
        QVERIFY(!imagemedia::writePicture(cached, 128, 96, Qt::green).isEmpty());
        AttachmentProbe widget(file, "image/png", 0, false);
        applyStyle(&widget, 200);
        widget.updateIcon();
        QTRY_VERIFY(widget.hasThumbnail);
        QCOMPARE(requestLines().size(), 1);
        QVERIFY(requestLines().first().startsWith("[MMS-UI] Icon for file already exists:"));
        QCOMPARE(colours(widget.pixmap.toImage(), {{100, 75}}), QStringList("#00ff00"));
        QVERIFY(queuedByService().isEmpty());
    }

    void videoAsksForTheVideoFlavor()
    {
        startThumbnailService();
        const QString file =
            imagemedia::writeBytes(m_dir.filePath("clip.mp4"), "not really a video");
        AttachmentProbe widget(file, "video/mp4", 0, false);
        applyStyle(&widget, 200);
        widget.updateIcon();
        QTRY_COMPARE(queuedByService(),
                     QStringList("Queue large " + QUrl::fromLocalFile(file).toEncoded()));
        QVERIFY(!widget.hasThumbnail);
    }

    void unreadableThumbnailKeepsTheContent()
    {
        startThumbnailService();
        const QString file = imagemedia::writePicture(m_dir.filePath("kept.png"), 40, 30, Qt::red);
        const QString bogus = imagemedia::writeBytes(m_dir.filePath("bogus.png"), "no picture");
        AttachmentProbe widget(file, "image/png", 0, false);
        applyStyle(&widget, 200);
        const QImage before = widget.pixmap.toImage();
        QTest::ignoreMessage(QtWarningMsg,
                             QString("[MMS-UI] Unreadable thumbnail \"%1\"").arg(bogus).toUtf8());
        widget.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(bogus), QPixmap());
        QVERIFY(!widget.hasThumbnail && !widget.usesThumbnail);
        QCOMPARE(widget.pixmap.toImage(), before);
        BubbleProbe icon(file, "image/png");
        icon.setMimeType("image/png");
        QTest::ignoreMessage(QtWarningMsg,
                             QString("[MMS-UI] Unreadable thumbnail \"%1\"").arg(bogus).toUtf8());
        icon.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(bogus), QPixmap());
        QVERIFY(!icon.hasThumbnail);
        QCOMPARE(icon.pixmap.toImage(), icon.pixmapForMime(QSize(64, 64)).toImage());
    }

    void bubbleIconCutsTheThumbnailToItsShape()
    {
        startThumbnailService();
        const QString file = imagemedia::writePicture(m_dir.filePath("face.png"), 30, 30, Qt::blue);
        const QString thumbnail =
            imagemedia::writePicture(m_dir.filePath("face-thumbnail.png"), 128, 128, Qt::red);
        BubbleProbe icon(file, "image/png");
        icon.thumbnailCreated(QUrl::fromLocalFile(file), QUrl::fromLocalFile(thumbnail), QPixmap());
        QVERIFY(icon.hasThumbnail);
        QCOMPARE(QPair(icon.contentSize, icon.pixmap.size()), QPair(QSize(64, 64), QSize(64, 64)));
        QCOMPARE(colours(icon.pixmap.toImage(), {{32, 32}, {0, 0}}),
                 QStringList({"#ff0000", "none"}));
        // A new type brings back the type's icon and allows a new thumbnail.
        icon.setMimeType("audio/amr");
        QVERIFY(!icon.hasThumbnail);
        QCOMPARE(icon.pixmap.toImage(), icon.pixmapForMime(QSize(64, 64)).toImage());
    }

    void bubbleIconAsksWhenTheViewStops()
    {
        startThumbnailService();
        const QString file =
            imagemedia::writePicture(m_dir.filePath("scroll.png"), 30, 30, Qt::red);
        BubbleProbe icon(file, "image/png");
        icon.onMoving(true);
        QCoreApplication::processEvents();
        QVERIFY(requestLines().isEmpty());
        icon.onMoving(false);
        QTRY_COMPARE(queuedByService(),
                     QStringList("Queue normal " + QUrl::fromLocalFile(file).toEncoded()));
        QCOMPARE(requestLines().size(), 1);
    }

private:
    // "{anna}" stands for the link to Anna.
    QString linked(QString text) const
    {
        for (auto it = m_links.cbegin(); it != m_links.cend(); ++it)
            text.replace('{' + it.key() + '}', it.value());
        return text;
    }
    static void showLarge(CustomSelectableLabel* label)
    {
        label->resize(400, 300);
        label->show();
        QVERIFY(QTest::qWaitForWindowExposed(label));
    }

    // Started for the thumbnail tests, which come after the others.
    void startThumbnailService()
    {
        requestLines().clear();
        if (!previousHandler) {
            QVERIFY(m_service.start(DRAVEL_BINARY_DIR "/tests/fixtures/fakethumbnailer", {},
                                    "org.freedesktop.thumbnails.Thumbnailer1"));
            previousHandler = qInstallMessageHandler(recordRequests);
        }
        m_queued = m_service.outputLines().size();
    }
    // What the service queued since the test started it.
    QStringList queuedByService() { return m_service.outputLines().mid(m_queued); }

    BusServiceProcess m_service;
    int m_queued = 0;
    QTemporaryDir m_dir;
    QString m_picture;
    QList<QUrl> m_opened;
    QSharedPointer<QContactManager> m_manager;
    QMap<QString, QString> m_links;
    MmscmControl* m_control = nullptr;
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
