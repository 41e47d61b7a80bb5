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

    QTemporaryDir m_dir;

    QSharedPointer<QContact> read(const QByteArray& content, bool strict = false)
    {
        const QString path = files::write(m_dir.path(), "card.vcf", content);
        return ContactCardFactory::getContactCardDetails(path, strict);
    }

private slots:
    void readsNameNumberAndPhoto()
    {
        const QSharedPointer<QContact> contact =
            read(files::card({"N:Berg;Anna;;;", "FN:Anna Berg", "TEL:+358401111111",
                              files::photoLine(QSize(8, 6), Qt::red)}));
        QVERIFY(contact);
        QCOMPARE(contact->detail<QContactName>().firstName(), QStringLiteral("Anna"));
        QCOMPARE(contact->detail<QContactName>().lastName(), QStringLiteral("Berg"));
        QCOMPARE(contact->detail<QContactPhoneNumber>().number(), QStringLiteral("+358401111111"));
        const QImage thumbnail = ContactThumbnail::image(*contact);
        QCOMPARE(thumbnail.size(), QSize(8, 6));
        QCOMPARE(thumbnail.pixelColor(3, 3), QColor(Qt::red));
    }

    void unusableFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addRow("empty") << QByteArray();
        QTest::addRow("not a card") << QByteArray("hello\r\nworld\r\n");
        QTest::addRow("truncated") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna");
    }

    void unusableFiles()
    {
        QFETCH(QByteArray, content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("contact card"));
        QVERIFY(!read(content));
    }

    // A file of several cards gives the first, or none when strict.
    void severalCards_data()
    {
        QTest::addColumn<bool>("strict");
        QTest::addColumn<QString>("firstName");
        QTest::addRow("first card") << false << "Anna";
        QTest::addRow("strict gives none") << true << "";
    }

    void severalCards()
    {
        QFETCH(bool, strict);
        QFETCH(QString, firstName);
        const QSharedPointer<QContact> contact =
            read(files::card({"N:Berg;Anna;;;"}) + files::card({"N:Dahl;Carl;;;"}), strict);
        QCOMPARE(contact ? contact->detail<QContactName>().firstName() : QString(), firstName);
    }
};

QTEST_MAIN(TstContactCardFactory)
#include "tst_contactcardfactory.moc"
