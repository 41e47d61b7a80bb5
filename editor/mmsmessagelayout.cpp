#include "mmsmessagelayout.h"

#include "mmsmessagefolder.h"
#include "mmssmilcomposer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString textPlain = QStringLiteral("text/plain");

// Whole or not at all: a file cut short by a full disk is never left behind.
bool writeText(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

} // namespace

MmsMessageLayout::MmsMessageLayout(QObject* parent)
    : QObject(parent)
{
}

bool MmsMessageLayout::processAttachments(MmsMessageFolder& folder,
                                          const MmsOutgoingMessage& message,
                                          QList<MessageSender::PropertyMap>& sendList)
{
    if (message.attachments.isEmpty())
        return processBody(folder, message.body, sendList);
    const MmsPipelineFlavour& flavour = folder.flavour();
    qCDebug(flavour.category) << flavour.tag << "Message will be stored in" << folder.path();
    MmsSmilComposer smil(flavour);
    QList<Part> parts;
    int textCounter = 1;
    for (const MmsOutgoingAttachment& attachment : message.attachments)
        addSlide(folder, attachment, smil, parts, textCounter);

    const QString smilPath = folder.path() + QStringLiteral("/0.smil");
    if (!writeText(smilPath, smil.content())) {
        qCWarning(flavour.category)
            << flavour.tag << "Failed to save smil to file" << smilPath << "!";
        folder.rewind();
        return false;
    }
    parts.prepend({smilPath, QStringLiteral("application/smil")});
    appendPartMaps(folder, parts, sendList);
    folder.protectMessageFolder();
    return true;
}

bool MmsMessageLayout::processBody(MmsMessageFolder& folder, const QString& body,
                                   QList<MessageSender::PropertyMap>& sendList)
{
    const MmsPipelineFlavour& flavour = folder.flavour();
    if (body.isEmpty()) {
        qCWarning(flavour.category)
            << flavour.tag << "Warning: The attachments list is empty, text is empty";
        return true;
    }
    qCDebug(flavour.category) << flavour.tag
                              << "The attachments list is empty, add plain text content";
    const QString path = folder.path() + QStringLiteral("/text.txt");
    if (!writeText(path, body.toUtf8())) {
        qCWarning(flavour.category) << flavour.tag << "Failed to save text to file" << path << "!";
        return false;
    }
    sendList << MessageSender::PropertyMap{
        {QStringLiteral("content-type"), QDBusVariant(textPlain)},
        {QStringLiteral("content"), QDBusVariant(body)},
        {QStringLiteral("content-location"), QDBusVariant(path)}};
    folder.protectMessageFolder();
    return true;
}

// The slide text is written before the file is placed, so that a text that cannot be
// written drops the slide without leaving its file in the folder.
void MmsMessageLayout::addSlide(MmsMessageFolder& folder, const MmsOutgoingAttachment& attachment,
                                MmsSmilComposer& smil, QList<Part>& parts, int& textCounter)
{
    const MmsPipelineFlavour& flavour = folder.flavour();
    const bool hasFile = !attachment.fileName.isEmpty();
    if (hasFile && !QFile::exists(attachment.fileName)) {
        qCWarning(flavour.category) << flavour.tag << "Warning: The attachment"
                                    << attachment.fileName << "doesn't exists, skip it";
        emit attachmentLost(attachment.fileName);
        return;
    }
    if (attachment.carriesBodyText)
        emit bodyTextCarried(attachment.slideText);
    QString textPath;
    if (!attachment.slideText.isEmpty()) {
        textPath = QStringLiteral("%1/text_%2.txt")
                       .arg(folder.path())
                       .arg(textCounter, 3, 10, QLatin1Char('0'));
        if (!writeText(textPath, attachment.slideText.toUtf8())) {
            qCWarning(flavour.category)
                << flavour.tag << "Failed to save text to file" << textPath << "!";
            return;
        }
    }
    const QString partFile =
        hasFile ? folder.place(attachment.fileName, attachment.mimeType) : QString();
    if (hasFile && partFile.isEmpty()) {
        if (!textPath.isEmpty())
            QFile::remove(textPath);
        return;
    }

    smil.beginSlide(attachment.durationSeconds);
    if (!textPath.isEmpty()) {
        ++textCounter;
        parts << Part{textPath, textPlain};
        smil.addText(flavour.reference(parts.size(), QFileInfo(textPath).fileName()));
    }
    if (hasFile) {
        parts << Part{partFile, attachment.mimeType};
        smil.addMedia(attachment.contentType,
                      flavour.reference(parts.size(), QFileInfo(partFile).fileName()));
    }
    smil.endSlide();
}

// Part numbers count every part, also one left out here, so that they keep matching
// the SMIL's references.
void MmsMessageLayout::appendPartMaps(const MmsMessageFolder& folder, const QList<Part>& parts,
                                      QList<MessageSender::PropertyMap>& sendList)
{
    const MmsPipelineFlavour& flavour = folder.flavour();
    for (int index = 0; index < parts.size(); ++index) {
        const Part& part = parts.at(index);
        qCDebug(flavour.category) << flavour.tag << "Attach file" << part.path << "with type"
                                  << part.type;
        MessageSender::PropertyMap map;
        if (partMap(folder, index, part, map))
            sendList << map;
    }
}

bool MmsMessageLayout::partMap(const MmsMessageFolder& folder, int index, const Part& part,
                               MessageSender::PropertyMap& map)
{
    const MmsPipelineFlavour& flavour = folder.flavour();
    const QFileInfo info(part.path);
    if (!info.isFile() || info.size() == 0) {
        qCWarning(flavour.category) << flavour.tag << "Invalid attachment, skip it;";
        emit attachmentLost(part.path);
        return false;
    }
    map.insert(QStringLiteral("content-type"), QDBusVariant(part.type));
    map.insert(QStringLiteral("identifier"),
               QDBusVariant(flavour.identifier(index, info.fileName())));
    map.insert(QStringLiteral("size"), QDBusVariant(qint64(info.size())));
    if (part.type.contains(textPlain) || part.type.contains(QLatin1String("smil"))) {
        QFile file(part.path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qCWarning(flavour.category) << flavour.tag << "Failed to open attachment file"
                                        << part.path << "! Skip this attachment;";
            return false;
        }
        map.insert(QStringLiteral("content"), QDBusVariant(QString::fromUtf8(file.readAll())));
    }
    map.insert(QStringLiteral("content-location"), QDBusVariant(part.path));
    return true;
}
