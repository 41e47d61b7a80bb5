#include "contactcardfactory.h"
#include "contactcardfiles.h"
#include "contactthumbnail.h"

#include <QContactName>
#include <QContactPhoneNumber>
#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;
namespace files = contactcardfiles;

// Contact cards read from vCard files, with their photo as the thumbnail.
class TstContactCardFactory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsNameAndNumber();
    void photoBecomesThumbnail();
    void unusableFiles_data();
    void unusableFiles();
    void severalCards_data();
    void severalCards();

private:
    QTemporaryDir m_dir;
};

void TstContactCardFactory::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TstContactCardFactory::readsNameAndNumber()
{
    const QString path =
        files::write(m_dir.path(), "anna.vcf",
                     files::card({"N:Berg;Anna;;;", "FN:Anna Berg", "TEL:+358401111111"}));
    const QSharedPointer<QContact> contact = ContactCardFactory::getContactCardDetails(path, false);
    QVERIFY(contact);
    QCOMPARE(contact->detail<QContactName>().firstName(), QStringLiteral("Anna"));
    QCOMPARE(contact->detail<QContactName>().lastName(), QStringLiteral("Berg"));
    QCOMPARE(contact->detail<QContactPhoneNumber>().number(), QStringLiteral("+358401111111"));
    QVERIFY(ContactThumbnail::image(*contact).isNull());
}

void TstContactCardFactory::photoBecomesThumbnail()
{
    const QString path =
        files::write(m_dir.path(), "photo.vcf",
                     files::card({"N:Berg;Anna;;;", files::photoLine(QSize(8, 6), Qt::red)}));
    const QSharedPointer<QContact> contact = ContactCardFactory::getContactCardDetails(path, false);
    QVERIFY(contact);
    const QImage thumbnail = ContactThumbnail::image(*contact);
    QCOMPARE(thumbnail.size(), QSize(8, 6));
    QCOMPARE(thumbnail.pixelColor(3, 3), QColor(Qt::red));
}

void TstContactCardFactory::unusableFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a card") << QByteArray("hello\r\nworld\r\n");
    QTest::newRow("truncated") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna");
}

void TstContactCardFactory::unusableFiles()
{
    QFETCH(QByteArray, content);
    const QString path = files::write(m_dir.path(), "broken.vcf", content);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("contact card"));
    QVERIFY(!ContactCardFactory::getContactCardDetails(path, false));
}

void TstContactCardFactory::severalCards_data()
{
    QTest::addColumn<bool>("strict");
    QTest::addColumn<QString>("firstName");
    QTest::newRow("first card") << false << "Anna";
    QTest::newRow("strict gives none") << true << "";
}

void TstContactCardFactory::severalCards()
{
    QFETCH(bool, strict);
    QFETCH(QString, firstName);
    const QString path = files::write(
        m_dir.path(), "two.vcf", files::card({"N:Berg;Anna;;;"}) + files::card({"N:Dahl;Carl;;;"}));
    const QSharedPointer<QContact> contact =
        ContactCardFactory::getContactCardDetails(path, strict);
    QCOMPARE(contact ? contact->detail<QContactName>().firstName() : QString(), firstName);
}

QTEST_MAIN(TstContactCardFactory)
#include "tst_contactcardfactory.moc"
