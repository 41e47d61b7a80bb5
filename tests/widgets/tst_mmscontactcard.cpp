#include "avatarwidget.h"
#include "contactcardfiles.h"
#include "contactsgui.h"
#include "mmscontactcard.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace files = contactcardfiles;

// The contact-card bubble: its name by the contacts application's name order
// and the fallbacks, its picture, and the card view it opens.
class TstMmsContactCard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void name_data();
    void name();
    void nameOrderIsLogged();
    void unreadableFileShowsTitleOnly();
    void photoIsShownByTheAvatar();
    void tapOpensTheCardView_data();
    void tapOpensTheCardView();

private:
    static void setNameOrder(const QVariant& order);
    static QString shownName(const MmsContactCard& card);
    static QList<ContactsGui*> openCardViews();
    QString write(const QString& fileName, const QStringList& lines);

    QTemporaryDir m_dir;
};

void TstMmsContactCard::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The test's own configuration folder, never the user's.
    QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").endsWith("tst_mmscontactcard.home/.config"));
}

void TstMmsContactCard::cleanup()
{
    setNameOrder(QVariant());
    qDeleteAll(openCardViews());
}

void TstMmsContactCard::setNameOrder(const QVariant& order)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Quenda", "Contacts");
    if (order.isValid())
        settings.setValue("nameOrder", order);
    else
        settings.remove("nameOrder");
    settings.sync();
}

QString TstMmsContactCard::shownName(const MmsContactCard& card)
{
    return card.findChild<QLabel*>("mmsContactCardName")->text();
}

QList<ContactsGui*> TstMmsContactCard::openCardViews()
{
    QList<ContactsGui*> views;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<ContactsGui*>(widget))
            views << view;
    }
    return views;
}

QString TstMmsContactCard::write(const QString& fileName, const QStringList& lines)
{
    return files::write(m_dir.path(), fileName, files::card(lines));
}


void TstMmsContactCard::name_data()
{
    QTest::addColumn<QVariant>("nameOrder");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");

    const QStringList anna{"N:Berg;Anna;;;", "FN:Anna B.", "NICKNAME:Annie"};
    QTest::newRow("first-last") << QVariant("first-last") << anna << "Anna Berg";
    QTest::newRow("last-first") << QVariant("last-first") << anna << "Berg Anna";
    QTest::newRow("no setting: display label") << QVariant() << anna << "Anna B.";
    QTest::newRow("unknown order: display label") << QVariant("sideways") << anna << "Anna B.";
    QTest::newRow("first name only")
        << QVariant("last-first") << QStringList{"N:;Anna;;;"} << "Anna";
    QTest::newRow("percent signs stay literal")
        << QVariant("first-last") << QStringList{"N:%2;50%1;;;"} << "50%1 %2";
    QTest::newRow("blank names: nickname")
        << QVariant("first-last") << QStringList{"N: ; ;;;", "NICKNAME:Annie"} << "Annie";
    QTest::newRow("nothing: file base name")
        << QVariant("first-last") << QStringList{"TEL:+358401111111"} << "card-of-anna";
}

void TstMmsContactCard::name()
{
    QFETCH(QVariant, nameOrder);
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);

    setNameOrder(nameOrder);
    MmsContactCard card(write("card-of-anna.vcf", lines));
    QCOMPARE(shownName(card), expected);
}

void TstMmsContactCard::nameOrderIsLogged()
{
    setNameOrder("last-first");
    QTest::ignoreMessage(QtDebugMsg, "[MMS-CONTACTCARD] Contacts/nameOrder setting \"last-first\"");
    MmsContactCard card(write("anna.vcf", {"N:Berg;Anna;;;"}));
}

void TstMmsContactCard::unreadableFileShowsTitleOnly()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
    MmsContactCard card(m_dir.filePath("missing.vcf"));
    QCOMPARE(card.findChild<QLabel*>("mmsContactCardTitle")->text(),
             qtTrId("qtn_msg_contact_card_label"));
    QCOMPARE(shownName(card), QString());
    QVERIFY(card.findChild<AvatarWidget*>()->pixmap().isNull());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot open contact card"));
    QTest::mouseClick(&card, Qt::LeftButton);
    QVERIFY(openCardViews().isEmpty());
}

void TstMmsContactCard::photoIsShownByTheAvatar()
{
    MmsContactCard card(
        write("photo.vcf", {"N:Berg;Anna;;;", files::photoLine(QSize(10, 10), Qt::green)}));
    const QPixmap picture = card.findChild<AvatarWidget*>()->pixmap();
    QCOMPARE(picture.size(), QSize(10, 10));
    QCOMPARE(picture.toImage().pixelColor(5, 5), QColor(Qt::green));
}

void TstMmsContactCard::tapOpensTheCardView_data()
{
    QTest::addColumn<QString>("tapped");
    QTest::newRow("card") << "mmsContactCard";
    QTest::newRow("avatar") << "mmsContactCardAvatar";
}

void TstMmsContactCard::tapOpensTheCardView()
{
    QFETCH(QString, tapped);
    MmsContactCard card(write("anna.vcf", {"N:Berg;Anna;;;", "TEL:+358401111111"}));
    card.resize(300, 80);
    QWidget* target = card.objectName() == tapped ? static_cast<QWidget*>(&card)
                                                  : card.findChild<QWidget*>(tapped);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
    const QList<ContactsGui*> views = openCardViews();
    QCOMPARE(views.size(), 1);
    QCOMPARE(views.first()->shownName(), QStringLiteral("Anna Berg"));
}

QTEST_MAIN(TstMmsContactCard)
#include "tst_mmscontactcard.moc"
