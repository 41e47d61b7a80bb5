#include "contactlistlabel.h"
#include "contactwidgetsgallery.h"
#include "customselectablelabel.h"
#include "mmscontactcard.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The demo's sample contact widgets come out working.
class TstContactWidgetsGallery : public QObject
{
    Q_OBJECT

private slots:
    void oneOfEachWidget();
    void unwritableFolderGivesNothing();
};

void TstContactWidgetsGallery::oneOfEachWidget()
{
    QTemporaryDir dir;
    QWidget parent;
    const QList<QWidget*> widgets = ContactWidgetsGallery::create(dir.path(), &parent);
    QCOMPARE(widgets.size(), 3);
    for (QWidget* widget : widgets)
        QCOMPARE(widget->parentWidget(), &parent);

    auto* addresses = qobject_cast<ContactListLabel*>(widgets.at(0));
    QVERIFY(addresses);
    QSignalSpy resolved(addresses, &ContactListLabel::contactsResolved);
    QVERIFY(resolved.wait());
    QVERIFY(addresses->text().contains(QLatin1String("Anna Berg</a>; someone@example.com")));

    auto* card = qobject_cast<MmsContactCard*>(widgets.at(1));
    QVERIFY(card);
    QCOMPARE(card->findChild<QLabel*>("mmsContactCardName")->text(), QStringLiteral("Anna Berg"));

    QVERIFY(qobject_cast<CustomSelectableLabel*>(widgets.at(2)));

    // A second gallery stores no second contact, so the number stays resolvable.
    QWidget again;
    auto* second =
        qobject_cast<ContactListLabel*>(ContactWidgetsGallery::create(dir.path(), &again).value(0));
    QSignalSpy resolvedAgain(second, &ContactListLabel::contactsResolved);
    QVERIFY(resolvedAgain.wait());
    QVERIFY(second->text().startsWith(QLatin1String("<a href=")));
}

void TstContactWidgetsGallery::unwritableFolderGivesNothing()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    QVERIFY(ContactWidgetsGallery::create(dir.filePath("file/below")).isEmpty());
}

QTEST_MAIN(TstContactWidgetsGallery)
#include "tst_contactwidgetsgallery.moc"
