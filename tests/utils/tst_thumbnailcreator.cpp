#include "thumbnailcreator.h"
#include "thumbnailer.h"

#include <QtTest>

// The process keeps one thumbnail client.
class TstThumbnailCreator : public QObject
{
    Q_OBJECT

private slots:
    void oneClientForTheProcess();
};

void TstThumbnailCreator::oneClientForTheProcess()
{
    Thumbnailer* first = ThumbnailCreator::thumbnailer();
    QVERIFY(first);
    QCOMPARE(ThumbnailCreator::thumbnailer(), first);
    // It goes with the application, before the static destructors run.
    QCOMPARE(first->parent(), QCoreApplication::instance());
}

QTEST_MAIN(TstThumbnailCreator)
#include "tst_thumbnailcreator.moc"
