#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QString>

// The conversation view's short timestamps: the time for today's messages,
// "Yesterday" and the time for yesterday's, the weekday for the last week and
// the date for older ones. Texts are cached per minute and forgotten when the
// day changes, since they depend on today's date.
class TimestampCache
{
public:
    static TimestampCache* instance();

    explicit TimestampCache(const QLocale& locale = QLocale());

    // `now` is the current time; tests and the view pass it in.
    QString timestamp(const QDateTime& time, const QDateTime& now = QDateTime::currentDateTime());

    int size() const { return m_texts.size(); }
    void clear();

private:
    QString format(const QDateTime& time, const QDate& today) const;

    QLocale m_locale;
    QDate m_today;
    QHash<qint64, QString> m_texts;
};
