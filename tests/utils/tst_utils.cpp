#include "coredomain.h"
#include "recipientaddresses.h"
#include "storage.h"

#include <QContactPhoneNumber>
#include <QTemporaryDir>
#include <QtTest>

using namespace QtContacts;
using RecipientRoles = Tollis::Recipient;

Q_DECLARE_METATYPE(QList<RecipientRoles>)

// The utilities' own rules: the content of restricted creation mode, addresses from the entries of
// the recipients editor, free space before writing a message and the private storage test.
class TstUtils : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TstUtils)
#include "tst_utils.moc"
