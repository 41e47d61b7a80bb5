#include "tksaveasdialog.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstTkSaveAsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void resultNameGetsTheExtension_data();
    void resultNameGetsTheExtension();
    void saveCopiesIntoTheFolder();
    void cancelWritesNothing();
    void existingFileIsKept();
    void nameOutsideTheFolderIsRefused_data();
    void nameOutsideTheFolderIsRefused();

private:
    void prepare(TkSaveAsDialog* dialog, const QString& folder, const QString& name);

    QTemporaryDir m_dir;
    QString m_source;
};

void TstTkSaveAsDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile source(m_dir.filePath("source.txt"));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("content to keep");
    m_source = source.fileName();
}

void TstTkSaveAsDialog::prepare(TkSaveAsDialog* dialog, const QString& folder, const QString& name)
{
    dialog->setSourcePath(m_source);
    dialog->setDestinationFolder(m_dir.filePath(folder));
    dialog->setDefaultExtension("txt");
    dialog->setDefaultFileName(name);
}

void TstTkSaveAsDialog::resultNameGetsTheExtension_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("result");
    QTest::newRow("plain") << "note"
                           << "txt"
                           << "note.txt";
    QTest::newRow("already there") << "note.txt"
                                   << "txt"
                                   << "note.txt";
    QTest::newRow("no extension") << "note"
                                  << ""
                                  << "note";
    QTest::newRow("spaces trimmed") << "  note "
                                    << "txt"
                                    << "note.txt";
}

void TstTkSaveAsDialog::resultNameGetsTheExtension()
{
    QFETCH(QString, edited);
    QFETCH(QString, extension);
    QFETCH(QString, result);
    TkSaveAsDialog dialog;
    dialog.setDefaultExtension(extension);
    dialog.fileNameEdit()->setText(edited);
    QCOMPARE(dialog.resultFileName(), result);
}

void TstTkSaveAsDialog::saveCopiesIntoTheFolder()
{
    TkSaveAsDialog dialog;
    prepare(&dialog, "new/folder", "copy");
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.saveButton()->click();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), 1024);
    QFile copy(m_dir.filePath("new/folder/copy.txt"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("content to keep"));
}

void TstTkSaveAsDialog::cancelWritesNothing()
{
    TkSaveAsDialog dialog;
    prepare(&dialog, "cancelled", "copy");
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.cancelButton()->click();
    QCOMPARE(finished.first().first().toInt(), 0);
    QVERIFY(!QFile::exists(m_dir.filePath("cancelled/copy.txt")));
}

void TstTkSaveAsDialog::existingFileIsKept()
{
    TkSaveAsDialog dialog;
    prepare(&dialog, ".", "source");
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Save as: cannot copy"));
    dialog.accept();
    QCOMPARE(finished.first().first().toInt(), 0);
    QFile kept(m_source);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("content to keep"));
}

void TstTkSaveAsDialog::nameOutsideTheFolderIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../escaped";
    QTest::newRow("sub folder") << "a/b";
    QTest::newRow("hidden") << ".hidden";
    QTest::newRow("empty") << "";
}

void TstTkSaveAsDialog::nameOutsideTheFolderIsRefused()
{
    QFETCH(QString, name);
    TkSaveAsDialog dialog;
    prepare(&dialog, "inside", name);
    dialog.setDefaultExtension(QString());
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Save as: not a file name"));
    dialog.accept();
    QCOMPARE(finished.first().first().toInt(), 0);
    QVERIFY(!QFile::exists(m_dir.filePath("escaped")));
}

QTEST_MAIN(TstTkSaveAsDialog)
#include "tst_tksaveasdialog.moc"
