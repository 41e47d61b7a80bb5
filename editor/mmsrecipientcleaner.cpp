#include "mmsrecipientcleaner.h"

#include "remoteaddressmatch.h"

#include <QRegularExpression>

#include <algorithm>

void MmsRecipientCleaner::smartDuplicatesRemoval(QStringList& seen, QStringList& list)
{
    for (int i = 0; i < list.size();) {
        const QString& address = list.at(i);
        const bool repeated = std::any_of(seen.cbegin(), seen.cend(), [&](const QString& known) {
            return Chronel::remoteAddressMatch(known, address, Chronel::NormalizeFlagPhoneNumber);
        });
        if (repeated) {
            list.removeAt(i);
        } else {
            seen << address;
            ++i;
        }
    }
}

void MmsRecipientCleaner::cleanPhoneNumbers(QStringList& list)
{
    static const QRegularExpression punctuation(QStringLiteral("[()\\-\\. ]"));
    for (QString& address : list) {
        if (!address.contains(QLatin1Char('@'))) {
            address.remove(punctuation);
            continue;
        }
        const int open = address.indexOf(QLatin1Char('<'));
        if (open < 0)
            continue;
        const int close = address.indexOf(QLatin1Char('>'), open);
        address = address.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
}

void MmsRecipientCleaner::removeDuplicates(const MmsPipelineFlavour& flavour, QStringList& to,
                                           QStringList& cc, QStringList& bcc, bool cleanNumbers)
{
    static const char* const titles[] = {"Initial TO list:", "Initial CC list:", "BCC list:"};
    QStringList* const lists[] = {&to, &cc, &bcc};
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        smartDuplicatesRemoval(seen, *lists[i]);
        if (cleanNumbers)
            cleanPhoneNumbers(*lists[i]);
        qCDebug(flavour.category) << flavour.tag << titles[i] << *lists[i];
    }
}

QStringList MmsRecipientCleaner::countedAddresses(const QStringList& to, const QStringList& cc,
                                                  const QStringList& bcc)
{
    QStringList addresses = to + cc + bcc;
    addresses.removeDuplicates();
    cleanPhoneNumbers(addresses);
    return addresses;
}
