#include "tkcontentaction.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TstTkContentAction : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void actionForFile_data();
    void actionForFile();
    void actionForFileAndType_data();
    void actionForFileAndType();
    void triggerOpensTheFile();
    void invalidActionOpensNothing();

private:
    QString writeFile(const QString& name, const QByteArray& content);

    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
};

void TstTkContentAction::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(m_dir.filePath("picture.png")));
    writeFile("notes.txt", "some words");
    writeFile("blob", QByteArray("\x00\x01\x02\x03\xff\xfe", 6));
    TkContentAction::setLauncher([this](const QUrl& file) {
        m_opened << file;
        return true;
    });
}

void TstTkContentAction::cleanupTestCase()
{
    TkContentAction::setLauncher(TkContentAction::Launcher());
}

void TstTkContentAction::init()
{
    m_opened.clear();
}

QString TstTkContentAction::writeFile(const QString& name, const QByteArray& content)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        return QString();
    }
    return file.fileName();
}

void TstTkContentAction::actionForFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("picture") << "picture.png"
                             << "image/png";
    QTest::newRow("text") << "notes.txt"
                          << "text/plain";
    QTest::newRow("unknown binary") << "blob"
                                    << "";
    QTest::newRow("missing") << "nothing.png"
                             << "";
    QTest::newRow("folder") << "."
                            << "";
}

void TstTkContentAction::actionForFile()
{
    QFETCH(QString, name);
    QFETCH(QString, mimeType);
    const QUrl file = QUrl::fromLocalFile(m_dir.filePath(name));
    const TkContentAction action = TkContentAction::defaultAction(file);
    QCOMPARE(action.isValid(), !mimeType.isEmpty());
    QCOMPARE(action.mimeType(), mimeType);
}

void TstTkContentAction::actionForFileAndType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<bool>("valid");
    QTest::newRow("named type") << "picture.png"
                                << "image/png" << true;
    QTest::newRow("type of another kind") << "notes.txt"
                                          << "image/jpeg" << true;
    QTest::newRow("pseudo type") << "picture.png"
                                 << "X-TEMP-image/png" << false;
    QTest::newRow("no type") << "picture.png"
                             << "" << false;
    QTest::newRow("binary data") << "blob"
                                 << "application/octet-stream" << false;
    QTest::newRow("missing") << "nothing.png"
                             << "image/png" << false;
}

void TstTkContentAction::actionForFileAndType()
{
    QFETCH(QString, name);
    QFETCH(QString, mimeType);
    QFETCH(bool, valid);
    const QUrl file = QUrl::fromLocalFile(m_dir.filePath(name));
    QCOMPARE(TkContentAction::defaultAction(file, mimeType).isValid(), valid);
}

void TstTkContentAction::triggerOpensTheFile()
{
    const QUrl file = QUrl::fromLocalFile(m_dir.filePath("picture.png"));
    QVERIFY(TkContentAction::defaultAction(file).trigger());
    QCOMPARE(m_opened, QList<QUrl>{file});
}

void TstTkContentAction::invalidActionOpensNothing()
{
    QVERIFY(!TkContentAction().trigger());
    QVERIFY(!TkContentAction::defaultAction(QUrl("http://example.com/picture.png")).isValid());
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(TstTkContentAction)
#include "tst_tkcontentaction.moc"
