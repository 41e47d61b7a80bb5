#include "mmsmessagesize.h"

#include "mmsmainconfig.h"

#include <QFileInfo>

#include <limits>

quint32 MmsMessageSize::getMessageSize(const MmsPipelineFlavour& flavour,
                                       const MmsOutgoingMessage& message,
                                       MmsContentTypes::CONTENT_TYPE excluded)
{
    quint64 size = addressLength(message.to) + addressLength(message.cc) +
                   addressLength(message.bcc) + quint64(message.subject.length());
    if (message.attachments.isEmpty())
        size += quint64(message.body.length());
    for (const MmsOutgoingAttachment& attachment : message.attachments)
        size += attachmentSize(flavour, attachment, excluded);
    // Files of several GiB must not wrap round into a size that fits.
    const quint32 result = quint32(qMin<quint64>(size, std::numeric_limits<quint32>::max()));
    qCDebug(flavour.category) << flavour.tag << "Message size:" << result;
    return result;
}

bool MmsMessageSize::validateMessageSize(const MmsPipelineFlavour& flavour,
                                         const MmsOutgoingMessage& message)
{
    const bool verdict =
        getMessageSize(flavour, message, MmsContentTypes::UNKNOWN) <= maxMessageSize();
    qCDebug(flavour.category) << flavour.tag << "validateMessageSize(): verdict =" << verdict;
    return verdict;
}

int MmsMessageSize::pictureBudget(const MmsPipelineFlavour& flavour,
                                  const MmsOutgoingMessage& message)
{
    const quint32 exclusive = getMessageSize(flavour, message, MmsContentTypes::IMAGE);
    qCDebug(flavour.category) << flavour.tag << "Message size exclude images:" << exclusive;
    const qint64 budget = qint64(maxMessageSize()) - qint64(exclusive);
    return int(qMax<qint64>(budget, std::numeric_limits<int>::min()));
}

QStringList MmsMessageSize::picturePaths(const MmsOutgoingMessage& message)
{
    QStringList paths;
    for (const MmsOutgoingAttachment& attachment : message.attachments) {
        if (attachment.contentType == MmsContentTypes::IMAGE)
            paths << attachment.fileName;
    }
    return paths;
}

quint64 MmsMessageSize::addressLength(const QStringList& addresses)
{
    return quint64(addresses.join(QLatin1Char(';')).length());
}

quint64 MmsMessageSize::attachmentSize(const MmsPipelineFlavour& flavour,
                                       const MmsOutgoingAttachment& attachment,
                                       MmsContentTypes::CONTENT_TYPE excluded)
{
    quint64 size = flavour.partOverhead;
    if (flavour.countsSlideTexts)
        size += quint64(attachment.slideText.length());
    if (excluded == MmsContentTypes::UNKNOWN || excluded != attachment.contentType)
        size += quint64(QFileInfo(attachment.fileName).size());
    return size;
}

quint32 MmsMessageSize::maxMessageSize()
{
    return quint32(qMax(0, MmsMainConfig().maxMessageSize));
}
