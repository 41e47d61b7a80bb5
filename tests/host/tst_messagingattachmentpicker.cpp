#include "messagingattachmentpicker.h"

#include <QImage>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TestMessagingAttachmentPicker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listsStandardFoldersByDefault();
    void listsFilesOfFoldersAndSubfolders();
    void selectionGivesUrlAndMimeType_data();
    void selectionGivesUrlAndMimeType();
    void unlistedFileIsNotSelected();
    void backAndEscapeAskToClose();
    void showListsNewFiles();

private:
    void write(const QString& name, const QByteArray& data);

    QTemporaryDir m_dir;
};

void TestMessagingAttachmentPicker::write(const QString& name, const QByteArray& data)
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

void TestMessagingAttachmentPicker::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(m_dir.filePath(QStringLiteral("red.png"))));
    QDir().mkpath(m_dir.filePath(QStringLiteral("holiday")));
    QVERIFY(image.save(m_dir.filePath(QStringLiteral("holiday/beach.jpg"))));
    write(QStringLiteral("notes.txt"), "shopping list\n");
    write(QStringLiteral("card.vcf"), "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nEND:VCARD\n");
}

void TestMessagingAttachmentPicker::listsStandardFoldersByDefault()
{
    MessagingAttachmentPicker picker;
    const QStringList folders = picker.folders();
    QVERIFY(folders.contains(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
    QVERIFY(folders.contains(QStandardPaths::writableLocation(QStandardPaths::MusicLocation)));
    QVERIFY(folders.contains(QStandardPaths::writableLocation(QStandardPaths::MoviesLocation)));
    QVERIFY(folders.contains(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
}

void TestMessagingAttachmentPicker::listsFilesOfFoldersAndSubfolders()
{
    MessagingAttachmentPicker picker;
    picker.setFolders({m_dir.path()});
    QStringList expected = {m_dir.filePath(QStringLiteral("card.vcf")),
                            m_dir.filePath(QStringLiteral("holiday/beach.jpg")),
                            m_dir.filePath(QStringLiteral("notes.txt")),
                            m_dir.filePath(QStringLiteral("red.png"))};
    QCOMPARE(picker.files(), expected);
}

void TestMessagingAttachmentPicker::selectionGivesUrlAndMimeType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("png") << "red.png"
                         << "image/png";
    QTest::newRow("jpeg in a subfolder") << "holiday/beach.jpg"
                                         << "image/jpeg";
    QTest::newRow("text") << "notes.txt"
                          << "text/plain";
    QTest::newRow("vcard") << "card.vcf"
                           << "text/vcard";
}

void TestMessagingAttachmentPicker::selectionGivesUrlAndMimeType()
{
    QFETCH(QString, name);
    QFETCH(QString, mimeType);
    MessagingAttachmentPicker picker;
    picker.setFolders({m_dir.path()});
    QSignalSpy selected(&picker, &MessagingAttachmentPicker::attachmentSelected);
    QVERIFY(picker.select(m_dir.filePath(name)));
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toString(), QUrl::fromLocalFile(m_dir.filePath(name)).toString());
    QVERIFY(selected.at(0).at(0).toString().startsWith(QLatin1String("file://")));
    QCOMPARE(selected.at(0).at(1).toString(), mimeType);
}

void TestMessagingAttachmentPicker::unlistedFileIsNotSelected()
{
    MessagingAttachmentPicker picker;
    picker.setFolders({m_dir.filePath(QStringLiteral("holiday"))});
    QSignalSpy selected(&picker, &MessagingAttachmentPicker::attachmentSelected);
    QVERIFY(!picker.select(m_dir.filePath(QStringLiteral("red.png"))));
    QCOMPARE(selected.count(), 0);
}

void TestMessagingAttachmentPicker::backAndEscapeAskToClose()
{
    MessagingAttachmentPicker picker;
    picker.setFolders({m_dir.path()});
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QSignalSpy back(&picker, &MessagingAttachmentPicker::backButtonClicked);
    picker.backButton()->click();
    QTest::keyClick(&picker, Qt::Key_Escape);
    QCOMPARE(back.count(), 2);
    // The owner closes it.
    QVERIFY(picker.isVisible());
    picker.close();
    QVERIFY(!picker.isVisible());
}

void TestMessagingAttachmentPicker::showListsNewFiles()
{
    QTemporaryDir dir;
    MessagingAttachmentPicker picker;
    picker.setFolders({dir.path()});
    QVERIFY(picker.files().isEmpty());
    QFile file(dir.filePath(QStringLiteral("new.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    picker.show();
    QCOMPARE(picker.files(), QStringList{dir.filePath(QStringLiteral("new.txt"))});
}

QTEST_MAIN(TestMessagingAttachmentPicker)
#include "tst_messagingattachmentpicker.moc"
