#include "coredomain.h"

#include <QtTest>

// The content rule of restricted creation mode.
class TstCoreDomain : public QObject
{
    Q_OBJECT

private slots:
    void isContentTypeInCoreDomain_data()
    {
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<bool>("inCoreDomain");
        for (const char* type :
             {"image/jpeg", "IMAGE/JPEG", "image/jpg", "image/gif", "image/vnd.wap.wbmp",
              "image/svg+xml", "video/x-matroska", "Video/mp4", "audio/amr", "audio/amr-wb",
              "audio/3gpp2", "audio/mp4a-latm", "text/x-vcard", "text/directory;profile=vCard",
              "text/directory", "text/calendar", "text/x-vcalendar"})
            QTest::newRow(type) << type << true;
        // Parameters are not stripped.
        for (const char* type : {"image/png", "image/bmp", "text/plain", "audio/mpeg",
                                 "image/jpeg; q=1", "text/directory;profile=x", "video", ""})
            QTest::newRow(type) << type << false;
    }
    void isContentTypeInCoreDomain()
    {
        QFETCH(QString, mimeType);
        QFETCH(bool, inCoreDomain);
        QCOMPARE(mmsui::utils::isContentTypeInCoreDomain(mimeType), inCoreDomain);
    }
};

QTEST_GUILESS_MAIN(TstCoreDomain)
#include "tst_coredomain.moc"
