#include "contactmanagers.h"
#include "coredomain.h"
#include "emoticontransformer.h"
#include "emoticonutils.h"
#include "recipientaddresses.h"
#include "storage.h"
#include "testcontacts.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QtTest>

using namespace QtContacts;
using Parameters = QMap<QString, QString>;
using RecipientRoles = Tollis::Recipient;

Q_DECLARE_METATYPE(QList<RecipientRoles>)

// The utilities: contact back-end selection and the keyword search on the "memory" back-end, the
// content of restricted creation mode, addresses from the entries of the recipients editor, text
// emoticons to theme images and back, free space before writing a message and the private storage
// test (last: it moves the home folder).
class TstUtils : public QObject
{
    Q_OBJECT

private slots:
    // A private, empty accounts database.
    void initTestCase()
    {
        m_contacts = mmsui::utils::keywordContactManager();
        QCOMPARE(m_contacts->managerName(), QStringLiteral("memory"));
        qputenv("ACCOUNTS", m_dir.path().toUtf8());
    }

    void cleanup() { m_contacts->removeContacts(m_contacts->contactIds()); }

    void preferenceOrder_data()
    {
        QTest::addColumn<QStringList>("usable");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("contactTypes");
        const auto row = [](const char* name, const QStringList& usable, const char* expected,
                            bool contactTypes) {
            QTest::newRow(name) << usable << QString(expected) << contactTypes;
        };
        row("all three: aggregated", {"tracker", "activesync", "aggregated"}, "aggregated", false);
        row("tracker and activesync, no aggregated", {"activesync", "tracker"}, "tracker", true);
        row("aggregated and tracker, no activesync", {"aggregated", "tracker"}, "tracker", true);
        row("activesync only", {"memory", "activesync"}, "activesync", false);
        row("names are case-sensitive", {"memory", "Tracker", "ActiveSync"}, "memory", false);
    }
    void preferenceOrder()
    {
        QFETCH(QStringList, usable);
        QFETCH(QString, expected);
        QFETCH(bool, contactTypes);
        const mmsui::utils::ContactManagerChoice choice =
            mmsui::utils::chooseContactManager(usable);
        QCOMPARE(choice.name, expected);
        if (contactTypes)
            QCOMPARE(choice.parameters, (Parameters{{"contact-types", "contact"}}));
        else if (expected != QLatin1String("aggregated"))
            QVERIFY(choice.parameters.isEmpty());
        else
            QCOMPARE(choice.parameters.lastKey(), QStringLiteral("scm0"));
    }

    // Never the null back-end "invalid", which the contacts library always lists; the shared handle
    // is made once.
    void createdHandleIsTheUsableBackEnd()
    {
        QVERIFY(QContactManager::availableManagers().contains("invalid"));
        QVERIFY(!mmsui::utils::usableContactManagers().contains("invalid"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^\\[MMS-UTILS\\] Available contact "
                                                            "managers: (\"[a-z]+\"(, )?)+$"));
        QTest::ignoreMessage(QtDebugMsg,
                             "[MMS-UTILS] Created QContactsManager with name: \"memory\"");
        QObject parent;
        QContactManager* manager = mmsui::utils::createContactManager(&parent);
        QVERIFY(manager);
        QCOMPARE(manager->managerName(), QStringLiteral("memory"));
        QCOMPARE(manager->parent(), &parent);
        const QSharedPointer<QContactManager> shared = mmsui::utils::getContactManager();
        QVERIFY(shared);
        QCOMPARE(mmsui::utils::getContactManager(), shared);
    }

    // Tracker alone without e-mail accounts.
    void aggregatedParametersWithoutAccounts()
    {
        Parameters tracker{{"contact-types", "contact"}};
        QTest::ignoreMessage(
            QtDebugMsg,
            "[getAllContactManagersParams::getAllContactManagersParams] have 0 accounts");
        QCOMPARE(mmsui::utils::getAllContactManagersParams(tracker),
                 (Parameters{{"scm0", QContactManager::buildUri("tracker", tracker, -1)}}));
    }

    void matchContactByKeyword_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("found");
        QTest::newRow("no match") << "+358409999999" << false;
        QTest::newRow("one phone match") << "+358401111111" << true;
        QTest::newRow("phone match ignores formatting") << "+358 40 111 1111" << true;
        QTest::newRow("one e-mail match") << "anna@example.org" << true;
        QTest::newRow("e-mail must match exactly") << "anna@example" << false;
        QTest::newRow("two share a number") << "+358402222222" << false;
    }
    void matchContactByKeyword()
    {
        QFETCH(QString, keyword);
        QFETCH(bool, found);
        const QContact anna = saveContact("Anna", "Berg", "+358401111111", "anna@example.org");
        saveContact("Bo", "Lind", "+358402222222", "bo@example.org");
        saveContact("Cai", "Lind", "+358402222222", "cai@example.org");
        QContactId id;
        QString first = "untouched", last = "untouched";
        QTest::ignoreMessage(QtDebugMsg,
                             QRegularExpression("^Matching contacts number: [0-9]+ for keyword:"));
        QCOMPARE(mmsui::utils::matchContactByKeyword(keyword, id, first, last), found);
        QCOMPARE(id, found ? anna.id() : QContactId());
        QCOMPARE(QStringList({first, last}),
                 found ? QStringList({"Anna", "Berg"}) : QStringList({"untouched", "untouched"}));
    }

    void isContentTypeInCoreDomain_data()
    {
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<bool>("inCoreDomain");
        for (const char* type :
             {"image/jpeg", "IMAGE/JPEG", "image/jpg", "image/gif", "image/vnd.wap.wbmp",
              "image/svg+xml", "video/x-matroska", "Video/mp4", "audio/amr", "audio/amr-wb",
              "audio/3gpp2", "audio/mp4a-latm", "text/x-vcard", "text/directory;profile=vCard",
              "text/directory", "text/calendar", "text/x-vcalendar"})
            QTest::newRow(type) << type << true;
        // Parameters are not stripped.
        for (const char* type : {"image/png", "image/bmp", "text/plain", "audio/mpeg",
                                 "image/jpeg; q=1", "text/directory;profile=x", "video", ""})
            QTest::newRow(type) << type << false;
    }
    void isContentTypeInCoreDomain()
    {
        QFETCH(QString, mimeType);
        QFETCH(bool, inCoreDomain);
        QCOMPARE(mmsui::utils::isContentTypeInCoreDomain(mimeType), inCoreDomain);
    }

    void fromRecipients_data()
    {
        QTest::addColumn<QList<RecipientRoles>>("recipients");
        QTest::addColumn<bool>("resolvedOnly");
        QTest::addColumn<bool>("phoneOnly");
        QTest::addColumn<QStringList>("expected");
        const QList<RecipientRoles> mixed{typed("+111", 1),
                                          typed("", 1),
                                          typed("pending@example.org", 0),
                                          contactEntry("Anna Berg", 1, "+222"),
                                          contactEntry("Bo Lind", 1, ""),
                                          RecipientRoles{{0, "Cai"}, {1, 1}, {8, 1}},
                                          typed("+111", 1)};
        QTest::newRow("everything")
            << mixed << false << false
            << QStringList{"+111", "pending@example.org", "Anna Berg", "Bo Lind", "Cai", "+111"};
        QTest::newRow("resolved only")
            << mixed << true << false << QStringList{"+111", "Anna Berg", "Bo Lind", "Cai", "+111"};
        QTest::newRow("phone only")
            << mixed << false << true << QStringList{"+111", "pending@example.org", "+222", "+111"};
        QTest::newRow("resolved phones")
            << mixed << true << true << QStringList{"+111", "+222", "+111"};
        QTest::newRow("validity other than 1")
            << QList<RecipientRoles>{typed("+333", 2), RecipientRoles{{0, "+444"}}} << true << false
            << QStringList();
        QTest::newRow("no recipients") << QList<RecipientRoles>() << true << true << QStringList();
    }
    void fromRecipients()
    {
        QFETCH(QList<RecipientRoles>, recipients);
        QFETCH(bool, resolvedOnly);
        QFETCH(bool, phoneOnly);
        QFETCH(QStringList, expected);
        QCOMPARE(mmsui::utils::fromRecipients(recipients, resolvedOnly, phoneOnly), expected);
    }

    void toHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("html");
        const auto same = [](const char* name, const QString& text) {
            QTest::newRow(name) << text << text;
        };
        same("empty", "");
        same("no emoticon", "Hello there");
        same("entity before a parenthesis stays text", "x&gt;)");
        same("numeric entity stays text", "&#59;)");
        const auto row = [](const char* name, const QString& text, const QStringList& html) {
            QTest::newRow(name) << text << html.join("");
        };
        row("long form is one emoticon", "Hi :-)", {"Hi ", image("happy")});
        row("several", ";) and :( and :P",
            {image("wink"), " and ", image("sad"), " and ", image("tongue")});
        row("line breaks", "a\nb:D", {"a<br>b", image("very-happy")});
        row("tag passes through", "<br>:)", {"<br>", image("happy")});
        row("lone ampersand is text", "a & ;)", {"a & ", image("wink")});
    }
    void toHtml()
    {
        QFETCH(QString, text);
        QFETCH(QString, html);
        QCOMPARE(EmoticonTransformer().transformPlainTextToHTML(text, QString(), 20, "\n"), html);
    }

    void imageStyleIsApplied()
    {
        QCOMPARE(EmoticonTransformer().transformPlainTextToHTML(":(", "top", 8, "\n"),
                 image("sad", 8).replace(">", " style=\"top\">"));
    }

    void everyImageExistsInTheTheme()
    {
        for (const char* id : {"happy", "sad", "wink", "very-happy", "tongue"}) {
            const QString source = EmoticonTransformer::imageSource(
                QStringLiteral("icon-s-messaging-smiley-%1").arg(id));
            QVERIFY2(!QImage(source).isNull(), qPrintable(source));
        }
    }

    // Empty text leaves the label as it was.
    void labelShowsImagesOfTheFontAscent()
    {
        QLabel label("before");
        label.setTextFormat(Qt::PlainText);
        EmoticonUtils::setLabelText(&label, QString());
        QCOMPARE(label.text(), QStringLiteral("before"));
        QCOMPARE(label.textFormat(), Qt::PlainText);
        QFont font = label.font();
        font.setPixelSize(30);
        label.setFont(font);
        EmoticonUtils::setLabelText(&label, "see &lt;you&gt; :-)\nbye");
        QCOMPARE(label.textFormat(), Qt::RichText);
        QCOMPARE(label.text(),
                 "see &lt;you&gt; " + image("happy", QFontMetrics(font).ascent()) + "<br>bye");
    }

    void documentRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("images");
        QTest::addColumn<QString>("plain");
        QTest::newRow("no emoticon") << "plain words" << 0 << "plain words";
        QTest::newRow("two kinds") << "ok :-) sure ;)" << 2 << "ok :-) sure ;-)";
        QTest::newRow("adjacent") << ":):)" << 2 << ":-):-)";
        QTest::newRow("two lines") << "a :(\nb" << 1 << "a :-(\nb";
    }
    // The long form is the one written back: it is what the image stands for.
    void documentRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, images);
        QFETCH(QString, plain);
        QTextDocument document(text);
        document.setPlainText(text);
        EmoticonTransformer transformer;
        transformer.transformTextDocument(&document, 16);
        QCOMPARE(document.toPlainText().count(QChar::ObjectReplacementCharacter), images);
        QCOMPARE(transformer.plainText(QTextDocumentFragment(&document)), plain);
    }

    // More than 150 MiB, counted in 64 bits.
    void freeSpaceLimit_data()
    {
        QTest::addColumn<quint64>("blocks");
        QTest::addColumn<quint64>("blockSize");
        QTest::addColumn<QString>("log");
        const QString no = "W[MMS-UI] No free space available ( 157286400 bytes free)";
        QTest::newRow("nothing") << quint64(0) << quint64(4096) << "W^\\[MMS-UI\\] No free space";
        QTest::newRow("exactly 150 MiB") << quint64(157286400) << quint64(1) << no;
        QTest::newRow("one byte more") << quint64(157286401) << quint64(1) << "";
        QTest::newRow("exactly 150 MiB in 4 KiB blocks") << quint64(38400) << quint64(4096) << no;
        QTest::newRow("one block more") << quint64(38401) << quint64(4096) << "";
        QTest::newRow("4 GiB and a block, past 32 bits")
            << quint64(1048577) << quint64(4096)
            << "D[MMS-UI] freeSpaceAvailable avail=4294971392, limit=157286400 result=1";
        QTest::newRow("no block size")
            << quint64(1000000) << quint64(0) << "W^\\[MMS-UI\\] No free";
    }
    // The log line: D or W for its level, then the text; a regular expression after ^.
    void freeSpaceLimit()
    {
        QFETCH(quint64, blocks);
        QFETCH(quint64, blockSize);
        QFETCH(QString, log);
        const QtMsgType level = log.startsWith('W') ? QtWarningMsg : QtDebugMsg;
        if (log.startsWith("W^"))
            QTest::ignoreMessage(level, QRegularExpression(log.mid(1)));
        else if (!log.isEmpty())
            QTest::ignoreMessage(level, qPrintable(log.mid(1)));
        QCOMPARE(mmsui::utils::isFreeSpaceEnough(blocks, blockSize), level == QtDebugMsg);
    }

    // The build machine has more than 150 MiB free where the tests run, with or without a message
    // store yet; an unreachable home has none.
    void freeSpaceOfTheHome_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<bool>("available");
        QTest::newRow("with message store") << ".mms" << true;
        QTest::newRow("fresh home") << "" << true;
        QTest::newRow("unreachable home") << "gone" << false;
    }
    void freeSpaceOfTheHome()
    {
        QFETCH(QString, home);
        QFETCH(bool, available);
        QTemporaryDir parent;
        if (home == ".mms")
            QVERIFY(QDir(parent.path()).mkdir(".mms"));
        qputenv("HOME", (home == "gone" ? parent.filePath("gone") : parent.path()).toUtf8());
        if (available)
            QTest::ignoreMessage(
                QtDebugMsg, QRegularExpression("^\\[MMS-UI\\] freeSpaceAvailable avail=[0-9]+, "
                                               "limit=157286400 result=1$"));
        else
            QTest::ignoreMessage(QtCriticalMsg,
                                 "[MMS-UI] freeSpaceAvailable unable to get info (err=-1)");
        QCOMPARE(mmsui::utils::freeSpaceAvailable(), available);
    }

    void fileOutsidePrivateStorage()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(file.fileName()));
        QCOMPARE(mmsui::utils::privateStorageFolder, QStringLiteral(".mms/private"));
        const QString missing = file.fileName() + "-missing";
        QTest::ignoreMessage(
            QtWarningMsg,
            QStringLiteral("Call to \"statfs\" failed on file \"%1\"").arg(missing).toUtf8());
        QVERIFY(!mmsui::utils::isFileLocatedInProvateSorage(missing));
    }

private:
    QContact saveContact(const QString& first, const QString& last, const QString& phone,
                         const QString& email)
    {
        QContact contact = testContact(first, last, phone, email);
        m_contacts->saveContact(&contact);
        return contact;
    }

    QTemporaryDir m_dir;
    QContactManager* m_contacts = nullptr;

    static QString image(const QString& id, int height = 20)
    {
        return QStringLiteral("<img src=\":/theme/icons/icon-s-messaging-smiley-%1.png\" "
                              "width=\"%2\" height=\"%2\">")
            .arg(id)
            .arg(height);
    }

    static RecipientRoles typed(const QString& address, int valid)
    {
        return RecipientRoles{{0, address}, {8, valid}};
    }

    static RecipientRoles contactEntry(const QString& address, int valid, const QString& phone)
    {
        QContact contact;
        QContactPhoneNumber number;
        number.setNumber(phone);
        contact.saveDetail(&number);
        return RecipientRoles{{0, address}, {1, 1}, {6, QVariant::fromValue(contact)}, {8, valid}};
    }
};

QTEST_MAIN(TstUtils)
#include "tst_utils.moc"
