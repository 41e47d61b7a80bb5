#include "tklocale.h"
#include "tkstyle.h"
#include "tktheme.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

class TestTkTheme : public QObject
{
    Q_OBJECT
private slots:
    void libraryStyleSheetStylesByStyleName();
    void registeringTwiceAddsTheSheetOnce();
    void unknownImageIsNull();
    void catalogueResolvesIds();
    void missingCatalogueIsReported();
};

void TestTkTheme::libraryStyleSheetStylesByStyleName()
{
    TkTheme::registerLibrary(QStringLiteral("libdravel"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("[styleName=\"InformationBanner\"]")));

    QLabel styled;
    tk::setStyleName(&styled, QStringLiteral("InformationBanner"));
    QLabel plain;
    styled.ensurePolished();
    plain.ensurePolished();
    QVERIFY(styled.palette().color(QPalette::WindowText) !=
            plain.palette().color(QPalette::WindowText));
}

void TestTkTheme::registeringTwiceAddsTheSheetOnce()
{
    TkTheme::registerLibrary(QStringLiteral("libdravel"));
    const QString sheet = qApp->styleSheet();
    TkTheme::registerLibrary(QStringLiteral("libdravel"));
    QCOMPARE(qApp->styleSheet(), sheet);
    QCOMPARE(TkTheme::registeredLibraries().count(QStringLiteral("libdravel")), 1);
}

void TestTkTheme::unknownImageIsNull()
{
    QVERIFY(!TkTheme::hasImage(QStringLiteral("no-such-image")));
    QVERIFY(TkTheme::pixmap(QStringLiteral("no-such-image")).isNull());
    QVERIFY(TkTheme::icon(QStringLiteral("no-such-image")).isNull());
}

void TestTkTheme::catalogueResolvesIds()
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("mms"));
    QVERIFY(TkLocale::setDefault(locale));
    QCOMPARE(qtTrId("qtn_mms_settings_divider_mms"), QStringLiteral("Multimedia message"));
    // Installing the same catalogue again neither fails nor duplicates it.
    QVERIFY(TkLocale::setDefault(locale));
}

void TestTkTheme::missingCatalogueIsReported()
{
    TkLocale locale;
    locale.installTrCatalog(QStringLiteral("no-such-catalogue"));
    QTest::ignoreMessage(QtWarningMsg, "translation catalogue not found: \"no-such-catalogue\"");
    QVERIFY(!TkLocale::setDefault(locale));
}

QTEST_MAIN(TestTkTheme)
#include "tst_tktheme.moc"
