#include "mmsmainconfig.h"
#include "mmsmessagesize.h"
#include "pipelinetestdata.h"

#include <QTemporaryDir>
#include <QtTest>

class TestMmsMessageSize : public QObject
{
    Q_OBJECT
private slots:
    void getMessageSize_data();
    void getMessageSize();
    void pictureBudget();
    void validateMessageSize_data();
    void validateMessageSize();

private:
    MmsOutgoingMessage message(const QString& subject, const QString& body,
                               const QStringList& attachments);

    QTemporaryDir m_files;
};

// Attachments as "bytes|MIME type|slide text length"; To holds two numbers (24 characters).
MmsOutgoingMessage TestMmsMessageSize::message(const QString& subject, const QString& body,
                                               const QStringList& attachments)
{
    MmsOutgoingMessage result;
    result.to = QStringList{"+358401234567", "0401112223"};
    result.subject = subject;
    result.body = body;
    for (const QString& spec : attachments) {
        const QStringList fields = spec.split('|');
        result.attachments << testAttachment(
            m_files.filePath(QString::number(result.attachments.size())), fields.at(1),
            QString(fields.at(2).toInt(), QLatin1Char('t')));
        QFile file(result.attachments.last().fileName);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(fields.at(0).toLongLong()))
            qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    return result;
}

void TestMmsMessageSize::getMessageSize_data()
{
    QTest::addColumn<bool>("headless");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QStringList>("attachments");
    QTest::addColumn<int>("excluded");
    QTest::addColumn<quint32>("size");
    const QStringList pictures{"500000|image/jpeg|1000", "500000|image/jpeg|0"};
    // Characters, not bytes: the subject has 5, the body 6.
    QTest::newRow("text only") << false << "Grüße" << QStringList() << 0 << 24u + 5 + 6;
    QTest::newRow("text only, headless") << true << "Grüße" << QStringList() << 0 << 24u + 5 + 6;
    QTest::newRow("pictures") << false << "" << pictures << 0 << 24u + 1000 + 1000000 + 400;
    QTest::newRow("pictures left out")
        << false << "" << pictures << int(MmsContentTypes::IMAGE) << 24u + 1000 + 400;
    QTest::newRow("another type left out")
        << false << "" << pictures << int(MmsContentTypes::AUDIO) << 24u + 1000 + 1000000 + 400;
    QTest::newRow("pictures, headless") << true << "" << pictures << 0 << 24u + 1000000;
    QTest::newRow("pictures left out, headless")
        << true << "" << pictures << int(MmsContentTypes::IMAGE) << 24u;
}

void TestMmsMessageSize::getMessageSize()
{
    QFETCH(bool, headless);
    QFETCH(QString, subject);
    QFETCH(QStringList, attachments);
    QFETCH(int, excluded);
    QFETCH(quint32, size);
    const MmsOutgoingMessage outgoing = message(subject, QStringLiteral("Hello☺"), attachments);
    QCOMPARE(MmsMessageSize::getMessageSize(flavourFor(headless), outgoing,
                                            MmsContentTypes::CONTENT_TYPE(excluded)),
             size);
}

// The pictures share what the rest of the message leaves of the maximum.
void TestMmsMessageSize::pictureBudget()
{
    MmsMainConfig config;
    config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_300KB);
    QVERIFY(config.save());
    const MmsOutgoingMessage outgoing = message(
        QString(), QString(), {"500000|image/jpeg|1000", "300|audio/amr|0", "500000|image/jpeg|0"});
    QCOMPARE(MmsMessageSize::pictureBudget(MmsPipelineFlavour::editor(), outgoing),
             307200 - (24 + 1000 + 300 + 3 * 200));
    QCOMPARE(
        MmsMessageSize::picturePaths(outgoing),
        (QStringList{outgoing.attachments.at(0).fileName, outgoing.attachments.at(2).fileName}));
}

void TestMmsMessageSize::validateMessageSize_data()
{
    QTest::addColumn<int>("bodyLength");
    QTest::addColumn<bool>("verdict");
    QTest::newRow("at the maximum") << 102400 - 24 << true;
    QTest::newRow("one over") << 102400 - 23 << false;
}

void TestMmsMessageSize::validateMessageSize()
{
    QFETCH(int, bodyLength);
    QFETCH(bool, verdict);
    MmsMainConfig config;
    config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_100KB);
    QVERIFY(config.save());
    const MmsOutgoingMessage outgoing =
        message(QString(), QString(bodyLength, QLatin1Char('x')), QStringList());
    QCOMPARE(MmsMessageSize::validateMessageSize(MmsPipelineFlavour::editor(), outgoing), verdict);
}

QTEST_MAIN(TestMmsMessageSize)
#include "tst_mmsmessagesize.moc"
