#include "imagemedia.h"
#include "mmsattachmentwidget.h"
#include "mmsbasecontainer.h"
#include "mmsbubbleicon.h"
#include "mmsconversationbubblestyle.h"
#include "mmsspinneroverlaystyle.h"
#include "tkstyleregistry.h"
#include "tktheme.h"

#include <QTemporaryDir>
#include <QtTest>

// The style classes of the widgets, as the library declares them and as the
// theme fills them.
class TstMmsWidgetStyles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void styleClassesBelongToTheLibrary();
    void themeSetsTheAttachmentAttributes();
    void newStyleNameIsAppliedOnce();
    void bubbleIconWithoutStyleSizeShowsTheDefaultIcon();

private:
    QTemporaryDir m_dir;
    QString m_picture;
};

void TstMmsWidgetStyles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_picture = imagemedia::writePicture(m_dir.filePath("p.png"), 40, 40, Qt::red);
    TkTheme::registerLibrary("libdravel");
}

void TstMmsWidgetStyles::styleClassesBelongToTheLibrary()
{
    // Linking a style class in is what declares it.
    MmsConversationBubbleStyle bubble;
    MmsSpinnerOverlayStyle spinner;
    MmsBaseContainer container;
    QVERIFY(qobject_cast<TkSceneWindowStyle*>(&spinner));
    const QStringList classes = TkStyleRegistry::styleClasses("libdravel");
    for (const char* name : {"MMSImageWidgetStyle", "MmsBaseContainerStyle",
                             "MmsConversationBubbleStyle", "MmsSpinnerOverlayStyle"}) {
        QVERIFY2(classes.contains(name), name);
        QCOMPARE(TkStyleRegistry::libraryOf(name), QString("libdravel"));
    }
    QVERIFY(!TkStyleRegistry::isRegistered("QWidget"));
}

void TstMmsWidgetStyles::themeSetsTheAttachmentAttributes()
{
    MMSAttachmentWidget widget(m_picture, "image/png", 0, false);
    widget.setStyleName("MMSViewerImageThumbnail");
    widget.ensurePolished();
    // 448 less the margins wide, three quarters of that high, margins around.
    QCOMPARE(widget.sizeHint(), QSize(448, 324 + 16));
}

void TstMmsWidgetStyles::newStyleNameIsAppliedOnce()
{
    MMSAttachmentWidget widget(m_picture, "image/png", 0, false);
    widget.setStyleName("MMSEditorThumbnail");
    widget.ensurePolished();
    QCOMPARE(widget.sizeHint(), QSize(240, 174 + 8));
    QTest::ignoreMessage(QtDebugMsg, "[MMS-IMAGE] Updating pixmap, preferred size QSize(448, 336)");
    widget.setStyleName("MMSViewerImageThumbnail");
    QTRY_COMPARE(widget.sizeHint(), QSize(448, 340));
    QCoreApplication::processEvents();
}

void TstMmsWidgetStyles::bubbleIconWithoutStyleSizeShowsTheDefaultIcon()
{
    MMSBubbleIcon icon(m_picture, "image/png");
    icon.ensurePolished();
    QCOMPARE(icon.sizeHint(), QWidget().sizeHint());
    icon.setMimeType("audio/amr");
    QCOMPARE(icon.sizeHint(), QSize(64, 64));
    QCOMPARE(icon.grab().toImage().pixelColor(32, 32),
             icon.pixmapForMime(QSize(64, 64)).toImage().pixelColor(32, 32));
}

QTEST_MAIN(TstMmsWidgetStyles)
#include "tst_mmswidgetstyles.moc"
