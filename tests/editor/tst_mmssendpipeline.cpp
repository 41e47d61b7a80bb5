#include "filemode.h"
#include "mmsheadermap.h"
#include "mmsmainconfig.h"
#include "mmsmessagefolder.h"
#include "mmsmessagelayout.h"
#include "mmsmessagesize.h"
#include "mmsoutgoingattachment.h"
#include "mmspipelineflavour.h"
#include "mmsrecipientcleaner.h"
#include "smilparser.h"
#include "smiltreedump.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTemporaryDir>
#include <QtTest>

using PropertyMaps = QList<MessageSender::PropertyMap>;

namespace {

// The headless sender's flavour as its own subsystem will give it.
Q_LOGGING_CATEGORY(lcHeadlessTest, "dravel.sender")

MmsPipelineFlavour flavourFor(bool headless)
{
    return headless ? MmsPipelineFlavour::headless(lcHeadlessTest, "[MMS-SENDER]")
                    : MmsPipelineFlavour::editor();
}

MmsOutgoingAttachment testAttachment(const QString& fileName, const QString& mimeType,
                                     const QString& slideText)
{
    MmsOutgoingAttachment attachment;
    attachment.fileName = fileName;
    attachment.mimeType = mimeType;
    attachment.contentType = MmsContentTypes::contentTypeByMime(mimeType);
    attachment.slideText = slideText;
    return attachment;
}

QString text(const MessageSender::PropertyMap& map, const char* key)
{
    return map.value(QLatin1String(key)).variant().toString();
}

// Resize output and generated cards: the files the pipeline may move.
bool isGenerated(const QString& path, const MmsMessageFolder& folder)
{
    return path.startsWith(folder.tempPath()) || path.startsWith(QDir::tempPath());
}

// The user's own files of a message as "path mode content".
QStringList userFiles(const MmsOutgoingMessage& message, const MmsMessageFolder& folder)
{
    QStringList files;
    for (const MmsOutgoingAttachment& attachment : message.attachments) {
        QFile file(attachment.fileName);
        if (!isGenerated(file.fileName(), folder) && file.open(QIODevice::ReadOnly))
            files << QStringLiteral("%1 %2 %3")
                         .arg(file.fileName())
                         .arg(fileMode(file.fileName()), 0, 8)
                         .arg(QString::fromUtf8(file.readAll()));
    }
    return files;
}

// Each part as "type identifier file [text]", the file relative to the folder.
QString describe(const PropertyMaps& parts, const QString& folder)
{
    QStringList lines;
    for (const MessageSender::PropertyMap& part : parts) {
        lines << QStringList{text(part, "content-type"),
                             part.value("identifier", QDBusVariant("-")).variant().toString(),
                             QDir(folder).relativeFilePath(text(part, "content-location")),
                             text(part, "content-type") == "text/plain" ? text(part, "content")
                                                                        : QString()}
                     .join(' ')
                     .trimmed();
    }
    return lines.join(", ");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

// Receives a send list over the bus, so that its values arrive as D-Bus typed them.
class BusEcho : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.dravel.test.Echo")
public:
    PropertyMaps received;
public slots:
    // Spelt out: QtDBus finds the slot by the type's registered name.
    Q_SCRIPTABLE void take(const QList<QMap<QString, QDBusVariant>>& maps) { received = maps; }
};

class TestMmsSendPipeline : public QObject
{
    Q_OBJECT
    QTemporaryDir m_systemTemp;

    // An attachment as "where|MIME type|slide text[|body]": `where` is a file of the user's
    // (under the home folder), "temp/<name>" in the message folder's resize output or
    // "tmp/<name>" in the system's temporary folder. "missing..." is never written and
    // "empty..." is written empty.
    MmsOutgoingMessage message(const QStringList& specs, const MmsMessageFolder& folder)
    {
        MmsOutgoingMessage result;
        result.to = QStringList{"+358401234567"};
        for (const QString& spec : specs) {
            const QStringList fields = spec.split('|');
            const QString where = fields.at(0);
            MmsOutgoingAttachment attachment = testAttachment(
                where.startsWith("temp/")  ? folder.tempPath() + where.mid(4)
                : where.startsWith("tmp/") ? m_systemTemp.filePath(where.mid(4))
                                           : QDir::homePath() + "/Documents/" + where,
                fields.at(1), fields.at(2));
            attachment.carriesBodyText = fields.size() > 3;
            QDir().mkpath(QFileInfo(attachment.fileName).path());
            QFile file(attachment.fileName);
            if (!where.startsWith("missing") && file.open(QIODevice::WriteOnly))
                file.write(where.startsWith("empty") ? "" : spec.toUtf8());
            result.attachments << attachment;
        }
        return result;
    }

    // Attachments as "bytes|MIME type|slide text length"; To holds two numbers (24 characters).
    MmsOutgoingMessage sizedMessage(const QString& subject, const QString& body,
                                    const QStringList& attachments)
    {
        MmsOutgoingMessage result;
        result.to = QStringList{"+358401234567", "0401112223"};
        result.subject = subject;
        result.body = body;
        for (const QString& spec : attachments) {
            const QStringList fields = spec.split('|');
            result.attachments << testAttachment(
                m_systemTemp.filePath(QString::number(result.attachments.size())), fields.at(1),
                QString(fields.at(2).toInt(), QLatin1Char('t')));
            QFile file(result.attachments.last().fileName);
            if (!file.open(QIODevice::WriteOnly) || !file.resize(fields.at(0).toLongLong()))
                qFatal("cannot write %s", qPrintable(file.fileName()));
        }
        return result;
    }

private slots:
    void cleanup()
    {
        MmsMessageFolder(QStringLiteral("any"), MmsPipelineFlavour::editor())
            .deleteDirWithContent(QDir::homePath() + QStringLiteral("/.mms"));
    }

    void layout_data()
    {
        QTest::addColumn<bool>("headless");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("attachments");
        QTest::addColumn<QString>("parts");
        QTest::addColumn<QString>("smil");
        QTest::addColumn<QStringList>("notices");
        const auto row = [](const char* name, bool headless, const QString& body,
                            const QStringList& attachments, const QString& parts,
                            const QString& smil, const QStringList& notices = {}) {
            QTest::newRow(name) << headless << body << attachments << parts << smil << notices;
        };
        const QString text = "region Text width=100% height=30% top=0% left=0% fit=scroll | ";
        const QString image = "region Image width=100% height=70% top=30% left=0% fit=meet | ";
        row("body only", false, "Hello", {}, "text/plain - text.txt Hello", "");
        row("picture with text", false, "", {"photo.jpg|image/jpeg|Hi"},
            "application/smil sindex:0001;<0> 0.smil, text/plain sindex:0011;<1> text_001.txt Hi, "
            "image/jpeg sindex:0021;<2> photo.jpg",
            text + image + "par dur=5s |  text cid:1 @Text |  image cid:2 @Image");
        row("picture with text and a sound, headless", true, "",
            {"photo.jpg|image/jpeg|Hi", "tune.mp3|audio/mpeg|"},
            "application/smil sindex:0001;0.smil 0.smil, "
            "text/plain sindex:0011;text_001.txt text_001.txt Hi, "
            "image/jpeg sindex:0021;photo.jpg photo.jpg, audio/mpeg sindex:0031;tune.mp3 tune.mp3",
            text + image +
                "region Audio width=100% height=70% top=0% left=0% fit=meet | "
                "par dur=5s |  text text_001.txt @Text |  image photo.jpg @Image | "
                "par dur=5s |  audio tune.mp3 @Audio");
        row("sound and video", false, "", {"tune.mp3|audio/mpeg|", "clip.3gp|video/3gpp|"},
            "application/smil sindex:0001;<0> 0.smil, audio/mpeg sindex:0011;<1> tune.mp3, "
            "video/3gpp sindex:0021;<2> clip.3gp",
            "region Audio width=100% height=70% top=30% left=0% fit=meet | "
            "region Video width=100% height=70% top=30% left=0% fit=meet | "
            "par dur=5s |  audio cid:1 @Audio | par dur=5s |  video cid:2 @Video");
        row("generated card only, as the body", false, "",
            {"tmp/card.vcf|text/x-vcard|Call me|body"},
            "application/smil sindex:0001;<0> 0.smil, text/plain sindex:0011;<1> text_001.txt Call "
            "me, text/x-vcard sindex:0021;<2> card.vcf",
            text + "par dur=5s |  text cid:1 @Text |  text cid:2 @Text", {"body Call me"});
        row("same name from two folders", false, "",
            {"a/photo.jpg|image/jpeg|A", "b/photo.jpg|image/jpeg|B"},
            "application/smil sindex:0001;<0> 0.smil, text/plain sindex:0011;<1> text_001.txt A, "
            "image/jpeg sindex:0021;<2> photo.jpg, text/plain sindex:0031;<3> text_002.txt B, "
            "image/jpeg sindex:0041;<4> photo_001.jpg",
            text + image +
                "par dur=5s |  text cid:1 @Text |  image cid:2 @Image | "
                "par dur=5s |  text cid:3 @Text |  image cid:4 @Image");
        row("resized picture", false, "", {"temp/photo_001.jpg|image/jpeg|"},
            "application/smil sindex:0001;<0> 0.smil, image/jpeg sindex:0011;<1> photo_001.jpg",
            image + "par dur=5s |  image cid:1 @Image");
        // The empty file keeps its number, and a part without a region counts too.
        row("lost, empty and regionless files", false, "",
            {"missing.jpg|image/jpeg|", "empty.jpg|image/jpeg|",
             "notes.bin|application/octet-stream|", "photo.jpg|image/jpeg|"},
            "application/smil sindex:0001;<0> 0.smil, application/octet-stream sindex:0021;<2> "
            "notes.bin, image/jpeg sindex:0031;<3> photo.jpg",
            image +
                "par dur=5s |  image cid:1 @Image | par dur=5s | par dur=5s |  image cid:3 @Image",
            {"lost missing.jpg", "lost empty.jpg"});
    }
    void layout()
    {
        QFETCH(bool, headless);
        QFETCH(QString, body);
        QFETCH(QStringList, attachments);
        QFETCH(QString, smil);
        MmsMessageFolder folder(QString(), flavourFor(headless));
        QVERIFY(folder.prepareMessageFolder());
        MmsOutgoingMessage outgoing = message(attachments, folder);
        outgoing.body = body;
        const QStringList before = userFiles(outgoing, folder);
        MmsMessageLayout layout;
        QStringList emitted;
        connect(&layout, &MmsMessageLayout::attachmentLost, this,
                [&](const QString& file) { emitted << "lost " + QFileInfo(file).fileName(); });
        connect(&layout, &MmsMessageLayout::bodyTextCarried, this,
                [&](const QString& text) { emitted << "body " + text; });
        PropertyMaps sendList;
        QVERIFY(layout.processAttachments(folder, outgoing, sendList));
        QTEST(describe(sendList, folder.path()), "parts");
        QTEST(emitted, "notices");
        QCOMPARE(fileMode(folder.path()), 0555);
        for (const MessageSender::PropertyMap& part : sendList) {
            const QString file = text(part, "content-location");
            QCOMPARE(
                part.value("size", QDBusVariant(QFileInfo(file).size())).variant().toLongLong(),
                QFileInfo(file).size());
            if (!text(part, "content-type").startsWith("text/plain") && !file.endsWith(".smil"))
                QCOMPARE(fileMode(file), 0444);
        }
        const QByteArray presentation =
            smil.isEmpty() ? "" : text(sendList.at(0), "content").toUtf8();
        QCOMPARE(SmilTreeDump::describe(SmilParser(presentation).parse(nullptr, nullptr, nullptr))
                     .join(" | "),
                 smil);
        // What the pipeline made is moved in; the user's own files stay as they were.
        QCOMPARE(userFiles(outgoing, folder), before);
        for (const MmsOutgoingAttachment& attachment : outgoing.attachments)
            QVERIFY(!isGenerated(attachment.fileName, folder) ||
                    !QFile::exists(attachment.fileName));
    }

    void sendListOverDBus_data()
    {
        QTest::addColumn<int>("validity");
        QTest::addColumn<QStringList>("cc");
        QTest::addColumn<QStringList>("bcc");
        QTest::addColumn<uint>("seconds");
        QTest::newRow("maximum validity, cc")
            << -1 << QStringList{"ann@example.com"} << QStringList() << 4294967295u;
        QTest::newRow("one day, two in bcc")
            << 24 << QStringList() << QStringList{"040111", "040222"} << 86400u;
    }
    void sendListOverDBus()
    {
        QFETCH(int, validity);
        QFETCH(QStringList, cc);
        QFETCH(QStringList, bcc);
        QFETCH(uint, seconds);
        MmsMainConfig config;
        config.messageValidity = validity;
        QVERIFY(config.save());
        MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
        QVERIFY(folder.prepareMessageFolder());
        MmsOutgoingMessage outgoing = message({"photo.jpg|image/jpeg|Hi"}, folder);
        outgoing.cc = cc;
        outgoing.bcc = bcc;
        PropertyMaps sendList{MmsHeaderMap::build(outgoing, folder.token(), 1234)};
        QVERIFY(MmsMessageLayout().processAttachments(folder, outgoing, sendList));
        qDBusRegisterMetaType<MessageSender::PropertyMap>();
        qDBusRegisterMetaType<PropertyMaps>();
        BusEcho echo;
        QDBusConnection receiving = QDBusConnection::sessionBus();
        QVERIFY(receiving.registerObject("/echo", &echo, QDBusConnection::ExportScriptableSlots));
        QDBusMessage call = QDBusMessage::createMethodCall(receiving.baseService(), "/echo",
                                                           "org.dravel.test.Echo", "take");
        call << QVariant::fromValue(sendList);
        const QDBusMessage reply =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "sending")
                .call(call, QDBus::BlockWithGui);
        receiving.unregisterObject("/echo");
        QCOMPARE(reply.errorMessage(), QString());
        QStringList types;
        for (const MessageSender::PropertyMap& map : qAsConst(echo.received)) {
            QStringList keys;
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                keys << it.key() + '=' + QDBusMetaType::typeToSignature(it->variant().userType());
            types << keys.join(' ');
        }
        const QString header = (cc.isEmpty() ? "message-bcc=s" : "message-cc=s") +
                               QString(" message-subject=s message-to=s message-token=s "
                                       "message-validity=u x-mms-message-size=u");
        const QString part = "content-location=s content-type=s identifier=s size=x";
        QCOMPARE(types, (QStringList{header, "content=s " + part, "content=s " + part, part}));
        const MessageSender::PropertyMap received = echo.received.value(0);
        QCOMPARE((QStringList{text(received, "message-validity"), text(received, "message-bcc"),
                              text(received, "message-token")}),
                 (QStringList{QString::number(seconds), bcc.join(';'), folder.token()}));
    }

    // A send that could not start leaves the folder ready for the next attempt: writable,
    // the resized picture back where its owner keeps it, the copies used again.
    void retryReusesFolder()
    {
        MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
        QVERIFY(folder.prepareMessageFolder());
        const MmsOutgoingMessage outgoing =
            message({"photo.jpg|image/jpeg|Hi", "temp/photo_001.jpg|image/jpeg|"}, folder);
        const QStringList before = userFiles(outgoing, folder);
        MmsMessageLayout layout;
        PropertyMaps first;
        QVERIFY(layout.processAttachments(folder, outgoing, first));
        const QStringList laidOut = QDir(folder.path()).entryList(QDir::Files);
        QVERIFY(folder.prepareMessageFolder());
        QCOMPARE(fileMode(folder.path()), 0755);
        QVERIFY(QFile::exists(outgoing.attachments.at(1).fileName));
        PropertyMaps second;
        QVERIFY(layout.processAttachments(folder, outgoing, second));
        QCOMPARE(describe(second, folder.path()), describe(first, folder.path()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), laidOut);
        QCOMPARE(userFiles(outgoing, folder), before);
    }

    void unwritableSmilFailsWhole()
    {
        MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
        QVERIFY(folder.prepareMessageFolder());
        const MmsOutgoingMessage outgoing = message({"temp/photo_001.jpg|image/jpeg|Hi"}, folder);
        QVERIFY(QDir(folder.path()).mkdir("0.smil"));
        PropertyMaps sendList{MmsHeaderMap::build(outgoing, folder.token(), 1)};
        QVERIFY(!MmsMessageLayout().processAttachments(folder, outgoing, sendList));
        QCOMPARE(sendList.size(), 1);
        QVERIFY(QFile::exists(outgoing.attachments.at(0).fileName));
        QCOMPARE(fileMode(folder.path()), 0755);
    }

    void getMessageSize_data()
    {
        QTest::addColumn<bool>("headless");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QStringList>("attachments");
        QTest::addColumn<int>("excluded");
        QTest::addColumn<quint32>("size");
        const QStringList pictures{"500000|image/jpeg|1000", "500000|image/jpeg|0"};
        const auto row = [&](const char* name, bool headless, const QString& subject, int excluded,
                             quint32 size) {
            QTest::newRow(name) << headless << subject
                                << (subject.isEmpty() ? pictures : QStringList()) << excluded
                                << size;
        };
        const int image = MmsContentTypes::IMAGE;
        // Characters, not bytes: the subject has 5, the body 6.
        row("text only", false, "Grüße", 0, 24u + 5 + 6);
        row("pictures", false, "", 0, 24u + 1000 + 1000000 + 400);
        row("pictures left out", false, "", image, 24u + 1000 + 400);
        row("pictures, headless", true, "", 0, 24u + 1000000);
        row("pictures left out, headless", true, "", image, 24u);
    }
    void getMessageSize()
    {
        QFETCH(bool, headless);
        QFETCH(QString, subject);
        QFETCH(QStringList, attachments);
        QFETCH(int, excluded);
        QTEST(MmsMessageSize::getMessageSize(flavourFor(headless),
                                             sizedMessage(subject, "Hello☺", attachments),
                                             MmsContentTypes::CONTENT_TYPE(excluded)),
              "size");
    }

    // The pictures share what the rest of the message leaves of the maximum.
    void pictureBudget()
    {
        MmsMainConfig config;
        config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_300KB);
        QVERIFY(config.save());
        const MmsOutgoingMessage outgoing =
            sizedMessage(QString(), QString(),
                         {"500000|image/jpeg|1000", "300|audio/amr|0", "500000|image/jpeg|0"});
        QCOMPARE(MmsMessageSize::pictureBudget(MmsPipelineFlavour::editor(), outgoing),
                 307200 - (24 + 1000 + 300 + 3 * 200));
        QCOMPARE(MmsMessageSize::picturePaths(outgoing),
                 (QStringList{outgoing.attachments.at(0).fileName,
                              outgoing.attachments.at(2).fileName}));
    }

    // Equality with the maximum passes.
    void validateMessageSize()
    {
        MmsMainConfig config;
        config.setMaxMessageSize(MmsMainConfig::MAX_SIZE_100KB);
        QVERIFY(config.save());
        for (int over : {0, 1})
            QCOMPARE(MmsMessageSize::validateMessageSize(
                         MmsPipelineFlavour::editor(),
                         sizedMessage(QString(), QString(102400 - 24 + over, 'x'), {})),
                     over == 0);
    }

    void removeDuplicates_data()
    {
        QTest::addColumn<QString>("lists");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<QString>("counted");
        const auto row = [](const char* name, const QString& lists, bool clean,
                            const QString& cleaned, const QString& counted) {
            QTest::newRow(name) << lists << clean << cleaned << counted;
        };
        const char* number = "+1 (555) 123-45.67 / / ";
        row("same number in To and Bcc", "+358401234567 / / 040-123 4567", false,
            "+358401234567 /  / ", "+358401234567,0401234567");
        row("repeated within a list, first wins", "0401112223,(040) 111 2223,0401112223 / / ", true,
            "0401112223 /  / ", "0401112223,0401112223");
        row("punctuated number", number, true, "+15551234567 /  / ", "+15551234567");
        row("punctuation kept unless cleaned", number, false, "+1 (555) 123-45.67 /  / ",
            "+15551234567");
        row("name and address", "Ann <ann@example.com> / ANN@example.com / ", true,
            "ann@example.com / ANN@example.com / ", "ann@example.com,ANN@example.com");
        row("e-mail in Cc and To", "ann@example.com / Ann@Example.com / ", false,
            "ann@example.com /  / ", "ann@example.com,Ann@Example.com");
    }
    void removeDuplicates()
    {
        QFETCH(QString, lists);
        QFETCH(bool, clean);
        QList<QStringList> split;
        for (const QString& list : lists.split(QLatin1Char('/')))
            split << list.trimmed().split(QLatin1Char(','), Qt::SkipEmptyParts);
        QTEST(MmsRecipientCleaner::countedAddresses(split.at(0), split.at(1), split.at(2))
                  .join(QLatin1Char(',')),
              "counted");
        MmsRecipientCleaner::removeDuplicates(MmsPipelineFlavour::editor(), split[0], split[1],
                                              split[2], clean);
        QTEST(QStringLiteral("%1 / %2 / %3")
                  .arg(split.at(0).join(','), split.at(1).join(','), split.at(2).join(',')),
              "cleaned");
    }

    void folderInTheWay()
    {
        MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
        QVERIFY(QDir().mkpath(QDir::homePath() + "/.mms/msg"));
        writeFile(folder.path(), "in the way");
        QTest::ignoreMessage(
            QtCriticalMsg,
            qPrintable("[MMS-EDITOR] Failed to create message directory \"" + folder.path() + '"'));
        QVERIFY(!folder.prepareMessageFolder());
        QVERIFY(QFile::remove(folder.path()));
    }

    // A link planted in the folder, or the folder's own path turned into one, goes as a
    // link: what it points at stays, with its permissions.
    void deletionNeverFollowsLinks()
    {
        QTemporaryDir user;
        writeFile(user.filePath("letter.txt"), "keep me");
        QVERIFY(QDir(user.path()).mkdir("album"));
        writeFile(user.filePath("album/photo.jpg"), "keep me too");
        const QFileDevice::Permissions privateFolder =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QVERIFY(QFile::setPermissions(user.filePath("album"), privateFolder));
        MmsMessageFolder folder(QString(), MmsPipelineFlavour::editor());
        QVERIFY(folder.prepareMessageFolder());
        QVERIFY(folder.makeTempFolder());
        writeFile(folder.path() + "/photo.jpg", "part");
        writeFile(folder.tempPath() + "/.hidden", "resized");
        QVERIFY(QFile::link(user.filePath("letter.txt"), folder.path() + "/letter.txt"));
        QVERIFY(QFile::link(user.filePath("album"), folder.tempPath() + "/album"));
        QVERIFY(QFile::link(user.filePath("gone"), folder.path() + "/dangling"));
        QVERIFY(QFile::setPermissions(folder.path() + "/photo.jpg", QFileDevice::ReadOwner));
        QVERIFY(QFile::setPermissions(folder.tempPath(),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        folder.protectMessageFolder();
        folder.removeMessageFolder();
        QVERIFY(!QFileInfo::exists(folder.path()));
        MmsMessageFolder linked(QString(), MmsPipelineFlavour::editor());
        QVERIFY(QFile::link(user.filePath("album"), linked.path()));
        linked.removeMessageFolder();
        QVERIFY(!QFileInfo(linked.path()).isSymLink());
        QCOMPARE(QDir(user.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{"album", "letter.txt"}));
        QCOMPARE(QDir(user.filePath("album")).entryList(QDir::Files), QStringList{"photo.jpg"});
        // Still private: nothing made it writable for others on the way.
        QCOMPARE(int(QFileInfo(user.filePath("album")).permissions() & 0x0077), 0);
    }
};

QTEST_MAIN(TestMmsSendPipeline)
#include "tst_mmssendpipeline.moc"
