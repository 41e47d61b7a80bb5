#include "tkrichtextedit.h"
#include "tktexteditmodel.h"

#include <QtTest>

// The editor's model follows the selection and names what changed.
class TstTkRichTextEdit : public QObject
{
    Q_OBJECT

private slots:
    void selectingFollowsTheSelection();
    void includesComparesNames();
};

void TstTkRichTextEdit::selectingFollowsTheSelection()
{
    TkRichTextEdit edit;
    edit.setPlainText("one two");
    QList<QList<const char*>> modified;
    connect(edit.model(), &TkTextEditModel::modified,
            [&modified](const QList<const char*>& members) { modified << members; });

    edit.selectAll();
    QVERIFY(edit.model()->isSelecting());
    QCOMPARE(modified.size(), 1);
    QVERIFY(TkTextEditModel::includes(modified.first(), TkTextEditModel::Selecting));

    // A selection that only changes its extent is still one selection.
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QCOMPARE(modified.size(), 1);

    cursor.clearSelection();
    edit.setTextCursor(cursor);
    QVERIFY(!edit.model()->isSelecting());
    QCOMPARE(modified.size(), 2);
}

void TstTkRichTextEdit::includesComparesNames()
{
    const QByteArray copied("selecting");
    QVERIFY(TkTextEditModel::includes({"other", copied.constData()}, TkTextEditModel::Selecting));
    QVERIFY(!TkTextEditModel::includes({"other"}, TkTextEditModel::Selecting));
    QVERIFY(!TkTextEditModel::includes({}, TkTextEditModel::Selecting));
}

QTEST_MAIN(TstTkRichTextEdit)
#include "tst_tkrichtextedit.moc"
