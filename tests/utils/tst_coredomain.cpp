#include "coredomain.h"

#include <QtTest>

// The content rule of restricted creation mode.
class TstCoreDomain : public QObject
{
    Q_OBJECT

private slots:
    void isContentTypeInCoreDomain_data();
    void isContentTypeInCoreDomain();
};

void TstCoreDomain::isContentTypeInCoreDomain_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<bool>("inCoreDomain");

    QTest::newRow("jpeg") << "image/jpeg" << true;
    QTest::newRow("jpeg in capitals") << "IMAGE/JPEG" << true;
    QTest::newRow("jpg") << "image/jpg" << true;
    QTest::newRow("gif") << "image/gif" << true;
    QTest::newRow("wbmp") << "image/vnd.wap.wbmp" << true;
    QTest::newRow("svg") << "image/svg+xml" << true;
    QTest::newRow("any video") << "video/x-matroska" << true;
    QTest::newRow("video in mixed case") << "Video/mp4" << true;
    QTest::newRow("amr") << "audio/amr" << true;
    QTest::newRow("amr-wb") << "audio/amr-wb" << true;
    QTest::newRow("3gpp2 audio") << "audio/3gpp2" << true;
    QTest::newRow("MP4A-LATM in lower case") << "audio/mp4a-latm" << true;
    QTest::newRow("vcard") << "text/x-vcard" << true;
    QTest::newRow("directory with vCard profile") << "text/directory;profile=vCard" << true;
    QTest::newRow("directory") << "text/directory" << true;
    QTest::newRow("calendar") << "text/calendar" << true;
    QTest::newRow("vcalendar") << "text/x-vcalendar" << true;
    QTest::newRow("png") << "image/png" << false;
    QTest::newRow("bmp") << "image/bmp" << false;
    QTest::newRow("plain text") << "text/plain" << false;
    QTest::newRow("mp3") << "audio/mpeg" << false;
    QTest::newRow("parameters are not stripped") << "image/jpeg; q=1" << false;
    QTest::newRow("other directory profile") << "text/directory;profile=x" << false;
    QTest::newRow("video without slash") << "video" << false;
    QTest::newRow("empty") << "" << false;
}

void TstCoreDomain::isContentTypeInCoreDomain()
{
    QFETCH(QString, mimeType);
    QFETCH(bool, inCoreDomain);
    QCOMPARE(mmsui::utils::isContentTypeInCoreDomain(mimeType), inCoreDomain);
}

QTEST_GUILESS_MAIN(TstCoreDomain)
#include "tst_coredomain.moc"
