#include "mmshandover.h"

#include "mmsconfig.h"
#include "mmsmainconfig.h"

#include <QCoreApplication>

const QString MmsHandOver::accountPath =
    QStringLiteral("/org/freedesktop/Telepathy/Account/mmscm/mms/mms0");

bool MmsHandOver::connectionSettingsComplete()
{
    const bool automatic = MmsMainConfig().automaticConnection;
    const QSharedPointer<MmsConfig> store =
        MmsConfig::queryConfig(automatic ? MmsConfig::PROVISIONED : MmsConfig::USER_DEFINED);
    MmsConfig::Configuration profile;
    if (!automatic)
        profile.name = QStringLiteral("UserDefined");
    if (!store || !store->readConfiguration(profile))
        return false;
    return !profile.apn.isEmpty() && !profile.mmsc.isEmpty();
}

MessageSender* MmsHandOver::send(const MmsPipelineFlavour& flavour,
                                 const QList<MessageSender::PropertyMap>& sendList,
                                 const QStringList& recipients)
{
    const QString remoteUid = recipients.value(0);
    qCDebug(flavour.category) << flavour.tag << "Sending to phone number" << remoteUid;
    auto* sender = new MessageSender(remoteUid, accountPath, true, QCoreApplication::instance());
    const MmsMainConfig config;
    sender->setReportFlags((config.deliveryReport ? MessageSender::ReportDelivery : 0) |
                           (config.readReport ? MessageSender::ReportRead : 0));
    sender->send(sendList, QString());
    return sender;
}
