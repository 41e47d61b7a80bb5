#include "avatarwidget.h"
#include "clickablebubble.h"
#include "contactcardfiles.h"
#include "contactlistlabel.h"
#include "contactlocalid.h"
#include "contactmanagers.h"
#include "contactsgui.h"
#include "customedit.h"
#include "customselectablelabel.h"
#include "mmscontactcard.h"
#include "testcontacts.h"
#include "tkstyle.h"
#include "widgettest.h"

#include <QApplication>
#include <QClipboard>
#include <QContactExtendedDetail>
#include <QLabel>
#include <QSettings>
#include <QTapAndHoldGesture>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

using namespace QtContacts;
namespace files = contactcardfiles;

namespace {

// Counts the presses that reach a child.
class PressCounter : public QLabel
{
public:
    using QLabel::QLabel;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        QLabel::mousePressEvent(event);
    }
};

void resolve(ContactListLabel& label)
{
    QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
    label.startContactResolving();
    QVERIFY(resolved.count() == 1 || resolved.wait());
}

void setNameOrder(const QVariant& order)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts");
    if (order.isValid())
        settings.setValue("nameOrder", order);
    else
        settings.remove("nameOrder");
}

QString shownName(const MmsContactCard& card)
{
    return card.findChild<QLabel*>("mmsContactCardName")->text();
}

QList<ContactsGui*> openCardViews()
{
    QList<ContactsGui*> views;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<ContactsGui*>(widget))
            views << view;
    }
    return views;
}

// The middle of the word in the label's coordinates, as laid out by the
// editor that the label turns into.
QPoint wordPosition(CustomSelectableLabel* label, const QString& word)
{
    label->switchToEdit();
    QTextCursor cursor(label->editor()->document());
    cursor.setPosition(label->editor()->toPlainText().indexOf(word) + word.size() / 2);
    const QPoint position =
        label->editor()->viewport()->mapTo(label, label->editor()->cursorRect(cursor).center());
    label->switchToLabel();
    return position;
}

// A long press, not an ordinary tap, on the given point of the label.
void longPress(CustomSelectableLabel* label, const QPoint& at)
{
    QWidget* target = label->childAt(at);
    QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(label, at));
}

} // namespace

// The contact widgets: tappable bubbles, address lists resolved to contacts,
// selectable message text and contact cards, on the process-wide "memory"
// contacts store.
class TestContactWidgets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QTapAndHoldGesture::setTimeout(100);
        // The test's own configuration folder, never the user's.
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").endsWith(".home/.config"));
        m_manager = mmsui::utils::getContactManager();
        // Each contact's link as a resolved address shows it.
        const QList<std::tuple<QString, QContact, QString>> contacts{
            {"anna", testContact("Anna", "Berg", "+358401111111", "anna@example.com"), "Anna Berg"},
            {"carl", testContact("Carl", "Dahl", "+358402222222", "carl@example.com"), "Carl Dahl"},
            {"twin1", testContact("Ed", "Twin", "+358403333333"), ""},
            {"twin2", testContact("Ida", "Twin", "+358403333333"), ""},
            {"percent", testContact("50%1", "%2 off", "+358404444444"), "50%1 %2 off"},
            {"markup", testContact("<b>Eve", "&Co", "+358405555555"), "&lt;b&gt;Eve &amp;Co"},
        };
        for (auto [key, contact, shown] : contacts) {
            QVERIFY(m_manager->saveContact(&contact));
            m_links.insert(key, QString("<a href=\"%1\">%2</a>")
                                    .arg(ContactLocalId::fromContactId(contact.id()))
                                    .arg(shown));
        }
    }
    void cleanup()
    {
        setNameOrder(QVariant());
        qDeleteAll(openCardViews());
    }

    // A press shows the bubble pressed; a release inside taps it, one slid away cancels.
    void bubbleTap_data()
    {
        columns<bool, QPoint, int>({"onWatchedChild", "releaseAt", "clicks"});
        QTest::addRow("inside") << false << QPoint(150, 30) << 1;
        QTest::addRow("slid away") << false << QPoint(250, 30) << 0;
        QTest::addRow("watched child") << true << QPoint(20, 20) << 1;
    }
    void bubbleTap()
    {
        QFETCH(bool, onWatchedChild);
        QFETCH(QPoint, releaseAt);
        ClickableBubble bubble;
        bubble.resize(200, 60);
        auto* child = new PressCounter(QStringLiteral("child"), &bubble);
        child->setGeometry(10, 10, 40, 40);
        if (onWatchedChild)
            child->installEventFilter(&bubble);
        QWidget* target = onWatchedChild ? static_cast<QWidget*>(child) : &bubble;
        QSignalSpy clicked(&bubble, &ClickableBubble::clicked);
        QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(&bubble, QPoint(20, 20)));
        QCOMPARE(tk::styleMode(&bubble), QStringLiteral("pressed"));
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(&bubble, releaseAt));
        QTEST(clicked.count(), "clicks");
        QCOMPARE(tk::styleMode(&bubble), QString());
        QCOMPARE(child->presses, 0);
        child->removeEventFilter(&bubble); // an unwatched child keeps its events
        QTest::mouseClick(child, Qt::LeftButton);
        QCOMPARE(child->presses, 1);
    }

    // Addresses turn into links to the one stored contact that owns them.
    void resolving_data()
    {
        columns<QString, QString>({"addresses", "expected"});
        const auto row = [](const char* tag, const char* addresses, const char* expected) {
            QTest::addRow("%s", tag) << addresses << expected;
        };
        row("every address resolved", "+358401111111; carl@example.com", "{anna}; {carl}");
        row("two contacts share the number, the next is tried", "+358403333333; anna@example.com",
            "+358403333333; {anna}");
        row("unknown address stays plain", "nobody@example.com; +358402222222",
            "nobody@example.com; {carl}");
        row("unknown address after a resolved one", "+358401111111; nobody@example.com",
            "{anna}; nobody@example.com");
        row("e-mail matches exactly only", "ANNA@example.com.org", "ANNA@example.com.org");
        row("percent signs in names stay literal", "+358404444444", "{percent}");
        row("markup in names is shown as text", "+358405555555", "{markup}");
        row("empty list", "", "");
    }
    void resolving()
    {
        QFETCH(QString, addresses);
        QFETCH(QString, expected);
        const QStringList list = addresses.isEmpty() ? QStringList() : addresses.split("; ");
        ContactListLabel label;
        label.setAddressList(list);
        QCOMPARE(label.text(), addresses);
        QSignalSpy resolved(&label, &ContactListLabel::contactsResolved);
        label.startContactResolving();
        QVERIFY(resolved.count() == 1 || (!list.isEmpty() && resolved.wait()));
        // Late answers would show up as further signals once events run.
        QCoreApplication::processEvents();
        QCOMPARE(QStringList({QString::number(resolved.count()), label.text(),
                              label.addressList().join("; ")}),
                 QStringList({"1", linked(expected), linked(expected)}));
    }

    void unmatchedAddressIsLogged()
    {
        ContactListLabel label;
        label.setAddressList({"+358403333333"});
        QTest::ignoreMessage(
            QtDebugMsg, "[MMS-VIEWER-CONTACT] Searching contact for address: \"+358403333333\"");
        QTest::ignoreMessage(QtDebugMsg,
                             "[MMS-VIEWER-CONTACT] Address not resolved, contacts count 2");
        resolve(label);
    }

    void originalStoreIdIsTheLinkTarget()
    {
        QContact aggregate = testContact("Olga", "Ek", "+358406666666");
        QContactExtendedDetail original;
        original.setName("OriginalContactId");
        original.setData(QVariantMap{{"OriginalContactIdField", 4242}});
        aggregate.saveDetail(&original);
        QVERIFY(m_manager->saveContact(&aggregate));
        ContactListLabel label;
        label.setAddressList({"+358406666666"});
        resolve(label);
        QCOMPARE(label.text(), QStringLiteral("<a href=\"4242\">Olga Ek</a>"));
        QVERIFY(m_manager->removeContact(aggregate.id()));
    }

    // A new list drops the running search; labels chained on the signal resolve in turn.
    void searchesFollowOneAnother()
    {
        ContactListLabel to;
        ContactListLabel cc;
        to.setAddressList({"+358402222222"});
        to.startContactResolving();
        to.setAddressList({"+358401111111"});
        cc.setAddressList({"nobody@example.com", "carl@example.com"});
        connect(&to, &ContactListLabel::contactsResolved, &cc,
                &ContactListLabel::startContactResolving);
        QSignalSpy ccResolved(&cc, &ContactListLabel::contactsResolved);
        to.startContactResolving();
        QVERIFY(ccResolved.wait());
        QCOMPARE(to.text(), linked("{anna}"));
        QCOMPARE(cc.text(), linked("nobody@example.com; {carl}"));
    }

    // Message text shows as a label and as the read-only editor it turns into;
    // emoticons are pictures in both.
    void selectableText_data()
    {
        columns<QString, QString>({"text", "inLabel"});
        QTest::addRow("line feed") << QString("first\nsecond") << "first<br>second";
        QTest::addRow("markup") << QString("<b>bold</b> & <br>") << "&lt;b&gt;bold&lt;/b&gt; &amp;";
        QTest::addRow("emoticon") << QString("hi :-)") << "<img";
    }
    void selectableText()
    {
        QFETCH(QString, text);
        QFETCH(QString, inLabel);
        CustomSelectableLabel label(text);
        showLarge(&label);
        QVERIFY(label.label()->text().contains(inLabel));
        QTextDocument* document = label.editor()->document();
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        if (inLabel == "<img")
            QVERIFY(end.charFormat().isImageFormat());
        else
            QCOMPARE(document->toPlainText(), text);
        document->adjustSize();
        if (text.contains('\n'))
            QCOMPARE(document->firstBlock().layout()->lineCount(), 2);
    }

    // A long press on a word selects it in the editor; the end of the selection
    // returns to the label.
    void longPressOnWord()
    {
        CustomSelectableLabel label(QStringLiteral("Hello wide world"));
        showLarge(&label);
        longPress(&label, wordPosition(&label, QStringLiteral("wide")));
        QTRY_COMPARE(label.editor()->textCursor().selectedText(), QStringLiteral("wide"));
        const auto shown = [&] {
            return QPair(label.label()->isVisible(), label.editor()->isVisible());
        };
        QCOMPARE(shown(), QPair(false, true));
        QTextCursor cursor = label.editor()->textCursor();
        cursor.clearSelection();
        label.editor()->setTextCursor(cursor);
        QCOMPARE(shown(), QPair(true, false));
    }

    void longPressOnEmptySpaceReturnsToLabel()
    {
        CustomSelectableLabel label(QStringLiteral("Hello wide world"));
        showLarge(&label);
        int editorShown = 0;
        struct ShowFilter : QObject
        {
            int* count;
            bool eventFilter(QObject*, QEvent* event) override
            {
                *count += event->type() == QEvent::Show;
                return false;
            }
        } filter;
        filter.count = &editorShown;
        label.editor()->installEventFilter(&filter);
        longPress(&label, QPoint(200, 280));
        QTRY_VERIFY(editorShown == 1 && !label.isEditMode());
        QVERIFY(!label.editor()->textCursor().hasSelection() && label.label()->isVisible());
    }

    void copyGivesEmoticonsAsText()
    {
        CustomSelectableLabel label(QStringLiteral("hi :-) there"));
        CustomEdit* editor = label.editor();
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

    // The card's name by the contacts application's name order and the fallbacks.
    void cardName_data()
    {
        columns<QVariant, QStringList, QString>({"nameOrder", "lines", "expected"});
        const QStringList anna{"N:Berg;Anna;;;", "FN:Anna B.", "NICKNAME:Annie"};
        const QVariant firstLast("first-last");
        QTest::addRow("first-last") << firstLast << anna << "Anna Berg";
        QTest::addRow("last-first") << QVariant("last-first") << anna << "Berg Anna";
        QTest::addRow("no setting: display label") << QVariant() << anna << "Anna B.";
        QTest::addRow("unknown order: display label") << QVariant("sideways") << anna << "Anna B.";
        QTest::addRow("percent signs stay literal")
            << firstLast << QStringList{"N:%2;50%1;;;"} << "50%1 %2";
        QTest::addRow("blank names: nickname")
            << firstLast << QStringList{"N: ; ;;;", "NICKNAME:Annie"} << "Annie";
        QTest::addRow("nothing: file base name")
            << firstLast << QStringList{"TEL:+358401111111"} << "card-of-anna";
    }
    void cardName()
    {
        QFETCH(QVariant, nameOrder);
        QFETCH(QStringList, lines);
        setNameOrder(nameOrder);
        if (nameOrder.isValid())
            QTest::ignoreMessage(QtDebugMsg, qPrintable("[MMS-CONTACTCARD] Contacts/nameOrder "
                                                        "setting \"" +
                                                        nameOrder.toString() + '"'));
        MmsContactCard card(files::write(m_dir.path(), "card-of-anna.vcf", files::card(lines)));
        QTEST(shownName(card), "expected");
    }

    void unreadableCardShowsTitleOnly()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
        MmsContactCard card(m_dir.filePath("missing.vcf"));
        QCOMPARE(
            QStringList({card.findChild<QLabel*>("mmsContactCardTitle")->text(), shownName(card)}),
            QStringList({qtTrId("qtn_msg_contact_card_label"), ""}));
        QVERIFY(card.findChild<AvatarWidget*>()->pixmap().isNull());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
        QTest::mouseClick(&card, Qt::LeftButton);
        QVERIFY(openCardViews().isEmpty());
    }

    void cardPhotoIsShownByTheAvatar()
    {
        MmsContactCard card(files::write(
            m_dir.path(), "photo.vcf",
            files::card({"N:Berg;Anna;;;", files::photoLine(QSize(10, 10), Qt::green)})));
        const QImage picture = card.findChild<AvatarWidget*>()->pixmap().toImage();
        QCOMPARE(QPair(picture.size(), colours(picture, {{5, 5}})),
                 QPair(QSize(10, 10), QStringList("#00ff00")));
    }

    void tapOpensTheCardView_data()
    {
        QTest::addColumn<QString>("tapped");
        QTest::addRow("card") << "mmsContactCard";
        QTest::addRow("avatar") << "mmsContactCardAvatar";
    }
    void tapOpensTheCardView()
    {
        QFETCH(QString, tapped);
        MmsContactCard card(files::write(m_dir.path(), "anna.vcf",
                                         files::card({"N:Berg;Anna;;;", "TEL:+358401111111"})));
        card.resize(300, 80);
        QWidget* target = card.objectName() == tapped ? static_cast<QWidget*>(&card)
                                                      : card.findChild<QWidget*>(tapped);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
        QStringList shown;
        for (ContactsGui* view : openCardViews())
            shown << view->shownName();
        QCOMPARE(shown, QStringList("Anna Berg"));
    }

private:
    // "{anna}" stands for the link to Anna.
    QString linked(QString text) const
    {
        for (auto it = m_links.cbegin(); it != m_links.cend(); ++it)
            text.replace('{' + it.key() + '}', it.value());
        return text;
    }
    static void showLarge(CustomSelectableLabel* label)
    {
        label->resize(400, 300);
        label->show();
        QVERIFY(QTest::qWaitForWindowExposed(label));
    }

    QTemporaryDir m_dir;
    QSharedPointer<QContactManager> m_manager;
    QMap<QString, QString> m_links;
};

QTEST_MAIN(TestContactWidgets)
#include "tst_contactwidgets.moc"
