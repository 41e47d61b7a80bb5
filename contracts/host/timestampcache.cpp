#include "timestampcache.h"

#include <QCoreApplication>

namespace {

constexpr qint64 MinuteMs = 60 * 1000;
constexpr int WeekDays = 7;

} // namespace

TimestampCache* TimestampCache::instance()
{
    static TimestampCache cache;
    return &cache;
}

TimestampCache::TimestampCache(const QLocale& locale)
    : m_locale(locale)
{
}

void TimestampCache::clear()
{
    m_texts.clear();
    m_today = QDate();
}

QString TimestampCache::timestamp(const QDateTime& time, const QDateTime& now)
{
    if (!time.isValid()) {
        return QString();
    }
    const QDate today = now.toLocalTime().date();
    if (today != m_today) {
        m_texts.clear();
        m_today = today;
    }
    const qint64 minute = time.toMSecsSinceEpoch() / MinuteMs;
    auto cached = m_texts.constFind(minute);
    if (cached != m_texts.constEnd()) {
        return *cached;
    }
    const QString text = format(time.toLocalTime(), today);
    m_texts.insert(minute, text);
    return text;
}

QString TimestampCache::format(const QDateTime& time, const QDate& today) const
{
    const QString clock = m_locale.toString(time.time(), QLocale::ShortFormat);
    const qint64 daysAgo = time.date().daysTo(today);
    if (daysAgo == 0) {
        return clock;
    }
    if (daysAgo == 1) {
        return QCoreApplication::translate("TimestampCache", "Yesterday %1").arg(clock);
    }
    if (daysAgo > 1 && daysAgo < WeekDays) {
        return m_locale.dayName(time.date().dayOfWeek(), QLocale::LongFormat);
    }
    return m_locale.toString(time.date(), QLocale::ShortFormat);
}
