#include "imagemedia.h"
#include "mmsimagewidget.h"
#include "tkbanner.h"
#include "tkcontentaction.h"
#include "tksaveasdialog.h"
#include "tktheme.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class ImageProbe : public MMSImageWidget
{
public:
    using MMSImageWidget::MMSImageWidget;
    using MMSImageWidget::pixmap;
    using MMSImageWidget::pressed;
    using MMSImageWidget::savedFileName;
};

QAction* saveAsActionOf(const QWidget& widget)
{
    return widget.findChild<QAction*>(QStringLiteral("mmsSaveAsAction"));
}

TkSaveAsDialog* openDialogOf(const QWidget& widget)
{
    return widget.findChild<TkSaveAsDialog*>();
}

} // namespace

class TstMmsImageWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void mimeIconsById_data();
    void mimeIconsById();
    void saveAsOnlyOutsidePrivateStorage_data();
    void saveAsOnlyOutsidePrivateStorage();
    void saveAsIsOfferedOnceWhenEnabledTwice();
    void saveAsDialogIsFilledFromTheFile_data();
    void saveAsDialogIsFilledFromTheFile();
    void acceptedSaveWritesAReadableCopy();
    void cancelledSaveWritesNothing();
    void saveFinishesWhenTheWidgetGoesFirst();
    void tapOpensTheFile();
    void tapWithoutViewerShowsBanner();
    void pressOpensNothing_data();
    void pressOpensNothing();

private:
    QString saveThroughDialog(ImageProbe* widget, bool accept);

    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
};

void TstMmsImageWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
    TkContentAction::setLauncher([this](const QUrl& file) {
        m_opened.append(file);
        return true;
    });
}

void TstMmsImageWidget::cleanup()
{
    MMSImageWidget::setPrivateStorageCheck(MMSImageWidget::PrivateStorageCheck());
    m_opened.clear();
}

void TstMmsImageWidget::mimeIconsById_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<QString>("iconId");
    const auto row = [](const char* mimeType, const char* iconId) {
        QTest::newRow(mimeType) << QString(mimeType) << QString(iconId);
    };
    row("", "icon-m-content-mms");
    row("audio/amr", "icon-m-content-audio");
    row("video/3gpp", "icon-m-content-videos");
    row("image/jpeg", "icon-m-content-image");
    row("text/x-vcard", "icon-m-content-document");
    row("application/pdf", "icon-m-content-file-unknown");
    row("Image/jpeg", "icon-m-content-file-unknown"); // the prefix is case-sensitive
}

void TstMmsImageWidget::mimeIconsById()
{
    QFETCH(QString, mimeType);
    QFETCH(QString, iconId);
    QVERIFY(TkTheme::hasImage(iconId));
    ImageProbe widget("/tmp/any", mimeType);
    for (const QSize size : {QSize(48, 48), QSize(32, 32)}) {
        const QPixmap icon = widget.pixmapForMime(size);
        QCOMPARE(icon.size(), size);
        QCOMPARE(icon.toImage(), TkTheme::pixmap(iconId, size).toImage());
    }
}

void TstMmsImageWidget::saveAsOnlyOutsidePrivateStorage_data()
{
    QTest::addColumn<bool>("privateStorage");
    QTest::addColumn<bool>("enable");
    QTest::addColumn<bool>("offered");
    QTest::newRow("ordinary file") << false << true << true;
    QTest::newRow("private storage") << true << true << false;
    QTest::newRow("disabled") << false << false << false;
}

void TstMmsImageWidget::saveAsOnlyOutsidePrivateStorage()
{
    QFETCH(bool, privateStorage);
    QFETCH(bool, enable);
    QFETCH(bool, offered);
    const QString file = imagemedia::writePicture(m_dir.filePath("offer.png"), 8, 8, Qt::red);
    QStringList asked;
    MMSImageWidget::setPrivateStorageCheck([&](const QString& path) {
        asked << path;
        return privateStorage;
    });
    ImageProbe widget(file, "image/png");
    QAction* action = saveAsActionOf(widget);
    QVERIFY(action);
    QCOMPARE(action->text(), qtTrId("qtn_comm_content_save_as"));
    QVERIFY(widget.actions().isEmpty());
    widget.enableSaveAsAction(true);
    widget.enableSaveAsAction(enable);
    QCOMPARE(widget.actions().contains(action), offered);
    QCOMPARE(widget.contextMenuPolicy(), Qt::ActionsContextMenu);
    if (enable) {
        QCOMPARE(asked.last(), file);
    }
}

void TstMmsImageWidget::saveAsIsOfferedOnceWhenEnabledTwice()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("twice.png"), 8, 8, Qt::red);
    MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    ImageProbe widget(file, "image/png");
    widget.enableSaveAsAction(true);
    widget.enableSaveAsAction(true);
    QCOMPARE(widget.actions().size(), 1);
    saveAsActionOf(widget)->trigger();
    QCOMPARE(widget.findChildren<TkSaveAsDialog*>().size(), 1);
    openDialogOf(widget)->reject();
}

void TstMmsImageWidget::saveAsDialogIsFilledFromTheFile_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<int>("location");
    QTest::newRow("picture") << "image/png" << int(QStandardPaths::PicturesLocation);
    QTest::newRow("video") << "video/mp4" << int(QStandardPaths::MoviesLocation);
    QTest::newRow("sound") << "audio/amr" << int(QStandardPaths::MusicLocation);
    QTest::newRow("other") << "text/plain" << int(QStandardPaths::DocumentsLocation);
}

void TstMmsImageWidget::saveAsDialogIsFilledFromTheFile()
{
    QFETCH(QString, mimeType);
    QFETCH(int, location);
    const QString file = imagemedia::writeBytes(m_dir.filePath("holiday.trip.dat"), "12345");
    MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    ImageProbe widget(file, mimeType);
    widget.enableSaveAsAction(true);
    saveAsActionOf(widget)->trigger();
    TkSaveAsDialog* dialog = openDialogOf(widget);
    QVERIFY(dialog);
    QCOMPARE(dialog->mimeType(), mimeType);
    QCOMPARE(dialog->fileNameEdit()->text(), QString("holiday.trip"));
    QCOMPARE(dialog->defaultExtension(), QString("dat"));
    QCOMPARE(dialog->sourcePath(), file);
    QCOMPARE(dialog->destinationFolder(),
             QStandardPaths::writableLocation(QStandardPaths::StandardLocation(location)));
    QCOMPARE(dialog->contentSize(), qint64(5));
    QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
    dialog->reject();
}

QString TstMmsImageWidget::saveThroughDialog(ImageProbe* widget, bool accept)
{
    widget->enableSaveAsAction(true);
    saveAsActionOf(*widget)->trigger();
    QPointer<TkSaveAsDialog> dialog = openDialogOf(*widget);
    if (!dialog) {
        return QStringLiteral("no dialog");
    }
    dialog->fileNameEdit()->setText(QStringLiteral("kept"));
    QSignalSpy destroyed(dialog.data(), &QObject::destroyed);
    if (accept) {
        dialog->saveButton()->click();
    } else {
        dialog->cancelButton()->click();
    }
    return destroyed.wait() ? QString() : QStringLiteral("dialog not destroyed");
}

void TstMmsImageWidget::acceptedSaveWritesAReadableCopy()
{
    // Part files of a message folder are read-only; the copy must not be.
    const QString file = imagemedia::writePicture(m_dir.filePath("part.png"), 8, 8, Qt::red);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    ImageProbe widget(file, "image/png");
    QTest::ignoreMessage(QtDebugMsg, "[MMS-UI] dialog saveAs finished with  1024");
    QCOMPARE(saveThroughDialog(&widget, true), QString());

    const QString expected =
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/kept.png";
    QCOMPARE(widget.savedFileName, expected);
    QFile saved(expected);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QFile source(file);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), source.readAll());
    const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(saved.permissions() & modeBits,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QVERIFY(QFile::remove(expected));
}

void TstMmsImageWidget::cancelledSaveWritesNothing()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("cancel.png"), 8, 8, Qt::red);
    MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    ImageProbe widget(file, "image/png");
    widget.savedFileName = QStringLiteral("left over");
    QTest::ignoreMessage(QtDebugMsg, "[MMS-UI] dialog saveAs finished with  0");
    QCOMPARE(saveThroughDialog(&widget, false), QString());
    QVERIFY(widget.savedFileName.isEmpty());
    QVERIFY(!QFile::exists(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                           "/kept.png"));
}

// The dialog was accepted but not yet destroyed when the page closed.
void TstMmsImageWidget::saveFinishesWhenTheWidgetGoesFirst()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("early.png"), 8, 8, Qt::red);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    MMSImageWidget::setPrivateStorageCheck([](const QString&) { return false; });
    auto* widget = new ImageProbe(file, "image/png");
    widget->enableSaveAsAction(true);
    saveAsActionOf(*widget)->trigger();
    TkSaveAsDialog* dialog = openDialogOf(*widget);
    QVERIFY(dialog);
    dialog->fileNameEdit()->setText("early");
    dialog->accept();
    delete widget;
    const QString saved =
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/early.png";
    QVERIFY(QFile::permissions(saved).testFlag(QFile::WriteOwner));
    QVERIFY(QFile::remove(saved));
}

void TstMmsImageWidget::tapOpensTheFile()
{
    const QString file = imagemedia::writePicture(m_dir.filePath("open.png"), 8, 8, Qt::red);
    ImageProbe widget(file, "image/png");
    widget.resize(50, 50);
    QTest::mousePress(&widget, Qt::LeftButton);
    QVERIFY(widget.pressed);
    QTest::ignoreMessage(QtDebugMsg,
                         QString("[MMS_VIEWER] Image unpressed \"%1\"").arg(file).toUtf8());
    QTest::mouseRelease(&widget, Qt::LeftButton);
    QVERIFY(!widget.pressed);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(file)});
}

void TstMmsImageWidget::tapWithoutViewerShowsBanner()
{
    const QString missing = m_dir.filePath("vanished.png");
    QWidget window;
    auto* widget = new ImageProbe(missing, "image/png", &window);
    widget->resize(50, 50);
    QTest::ignoreMessage(
        QtWarningMsg,
        QString("[MMS-UI] Don't know how to view \"%1\" \"image/png\"").arg(missing).toUtf8());
    QTest::mouseClick(widget, Qt::LeftButton);
    QVERIFY(m_opened.isEmpty());
    auto* banner = window.findChild<TkBanner*>();
    QVERIFY(banner);
    QCOMPARE(banner->title(), qtTrId("qtn_mms_info_file_not_supported"));
    QPointer<TkBanner> guard(banner);
    banner->disappear();
    QTRY_VERIFY(guard.isNull());
}

// A press that clicks are disabled for, or that the touch cancels, opens nothing.
void TstMmsImageWidget::pressOpensNothing_data()
{
    QTest::addColumn<bool>("clickable");
    QTest::newRow("clicks disabled") << false;
    QTest::newRow("touch cancelled") << true;
}

void TstMmsImageWidget::pressOpensNothing()
{
    QFETCH(bool, clickable);
    const QString file = imagemedia::writePicture(m_dir.filePath("still.png"), 8, 8, Qt::red);
    ImageProbe widget(file, "image/png");
    widget.enableClickAction(clickable);
    widget.resize(50, 50);
    QTest::mousePress(&widget, Qt::LeftButton);
    QCOMPARE(widget.pressed, clickable);
    QEvent cancel(QEvent::TouchCancel);
    QApplication::sendEvent(&widget, &cancel);
    QVERIFY(!widget.pressed);
    QTest::mouseRelease(&widget, Qt::LeftButton);
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(TstMmsImageWidget)
#include "tst_mmsimagewidget.moc"
