#include "customedit.h"
#include "customselectablelabel.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QLabel>
#include <QTapAndHoldGesture>
#include <QTextBlock>
#include <QtTest>

// Message text as a label that turns into a read-only editor on a long press,
// with the pressed word selected, and back when the selection ends.
class TstCustomSelectableLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsAsLabel();
    void lineFeedBreaksTheLineInBothModes();
    void markupIsShownAsText();
    void emoticonsAreImagesInBothModes();
    void longPressOnWordSelectsIt();
    void longPressOnEmptySpaceReturnsToLabel();
    void endOfSelectionReturnsToLabel();
    void copyGivesEmoticonsAsText();

private:
    QPoint wordPosition(const QString& word) const;

    CustomSelectableLabel* m_label = nullptr;
};

void TstCustomSelectableLabel::initTestCase()
{
    // A long press, not an ordinary tap, stands in for tap-and-hold.
    QTapAndHoldGesture::setTimeout(100);
}

void TstCustomSelectableLabel::init()
{
    m_label = new CustomSelectableLabel(QStringLiteral("Hello wide world"));
    m_label->resize(400, 300);
    m_label->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_label));
}

void TstCustomSelectableLabel::cleanup()
{
    delete m_label;
}

// The centre of the word in the label's coordinates, as laid out by the editor
// that the label turns into.
QPoint TstCustomSelectableLabel::wordPosition(const QString& word) const
{
    m_label->switchToEdit();
    QTextDocument* document = m_label->editor()->document();
    QTextCursor cursor(document);
    cursor.setPosition(document->toPlainText().indexOf(word) + word.size() / 2);
    const QTextBlock block = cursor.block();
    // Lays the block out first.
    const QPointF blockTopLeft = document->documentLayout()->blockBoundingRect(block).topLeft();
    const QTextLine line = block.layout()->lineForTextPosition(cursor.positionInBlock());
    const QPointF inBlock(line.cursorToX(cursor.positionInBlock()), line.y() + line.height() / 2);
    const QPoint position =
        m_label->editor()->viewport()->mapTo(m_label, (blockTopLeft + inBlock).toPoint());
    m_label->switchToLabel();
    return position;
}

void TstCustomSelectableLabel::startsAsLabel()
{
    QVERIFY(!m_label->isEditMode());
    QVERIFY(m_label->label()->isVisible());
    QVERIFY(!m_label->editor()->isVisible());
    QVERIFY(m_label->editor()->isReadOnly());
}

void TstCustomSelectableLabel::lineFeedBreaksTheLineInBothModes()
{
    m_label->setText(QStringLiteral("first\nsecond"));
    QVERIFY(m_label->label()->text().contains(QLatin1String("first<br>second")));
    QLabel oneLine(QStringLiteral("first"));
    oneLine.setFont(m_label->label()->font());
    QVERIFY(m_label->label()->sizeHint().height() >= 2 * oneLine.sizeHint().height() - 2);

    QTextDocument* document = m_label->editor()->document();
    QCOMPARE(document->toPlainText(), QStringLiteral("first\nsecond"));
    document->adjustSize();
    QCOMPARE(document->firstBlock().layout()->lineCount(), 2);
}

void TstCustomSelectableLabel::markupIsShownAsText()
{
    m_label->setText(QStringLiteral("<b>bold</b> & <br>"));
    QCOMPARE(m_label->editor()->toPlainText(), QStringLiteral("<b>bold</b> & <br>"));
    QVERIFY(m_label->label()->text().contains(QLatin1String("&lt;b&gt;bold&lt;/b&gt; &amp;")));
}

void TstCustomSelectableLabel::emoticonsAreImagesInBothModes()
{
    m_label->setText(QStringLiteral("hi :-)"));
    QVERIFY(m_label->label()->text().contains(QLatin1String("<img")));
    QTextCursor cursor(m_label->editor()->document());
    cursor.movePosition(QTextCursor::End);
    QVERIFY(cursor.charFormat().isImageFormat());
}


void TstCustomSelectableLabel::longPressOnWordSelectsIt()
{
    const QPoint word = wordPosition(QStringLiteral("wide"));
    QTest::mousePress(m_label->label(), Qt::LeftButton, {},
                      m_label->label()->mapFrom(m_label, word));
    QTRY_VERIFY(m_label->editor()->textCursor().hasSelection());
    QVERIFY(m_label->isEditMode());
    QVERIFY(m_label->editor()->isVisible());
    QVERIFY(!m_label->label()->isVisible());
    QCOMPARE(m_label->editor()->textCursor().selectedText(), QStringLiteral("wide"));
}

void TstCustomSelectableLabel::longPressOnEmptySpaceReturnsToLabel()
{
    int editorShown = 0;
    struct ShowFilter : QObject
    {
        int* count;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Show)
                ++*count;
            return false;
        }
    } filter;
    filter.count = &editorShown;
    m_label->editor()->installEventFilter(&filter);

    const QPoint blank(200, 280);
    QTest::mousePress(m_label->childAt(blank), Qt::LeftButton, {},
                      m_label->childAt(blank)->mapFrom(m_label, blank));
    QTRY_VERIFY(editorShown == 1 && !m_label->isEditMode());
    QVERIFY(!m_label->editor()->textCursor().hasSelection());
    QVERIFY(m_label->label()->isVisible());
    QVERIFY(!m_label->editor()->isVisible());
}

void TstCustomSelectableLabel::endOfSelectionReturnsToLabel()
{
    const QPoint word = wordPosition(QStringLiteral("world"));
    QTest::mousePress(m_label->label(), Qt::LeftButton, {},
                      m_label->label()->mapFrom(m_label, word));
    QTRY_VERIFY(m_label->isEditMode() && m_label->editor()->textCursor().hasSelection());
    QTextCursor cursor = m_label->editor()->textCursor();
    cursor.clearSelection();
    m_label->editor()->setTextCursor(cursor);
    QVERIFY(!m_label->isEditMode());
    QVERIFY(m_label->label()->isVisible());
}

void TstCustomSelectableLabel::copyGivesEmoticonsAsText()
{
    m_label->setText(QStringLiteral("hi :-) there"));
    CustomEdit* editor = m_label->editor();
    editor->selectAll();
    editor->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("hi :-) there"));

    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    QTextCursor cursor = editor->textCursor();
    cursor.clearSelection();
    editor->setTextCursor(cursor);
    editor->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
}

QTEST_MAIN(TstCustomSelectableLabel)
#include "tst_customselectablelabel.moc"
