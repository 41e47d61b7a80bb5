#include "remoteaddressmatch.h"

#include <QRegularExpression>

#include <phonenumbers/phonenumberutil.h>

namespace Chronel {

namespace {

bool looksLikePhoneNumber(const QString& address)
{
    static const QRegularExpression phone(QStringLiteral(R"(^\+?[0-9 ()\-.]{3,}$)"));
    return phone.match(address).hasMatch();
}

bool samePhoneNumber(const QString& first, const QString& second)
{
    using i18n::phonenumbers::PhoneNumberUtil;
    const PhoneNumberUtil::MatchType match =
        PhoneNumberUtil::GetInstance()->IsNumberMatchWithTwoStrings(first.toStdString(),
                                                                    second.toStdString());
    return match == PhoneNumberUtil::EXACT_MATCH || match == PhoneNumberUtil::NSN_MATCH ||
           match == PhoneNumberUtil::SHORT_NSN_MATCH;
}

} // namespace

bool remoteAddressMatch(const QString& first, const QString& second, int flags)
{
    if (first.isEmpty() || second.isEmpty()) {
        return first == second;
    }
    if (first.contains(QLatin1Char('@')) || second.contains(QLatin1Char('@'))) {
        return first.compare(second, Qt::CaseInsensitive) == 0;
    }
    if ((flags & NormalizeFlagPhoneNumber) && looksLikePhoneNumber(first) &&
        looksLikePhoneNumber(second)) {
        return samePhoneNumber(first, second);
    }
    return first == second;
}

} // namespace Chronel
