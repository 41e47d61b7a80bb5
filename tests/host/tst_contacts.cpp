#include "avatarwidget.h"
#include "contactcardfactory.h"
#include "contactcardfiles.h"
#include "contactlocalid.h"
#include "contactsgui.h"
#include "contactthumbnail.h"
#include "testcontacts.h"
#include "tktheme.h"

#include <QContactManager>
#include <QContactName>
#include <QContactPhoneNumber>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;
namespace files = contactcardfiles;

namespace {

QImage filled(const QColor& colour, int size = 16)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QColor shownAt(AvatarWidget& avatar, const QPoint& point)
{
    QImage shown(avatar.size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::transparent);
    avatar.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
    return shown.pixelColor(point);
}

} // namespace

// The contacts stand-in: contact card files it refuses (the contact card widget's test reads
// good ones), the avatar showing a thumbnail, local ids and the contacts application's card
// view (opened for a stored contact's number and for a new contact).
class TstContacts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QSharedPointer<QContact> read(const QByteArray& content, bool strict = false)
    {
        const QString path = files::write(m_dir.path(), "card.vcf", content);
        return ContactCardFactory::getContactCardDetails(path, strict);
    }

private slots:
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
    void severalCards()
    {
        const QByteArray two = files::card({"N:Berg;Anna;;;"}) + files::card({"N:Dahl;Carl;;;"});
        QCOMPARE(read(two)->detail<QContactName>().firstName(), QStringLiteral("Anna"));
        QVERIFY(!read(two, true));
    }

    // With the theme's mask (opaque where the picture is cut away) and frame inside the
    // rounded square only, and without them (the theme taken away for a while) plainly.
    void avatarShowsTheLatestThumbnailWithoutTheme()
    {
        Q_CLEANUP_RESOURCE(theme);
        QContact contact;
        contact.setId(ContactLocalId::toContactId("qtcontacts:memory:", 7));
        ContactThumbnail::setImage(contact, filled(Qt::blue));
        ContactThumbnail::setImage(contact, filled(Qt::red));
        AvatarWidget avatar;
        avatar.setContact(contact);
        QCOMPARE(avatar.contactId(), 7u);
        avatar.resize(avatar.sizeHint());
        QCOMPARE(shownAt(avatar, QPoint(0, 0)), QColor(Qt::red));
        avatar.setContact(QContact());
        QVERIFY(avatar.pixmap().isNull());
        QCOMPARE(avatar.contactId(), 0u);
        Q_INIT_RESOURCE(theme);
    }

    void avatarMaskCutsTheCornersAway()
    {
        QVERIFY(TkTheme::hasImage(QStringLiteral("veltotouch-contactsui-avatar-mask")));
        AvatarWidget avatar;
        avatar.resize(64, 64);
        avatar.setPixmap(QPixmap::fromImage(filled(Qt::green, 64)));
        QCOMPARE(shownAt(avatar, QPoint(32, 32)), QColor(Qt::green));
        QVERIFY(shownAt(avatar, QPoint(0, 0)) != QColor(Qt::green));
    }

    // A stored contact's card opens by its local id, the link target of a number.
    void opensStoredContact_data()
    {
        QTest::addColumn<bool>("withManager");
        QTest::addColumn<int>("localId");
        QTest::addColumn<QString>("shownName");
        QTest::addRow("stored") << true << -1 << "Carl";
        QTest::addRow("not stored") << true << 999 << "";
        QTest::addRow("no contact") << true << 0 << "";
        QTest::addRow("no store") << false << 1 << "";
    }

    void opensStoredContact()
    {
        QFETCH(bool, withManager);
        QFETCH(int, localId);
        QFETCH(QString, shownName);
        QContactManager manager("memory");
        QContact carl = testContact("Carl", "", "");
        QVERIFY(manager.saveContact(&carl));
        const uint id = localId < 0 ? ContactLocalId::fromContactId(carl.id()) : uint(localId);
        if (shownName.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No stored contact"));
        QScopedPointer<ContactsGui> card(
            ContactsGui::showContactCard(withManager ? &manager : nullptr, id));
        QCOMPARE(card ? card->shownName() : QString(), shownName);
    }

    void newContactHasThePhoneNumber()
    {
        QScopedPointer<ContactsGui> card(ContactsGui::showNewContactCard("+358402222222"));
        // Its openers leave it to close itself.
        QVERIFY(card->isVisible() && card->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(card->contact().id().isNull());
        QCOMPARE(card->contact().detail<QContactPhoneNumber>().number(),
                 QStringLiteral("+358402222222"));
        QStringList texts;
        for (const QLabel* label : card->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains("+358402222222"));
    }

    void localIdsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("localId");
        QTest::addRow("link target") << "42" << 42u;
        QTest::addRow("not a number") << "4x2" << 0u;
        QTest::addRow("negative") << "-1" << 0u;
        QTest::addRow("empty") << "" << 0u;
    }

    void localIdsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(uint, localId);
        QCOMPARE(ContactLocalId::fromText(text), localId);
        const QContactId id = ContactLocalId::toContactId("qtcontacts:memory:", localId);
        QCOMPARE(id.isNull(), localId == 0);
        QCOMPARE(ContactLocalId::fromContactId(id), localId);
    }
};

QTEST_MAIN(TstContacts)
#include "tst_contacts.moc"
